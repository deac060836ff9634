# The record of what the boards hold: the core without a display, and
# lumivane-cli rom as a child process.
add_executable(rom_record_test ${CMAKE_CURRENT_LIST_DIR}/rom_record_test.cpp)
target_link_libraries(rom_record_test PRIVATE lumivane_core test_hardware test_main)
lumivane_test_program(rom_record_test)

add_executable(rom_cli_test ${CMAKE_CURRENT_LIST_DIR}/rom_cli_test.cpp)
target_compile_definitions(rom_cli_test PRIVATE LUMIVANE_CLI_PATH="$<TARGET_FILE:lumivane-cli>")
target_link_libraries(rom_cli_test PRIVATE lumivane_core process_support test_hardware test_main)
add_dependencies(rom_cli_test lumivane-cli)
lumivane_test_program(rom_cli_test)

if(LUMIVANE_GUI)
  lumivane_gui_test(rom_record_window_test ${CMAKE_CURRENT_LIST_DIR}/rom_record_window_test.cpp)
endif()
