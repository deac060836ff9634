# Inputs the fuzz targets (fuzz/) found faults with, kept as plain tests of
# the core.
add_executable(fuzz_findings_test
  ${CMAKE_CURRENT_LIST_DIR}/fuzz_findings_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_test_files.h)
target_link_libraries(fuzz_findings_test PRIVATE lumivane_core test_main test_hardware)
lumivane_test_program(fuzz_findings_test)
