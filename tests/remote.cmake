# The remotes and the hub they meet the player at: no display needed.
add_executable(remote_tests ${CMAKE_CURRENT_LIST_DIR}/remote_hub_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_actions_test.cpp)
target_link_libraries(remote_tests PRIVATE lumivane_core test_hardware test_main)
gtest_discover_tests(remote_tests)
