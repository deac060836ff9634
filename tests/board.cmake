# Board commands and the runner on a recording link, and lumivane-cli run
# as a child process: no display needed.
add_executable(board_core_tests
  ${CMAKE_CURRENT_LIST_DIR}/board_link_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/runner_ticks_test.cpp)
target_link_libraries(board_core_tests PRIVATE lumivane_core test_hardware test_main)
lumivane_test_program(board_core_tests)

add_executable(cli_test ${CMAKE_CURRENT_LIST_DIR}/cli_test.cpp)
target_compile_definitions(cli_test PRIVATE LUMIVANE_CLI_PATH="$<TARGET_FILE:lumivane-cli>")
target_link_libraries(cli_test PRIVATE lumivane_core process_support test_hardware test_main)
add_dependencies(cli_test lumivane-cli)
lumivane_test_program(cli_test)
