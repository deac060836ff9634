# Row and scene commands and the input configuration dialog, in a real
# window under Xvfb.
if(LUMIVANE_GUI)
  lumivane_gui_test(input_config_test ${CMAKE_CURRENT_LIST_DIR}/input_config_test.cpp)
endif()
