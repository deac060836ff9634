# The window with the board link on its own thread, on the simulated
# adapter paced as a 9600 bit/s line.
if(LUMIVANE_GUI)
  lumivane_gui_test(link_thread_test ${CMAKE_CURRENT_LIST_DIR}/link_thread_test.cpp)
endif()
