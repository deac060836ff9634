target_sources(test_hardware PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/support/pause_recorder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/pause_recorder.h)
