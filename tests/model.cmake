# The scenario model and the Document, without a display.
add_executable(scenario_model_test ${CMAKE_CURRENT_LIST_DIR}/scenario_model_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/document_history_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scenario_check_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hold_time_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/edit_commands_test.cpp)
target_link_libraries(scenario_model_test PRIVATE lumivane_core test_main test_hardware)
lumivane_test_program(scenario_model_test)
