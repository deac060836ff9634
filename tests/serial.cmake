# The serial driver (tty on pseudo-terminals, FTDI on the simulated device)
# and port enumeration.
add_executable(serial_tests
  ${CMAKE_CURRENT_LIST_DIR}/serial_tty_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/serial_ftdi_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ports_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/test_port.cpp)
# lumivane_core first: its FT_* and pause calls are answered by test_hardware.
find_package(Threads REQUIRED)
target_link_libraries(serial_tests PRIVATE lumivane_core test_hardware test_main util Threads::Threads)
lumivane_test_program(serial_tests)
