# The Settings command and its dialog, in a real window under Xvfb.
if(LUMIVANE_GUI)
  lumivane_gui_test(settings_dialog_test ${CMAKE_CURRENT_LIST_DIR}/settings_dialog_test.cpp)
endif()
