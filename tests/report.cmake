# The mailcap reader (no display needed).
# The help directory is added only with the GUI; the window-free reader
# still belongs to the core, so the unit test finds it in either build.
get_target_property(lumivane_core_sources lumivane_core SOURCES)
if(NOT lumivane_core_sources MATCHES "mailcap\\.cpp")
  target_sources(lumivane_core PRIVATE ${CMAKE_SOURCE_DIR}/help/mailcap.cpp)
endif()
add_executable(mailcap_test ${CMAKE_CURRENT_LIST_DIR}/mailcap_test.cpp)
target_link_libraries(mailcap_test PRIVATE lumivane_core test_main)
gtest_discover_tests(mailcap_test)

if(LUMIVANE_GUI)
  # The report, preview and print, and the Help menu, in a real window.
  lumivane_gui_test(report_test ${CMAKE_CURRENT_LIST_DIR}/report_test.cpp)
  target_compile_definitions(report_test PRIVATE LUMIVANE_TEST_DATA="${LUMIVANE_TEST_DATA}")
  lumivane_gui_test(report_print_test ${CMAKE_CURRENT_LIST_DIR}/report_print_test.cpp)
  target_compile_definitions(report_print_test PRIVATE LUMIVANE_TEST_DATA="${LUMIVANE_TEST_DATA}")
  lumivane_gui_test(help_commands_test ${CMAKE_CURRENT_LIST_DIR}/help_commands_test.cpp)
endif()
