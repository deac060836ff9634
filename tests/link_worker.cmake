# The board link's worker thread on recording links and a manual clock. No
# display needed.
add_executable(link_worker_tests ${CMAKE_CURRENT_LIST_DIR}/link_worker_test.cpp)
target_link_libraries(link_worker_tests PRIVATE lumivane_core test_hardware test_main)
lumivane_test_program(link_worker_tests)

# The board session on recording links and manual clocks.
add_executable(board_session_tests ${CMAKE_CURRENT_LIST_DIR}/board_session_test.cpp)
target_link_libraries(board_session_tests PRIVATE lumivane_core test_hardware test_main)
lumivane_test_program(board_session_tests)
