# The INI module and SettingsFile.
add_executable(ini_tests
  ${CMAKE_CURRENT_LIST_DIR}/ini_read_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_write_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_file_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_settings_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recent_files_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ini_test_files.h)
target_link_libraries(ini_tests PRIVATE lumivane_core test_main test_hardware)
target_compile_definitions(ini_tests PRIVATE LUMIVANE_TEST_DATA="${LUMIVANE_TEST_DATA}")
lumivane_test_program(ini_tests)

# The window's wide-string SettingsFile over the core one; no display needed.
if(LUMIVANE_GUI)
  add_executable(settings_file_wx_test ${CMAKE_CURRENT_LIST_DIR}/settings_file_wx_test.cpp)
  target_link_libraries(settings_file_wx_test PRIVATE lumivane_gui lumivane_core test_main test_hardware)
  lumivane_test_program(settings_file_wx_test)
endif()
