# The main window's benchmarks: ShowMeasurement, and the continuous request gap
# against the simulator (when the simulator is built).
if(TARGET lxv_gui)
  add_executable(mainform_bench ${CMAKE_CURRENT_LIST_DIR}/mainform_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/qt_bench_main.cpp
                                ${PROJECT_SOURCE_DIR}/tests/support/fake_serial_port.cpp)
  target_include_directories(mainform_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(mainform_bench PRIVATE lxv_gui benchmark::benchmark)
  if(TARGET lxv7700-sim AND TARGET lxv_e2e_harness)
    target_link_libraries(mainform_bench PRIVATE lxv_e2e_harness)
    target_compile_definitions(mainform_bench PRIVATE LXV_BENCH_WITH_SIM
                               LXV_SIM_PATH="$<TARGET_FILE:lxv7700-sim>")
    add_dependencies(mainform_bench lxv7700-sim)
  endif()
endif()
