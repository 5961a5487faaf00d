# The standby power test: per-reading cost and memory over a three-hour test, and the trend's redraw.
add_executable(standby_bench ${CMAKE_CURRENT_LIST_DIR}/standby_bench.cpp)
target_link_libraries(standby_bench PRIVATE lxv_core benchmark::benchmark benchmark::benchmark_main)

# The same trend painted into the window's image, as after every block (Qt, offscreen).
if(LXV_BUILD_GUI)
  add_executable(standby_paint_bench
    ${CMAKE_CURRENT_LIST_DIR}/standby_paint_bench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/qt_bench_main.cpp
  )
  target_link_libraries(standby_paint_bench PRIVATE lxv_gui benchmark::benchmark)
endif()
