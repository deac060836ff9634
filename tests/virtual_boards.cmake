# The virtual boards: the chain against the encoders, the lines a port name
# reaches and the mirror of a real port. No display needed.
add_executable(virtual_boards_tests
  ${CMAKE_CURRENT_LIST_DIR}/virtual_chain_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/board_lines_test.cpp)
target_link_libraries(virtual_boards_tests PRIVATE lumivane_core test_hardware test_main util)
gtest_discover_tests(virtual_boards_tests)

# The board monitor in a real window under Xvfb.
if(LUMIVANE_GUI)
  lumivane_gui_test(board_monitor_test ${CMAKE_CURRENT_LIST_DIR}/board_monitor_test.cpp)
endif()
