# Child processes, pseudo-terminals and loopback ports, as the tests and the
# benchmarks both use them; it holds no test framework, so a benchmark may
# link it.
if(NOT TARGET process_support)
  add_library(process_support STATIC
    ${CMAKE_CURRENT_LIST_DIR}/spawned_program.cpp ${CMAKE_CURRENT_LIST_DIR}/spawned_program.h
    ${CMAKE_CURRENT_LIST_DIR}/pseudo_terminal.cpp ${CMAKE_CURRENT_LIST_DIR}/pseudo_terminal.h
    ${CMAKE_CURRENT_LIST_DIR}/loopback_port.cpp ${CMAKE_CURRENT_LIST_DIR}/loopback_port.h)
  target_include_directories(process_support PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
  target_link_libraries(process_support PUBLIC util)
endif()
