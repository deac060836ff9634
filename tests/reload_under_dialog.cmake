# A change of the scenario file on disk while a command's dialog is open.
if(LUMIVANE_GUI)
  lumivane_gui_test(reload_under_dialog_test ${CMAKE_CURRENT_LIST_DIR}/reload_under_dialog_test.cpp)
endif()
