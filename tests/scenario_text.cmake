# The scenario file's text and its reading and saving, in the core alone.
add_executable(scenario_text_tests
  ${CMAKE_CURRENT_LIST_DIR}/scenario_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scenario_file_io_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_test_files.h)
target_link_libraries(scenario_text_tests PRIVATE lumivane_core test_main test_hardware)
target_compile_definitions(scenario_text_tests PRIVATE LUMIVANE_TEST_DATA="${LUMIVANE_TEST_DATA}")
lumivane_test_program(scenario_text_tests)
