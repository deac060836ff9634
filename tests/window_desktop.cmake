# The window as a desktop program: Open Recent, dropped files, tooltips and
# the keyboard shortcuts, in a real window; the tooltip texts without one.
if(LUMIVANE_GUI)
  lumivane_gui_test(desktop_test ${CMAKE_CURRENT_LIST_DIR}/desktop_test.cpp)
  add_executable(colour_tips_test ${CMAKE_CURRENT_LIST_DIR}/colour_tips_test.cpp)
  target_link_libraries(colour_tips_test PRIVATE lumivane_gui lumivane_core test_main test_hardware)
  lumivane_test_program(colour_tips_test)
endif()

# The same window on a screen scaled by two.
if(LUMIVANE_GUI)
  add_executable(scaled_window_test ${CMAKE_CURRENT_LIST_DIR}/scaled_window_test.cpp)
  target_link_libraries(scaled_window_test PRIVATE gui_test_support)
  lumivane_window_test_program(scaled_window_test ENVIRONMENT GDK_SCALE=2)
endif()
