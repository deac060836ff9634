# The remotes and the hub they meet the player at: no display needed.
add_executable(remote_tests ${CMAKE_CURRENT_LIST_DIR}/remote_hub_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_actions_test.cpp ${CMAKE_CURRENT_LIST_DIR}/osc_remote_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/listen_address_test.cpp)
target_link_libraries(remote_tests PRIVATE lumivane_core test_hardware test_main)
lumivane_test_program(remote_tests)

# `lumivane-cli serve` as a child process, on a pseudo-terminal and OSC.
add_executable(serve_test ${CMAKE_CURRENT_LIST_DIR}/serve_test.cpp)
target_compile_definitions(serve_test PRIVATE LUMIVANE_CLI_PATH="$<TARGET_FILE:lumivane-cli>")
target_link_libraries(serve_test PRIVATE lumivane_core process_support test_hardware test_main)
add_dependencies(serve_test lumivane-cli)
lumivane_test_program(serve_test)

# The web remote: its rules as tables, and the server with a real client.
add_executable(http_remote_tests ${CMAKE_CURRENT_LIST_DIR}/http_rules_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/http_remote_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/raw_http.cpp ${CMAKE_CURRENT_LIST_DIR}/support/raw_http.h
  ${CMAKE_CURRENT_LIST_DIR}/support/fake_remote_player.h)
target_link_libraries(http_remote_tests PRIVATE lumivane_core test_hardware test_main)
lumivane_test_program(http_remote_tests)

# The remote page in headless Chromium (skipped where it is not installed).
add_executable(remote_page_browser_test ${CMAKE_CURRENT_LIST_DIR}/remote_page_browser_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/fake_remote_player.h)
target_link_libraries(remote_page_browser_test PRIVATE lumivane_core test_hardware test_main)
lumivane_test_program(remote_page_browser_test)
