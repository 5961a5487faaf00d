# The harmonic emissions rules for one measurement block.
add_executable(harmonic_bench ${CMAKE_CURRENT_LIST_DIR}/harmonic_bench.cpp)
target_link_libraries(harmonic_bench PRIVATE lxv_core benchmark::benchmark benchmark::benchmark_main)
