# Drawing the main window's three charts (geometry alone, and painted).
if(LXV_BUILD_GUI)
  add_executable(charts_bench
    ${CMAKE_CURRENT_LIST_DIR}/charts_bench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qt_bench_main.cpp
  )
  target_link_libraries(charts_bench PRIVATE lxv_gui benchmark::benchmark)
endif()
