# Port scan: the whole scan of the port settings window over three
# pseudo-terminals through Qt Serial Port.
if(LXV_BUILD_GUI)
  add_executable(port_scan_bench ${CMAKE_CURRENT_LIST_DIR}/port_scan_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/qt_bench_main.cpp)
  target_link_libraries(port_scan_bench PRIVATE lxv_gui benchmark::benchmark)
endif()
