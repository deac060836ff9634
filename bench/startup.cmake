# Start-up of the real program to the first byte on a pseudo-terminal, with
# one scene against 64 (needs a display: run it under xvfb-run).
if(LUMIVANE_GUI)
  add_executable(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
  target_compile_definitions(startup_bench PRIVATE LUMIVANE_PATH="$<TARGET_FILE:lumivane>")
  target_link_libraries(startup_bench PRIVATE benchmark::benchmark lumivane_core util lumivane_hardware)
  add_dependencies(startup_bench lumivane)
endif()
