# Copy, cut and paste of rows, in a real window under Xvfb.
if(LUMIVANE_GUI)
  lumivane_gui_test(clipboard_test ${CMAKE_CURRENT_LIST_DIR}/clipboard_test.cpp)
endif()

# Check scenario in the window.
if(LUMIVANE_GUI)
  lumivane_gui_test(check_window_test ${CMAKE_CURRENT_LIST_DIR}/check_window_test.cpp)
endif()
