# The starting-test window: ShowStartingTest on a 1600 x 900 chart, with the
# simulator's motor-start capture fetched through the session.
if(TARGET lxv_gui AND TARGET lxv_sim)
  add_executable(starting_bench ${CMAKE_CURRENT_LIST_DIR}/starting_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/qt_bench_main.cpp
                                ${PROJECT_SOURCE_DIR}/tests/support/fake_serial_port.cpp)
  target_include_directories(starting_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(starting_bench PRIVATE lxv_gui lxv_sim benchmark::benchmark)
endif()
