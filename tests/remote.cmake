# The remotes and the hub they meet the player at: no display needed.
add_executable(remote_tests ${CMAKE_CURRENT_LIST_DIR}/remote_hub_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_actions_test.cpp)
target_link_libraries(remote_tests PRIVATE lumivane_core test_hardware test_main)
gtest_discover_tests(remote_tests)

# The web remote: its rules as tables, and the server with a real client.
add_executable(http_remote_tests ${CMAKE_CURRENT_LIST_DIR}/http_rules_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/http_remote_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/raw_http.cpp ${CMAKE_CURRENT_LIST_DIR}/support/raw_http.h
  ${CMAKE_CURRENT_LIST_DIR}/support/fake_remote_player.h)
target_link_libraries(http_remote_tests PRIVATE lumivane_core test_hardware test_main)
gtest_discover_tests(http_remote_tests)

# The remote page in headless Chromium (skipped where it is not installed).
add_executable(remote_page_browser_test ${CMAKE_CURRENT_LIST_DIR}/remote_page_browser_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/fake_remote_player.h)
target_link_libraries(remote_page_browser_test PRIVATE lumivane_core test_hardware test_main)
gtest_discover_tests(remote_page_browser_test PROPERTIES TIMEOUT 90)
