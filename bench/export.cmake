# Exporting the largest recording to xlsx and CSV.
if(LXV_BUILD_GUI)
  add_executable(export_bench ${CMAKE_CURRENT_LIST_DIR}/export_bench.cpp)
  target_link_libraries(export_bench PRIVATE lxv_gui benchmark::benchmark)
endif()
