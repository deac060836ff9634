# The remotes and the hub they meet the player at: no display needed.
add_executable(remote_tests ${CMAKE_CURRENT_LIST_DIR}/remote_hub_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_actions_test.cpp ${CMAKE_CURRENT_LIST_DIR}/osc_remote_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/listen_address_test.cpp)
target_link_libraries(remote_tests PRIVATE lumivane_core test_hardware test_main)
gtest_discover_tests(remote_tests)

# `lumivane-cli serve` as a child process, on a pseudo-terminal and OSC.
add_executable(serve_test ${CMAKE_CURRENT_LIST_DIR}/serve_test.cpp)
target_compile_definitions(serve_test PRIVATE LUMIVANE_CLI_PATH="$<TARGET_FILE:lumivane-cli>")
target_link_libraries(serve_test PRIVATE lumivane_core test_hardware test_main util)
add_dependencies(serve_test lumivane-cli)
gtest_discover_tests(serve_test)
