# The virtual boards: the chain against the encoders, the lines a port name
# reaches and the mirror of a real port. No display needed.
add_executable(virtual_boards_tests
  ${CMAKE_CURRENT_LIST_DIR}/virtual_chain_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/board_lines_test.cpp)
target_link_libraries(virtual_boards_tests PRIVATE lumivane_core test_hardware test_main util)
lumivane_test_program(virtual_boards_tests)

# The board monitor in a real window under Xvfb.
if(LUMIVANE_GUI)
  lumivane_gui_test(board_monitor_test ${CMAKE_CURRENT_LIST_DIR}/board_monitor_test.cpp)
endif()

# What the boards show and the preview drawn from it, read back with giflib;
# lumivane-cli render as a child process. No display needed.
find_package(GIF REQUIRED)
add_library(gif_frames_support STATIC ${CMAKE_CURRENT_LIST_DIR}/support/gif_frames.cpp)
target_link_libraries(gif_frames_support PUBLIC test_support GIF::GIF)
add_executable(preview_tests
  ${CMAKE_CURRENT_LIST_DIR}/board_frame_renderer_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preview_render_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/render_command_test.cpp)
target_compile_definitions(preview_tests PRIVATE LUMIVANE_CLI_PATH="$<TARGET_FILE:lumivane-cli>")
target_link_libraries(preview_tests PRIVATE gif_frames_support lumivane_core process_support test_hardware test_main)
add_dependencies(preview_tests lumivane-cli)
lumivane_test_program(preview_tests)
if(LUMIVANE_GUI)
  lumivane_gui_test(preview_export_window_test ${CMAKE_CURRENT_LIST_DIR}/preview_export_window_test.cpp)
  target_link_libraries(preview_export_window_test PRIVATE gif_frames_support)
endif()
