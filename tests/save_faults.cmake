# Saves of scenarios and settings under faults: killed at random moments,
# a full file system, read-only places. No display needed.
add_executable(save_faults_test
  ${CMAKE_CURRENT_LIST_DIR}/save_faults_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_test_files.h)
target_link_libraries(save_faults_test PRIVATE lumivane_core test_main test_hardware)
lumivane_test_program(save_faults_test)
