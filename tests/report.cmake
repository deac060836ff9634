# The mailcap reader (no display needed).
add_executable(mailcap_test ${CMAKE_CURRENT_LIST_DIR}/mailcap_test.cpp)
target_link_libraries(mailcap_test PRIVATE lumivane_core test_main test_hardware)
lumivane_test_program(mailcap_test)

if(LUMIVANE_GUI)
  # The report, preview and print, and the Help menu, in a real window.
  lumivane_gui_test(report_test ${CMAKE_CURRENT_LIST_DIR}/report_test.cpp)
  target_compile_definitions(report_test PRIVATE LUMIVANE_TEST_DATA="${LUMIVANE_TEST_DATA}")
  lumivane_gui_test(report_print_test ${CMAKE_CURRENT_LIST_DIR}/report_print_test.cpp)
  target_compile_definitions(report_print_test PRIVATE LUMIVANE_TEST_DATA="${LUMIVANE_TEST_DATA}")
  lumivane_gui_test(help_commands_test ${CMAKE_CURRENT_LIST_DIR}/help_commands_test.cpp)

  # The install tree and the Debian package (a script; quick).
  if(TARGET user_guide)
    set(guide_built ON)
  else()
    set(guide_built OFF)
  endif()
  add_test(NAME InstallTree.LayoutDesktopEntryAndDebianPackage
           COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/install_test.sh ${CMAKE_BINARY_DIR} ${guide_built})
  set_tests_properties(InstallTree.LayoutDesktopEntryAndDebianPackage PROPERTIES
                       LABELS install TIMEOUT 120)
endif()
