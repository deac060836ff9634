# The pause recorder also notes each pause in the simulated FTDI device's
# event log, so the two go together.
target_sources(test_hardware PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/support/pause_recorder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/pause_recorder.h
  ${CMAKE_CURRENT_LIST_DIR}/support/ftdi_sim.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/ftdi_sim.h)
