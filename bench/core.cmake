add_executable(core_bench ${CMAKE_CURRENT_LIST_DIR}/core_bench.cpp)
target_include_directories(core_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(core_bench PRIVATE lxv_core benchmark::benchmark benchmark::benchmark_main)
