# The in-memory INI snapshot, side by side with the INI scanner.
add_executable(ini_snapshot_test
  ${CMAKE_CURRENT_LIST_DIR}/ini_snapshot_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_test_files.h)
target_link_libraries(ini_snapshot_test PRIVATE lumivane_core test_main test_hardware)
lumivane_test_program(ini_snapshot_test)

# The scenario writer and reader in the real main window (under Xvfb).
if(LUMIVANE_GUI)
  lumivane_gui_test(scenario_file_test ${CMAKE_CURRENT_LIST_DIR}/scenario_file_test.cpp)
  target_compile_definitions(scenario_file_test PRIVATE LUMIVANE_TEST_DATA="${LUMIVANE_TEST_DATA}")
endif()
