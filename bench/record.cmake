# The record window: redrawing a full recording at any zoom, opening a file of 450 records.
if(LXV_BUILD_GUI)
  add_executable(record_bench ${CMAKE_CURRENT_LIST_DIR}/record_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/qt_bench_main.cpp)
  target_include_directories(record_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(record_bench PRIVATE lxv_gui benchmark::benchmark)
endif()
