# Board commands and the runner on a recording link, and lumivane-cli run
# as a child process: no display needed.
add_executable(board_core_tests
  ${CMAKE_CURRENT_LIST_DIR}/board_link_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/runner_ticks_test.cpp)
target_link_libraries(board_core_tests PRIVATE lumivane_core test_hardware test_main)
gtest_discover_tests(board_core_tests)
