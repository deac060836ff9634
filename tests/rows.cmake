# Row and scene commands and the input configuration dialog, in a real
# window under Xvfb.
if(LUMIVANE_GUI)
  # Keys for an open popup menu go straight to the X server.
  pkg_check_modules(ROWS_XTEST REQUIRED IMPORTED_TARGET xtst x11)
  lumivane_gui_test(row_scene_commands_test ${CMAKE_CURRENT_LIST_DIR}/row_scene_commands_test.cpp)
  target_link_libraries(row_scene_commands_test PRIVATE PkgConfig::ROWS_XTEST)
  lumivane_gui_test(input_config_test ${CMAKE_CURRENT_LIST_DIR}/input_config_test.cpp)
endif()
