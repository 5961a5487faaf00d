# The standby power test: per-reading cost and memory over a three-hour test, and the trend's redraw.
add_executable(standby_bench ${CMAKE_CURRENT_LIST_DIR}/standby_bench.cpp)
target_link_libraries(standby_bench PRIVATE lxv_core benchmark::benchmark benchmark::benchmark_main)
