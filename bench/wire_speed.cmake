# Measurements per second of continuous measurement against the simulator at
# several baud rates, next to the wire's own limit.
if(TARGET lxv7700 AND TARGET lxv7700-sim AND TARGET lxv_e2e_harness)
  add_executable(wire_speed_bench ${CMAKE_CURRENT_LIST_DIR}/wire_speed_bench.cpp)
  target_link_libraries(wire_speed_bench PRIVATE lxv_e2e_harness benchmark::benchmark benchmark::benchmark_main)
  target_compile_definitions(wire_speed_bench PRIVATE
    LXV_PROGRAM_PATH="$<TARGET_FILE:lxv7700>"
    LXV_SIM_PATH="$<TARGET_FILE:lxv7700-sim>")
  add_dependencies(wire_speed_bench lxv7700 lxv7700-sim)
endif()
