# Window tests: the real application in a real GTK window (under Xvfb).
if(LUMIVANE_GUI)
  add_library(gui_test_support STATIC
    ${CMAKE_CURRENT_LIST_DIR}/support/app_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/support/gui_main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/support/ui_input.cpp)
  pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
  target_link_libraries(gui_test_support PUBLIC
    test_support lumivane_gui lumivane_core test_hardware PkgConfig::GTK3)

  function(lumivane_gui_test name)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE gui_test_support)
    lumivane_window_test_program(${name})
  endfunction()

  lumivane_gui_test(app_startup_test
    ${CMAKE_CURRENT_LIST_DIR}/app_startup_test.cpp)
  lumivane_gui_test(main_frame_test
    ${CMAKE_CURRENT_LIST_DIR}/main_frame_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fade_hold_row_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_layout_test.cpp)
  lumivane_gui_test(cell_editing_test
    ${CMAKE_CURRENT_LIST_DIR}/cell_editing_test.cpp)
  lumivane_gui_test(board_commands_test
    ${CMAKE_CURRENT_LIST_DIR}/board_commands_test.cpp)
  target_link_libraries(board_commands_test PRIVATE util)
  lumivane_gui_test(document_commands_test
    ${CMAKE_CURRENT_LIST_DIR}/document_commands_test.cpp)
  lumivane_gui_test(runner_test
    ${CMAKE_CURRENT_LIST_DIR}/runner_test.cpp)
  target_link_libraries(runner_test PRIVATE util)
  lumivane_gui_test(undo_test
    ${CMAKE_CURRENT_LIST_DIR}/undo_test.cpp)
  lumivane_gui_test(scene_pages_test
    ${CMAKE_CURRENT_LIST_DIR}/scene_pages_test.cpp)
endif()
