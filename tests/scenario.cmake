# The in-memory INI snapshot, side by side with the INI scanner.
add_executable(ini_snapshot_test
  ${CMAKE_CURRENT_LIST_DIR}/ini_snapshot_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_test_files.h)
target_link_libraries(ini_snapshot_test PRIVATE lumivane_core test_main)
gtest_discover_tests(ini_snapshot_test)
