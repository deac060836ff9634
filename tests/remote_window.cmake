# The remotes' settings and the boards' colours they show: no display.
add_executable(remote_settings_tests ${CMAKE_CURRENT_LIST_DIR}/remote_settings_test.cpp)
target_link_libraries(remote_settings_tests PRIVATE lumivane_core test_hardware test_main)
lumivane_test_program(remote_settings_tests)

# The window's side of the remotes: show mode, the dialog, the status bar.
if(LUMIVANE_GUI)
  lumivane_gui_test(remote_window_test ${CMAKE_CURRENT_LIST_DIR}/remote_window_test.cpp)
endif()
