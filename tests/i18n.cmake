# Translations: the core's part without a display, saves under another
# locale, the catalogues' completeness, and the window in German.
# The German locale for the tests that save and type in it: generated when
# the machine lacks it and the suite may (as root, as in CI); the tests
# skip, saying why, otherwise.
add_test(NAME Locale.GermanGenerated
         COMMAND sh -c "locale -a | grep -qix 'de_DE.utf-\\?8' || [ \"$(id -u)\" != 0 ] || localedef -i de_DE -f UTF-8 de_DE.UTF-8")
set_tests_properties(Locale.GermanGenerated PROPERTIES FIXTURES_SETUP german_locale)

add_executable(i18n_test ${CMAKE_CURRENT_LIST_DIR}/i18n_texts_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/locale_numbers_test.cpp)
target_link_libraries(i18n_test PRIVATE lumivane_core test_main test_hardware)
target_compile_definitions(i18n_test PRIVATE LUMIVANE_TEST_DATA="${LUMIVANE_TEST_DATA}")
lumivane_test_program(i18n_test PROPERTIES FIXTURES_REQUIRED german_locale)

# Every catalogue complete, none fuzzy, and the template made from the
# sources as they are now.
add_test(NAME Translations.CataloguesCompleteAndCurrent
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/update-po.sh --check)

if(LUMIVANE_GUI)
  # A window test as lumivane_gui_test makes one, which needs the locale too.
  add_executable(translated_window_test ${CMAKE_CURRENT_LIST_DIR}/translated_window_test.cpp)
  target_link_libraries(translated_window_test PRIVATE gui_test_support)
  lumivane_window_test_program(translated_window_test FIXTURES_REQUIRED german_locale)
endif()
