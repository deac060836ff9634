# The link budget, without a display.
add_executable(link_budget_test ${CMAKE_CURRENT_LIST_DIR}/link_budget_test.cpp)
target_link_libraries(link_budget_test PRIVATE lumivane_core test_main test_hardware)
lumivane_test_program(link_budget_test)
