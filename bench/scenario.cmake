# Loading and saving full-size scenarios in the real main window (needs a
# display: run it under xvfb-run).
if(LUMIVANE_GUI)
  add_executable(scenario_bench ${CMAKE_CURRENT_LIST_DIR}/scenario_bench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_events.h)
  target_link_libraries(scenario_bench PRIVATE benchmark::benchmark lumivane_gui lumivane_core lumivane_hardware)
endif()
