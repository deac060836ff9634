# The FTDI back-end through the real libftdi1 (core/serial/ftdi_libftdi.cpp)
# down to an emulated FT232R that stands in for libusb-1.0; real pauses.
add_executable(ftdi_usb_test
  ${CMAKE_CURRENT_LIST_DIR}/ftdi_usb_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/usb_ft232r.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/usb_ft232r.h
  ${CMAKE_CURRENT_LIST_DIR}/support/test_port.cpp)
# lumivane_hardware answers the core's FT_* and pause calls; the libusb
# calls of libftdi1 bind to the emulation linked into the test itself.
target_link_libraries(ftdi_usb_test PRIVATE lumivane_core lumivane_hardware test_main)
lumivane_test_program(ftdi_usb_test)
