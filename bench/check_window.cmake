# Opening the Check scenario window on the largest scenario (needs a
# display: run it under xvfb-run).
if(LUMIVANE_GUI)
  add_executable(check_window_bench ${CMAKE_CURRENT_LIST_DIR}/check_window_bench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_events.h)
  target_link_libraries(check_window_bench PRIVATE benchmark::benchmark lumivane_gui lumivane_core lumivane_hardware)
endif()
