# netfetch runs as a child process against a local HTTP server.
find_package(Threads REQUIRED)
add_executable(netfetch_test
  ${CMAKE_CURRENT_LIST_DIR}/netfetch_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/http_test_server.cpp
  ${CMAKE_CURRENT_LIST_DIR}/support/http_test_server.h
  ${CMAKE_SOURCE_DIR}/netfetch/progress.cpp)
target_compile_definitions(netfetch_test PRIVATE NETFETCH_PATH="$<TARGET_FILE:netfetch>")
target_link_libraries(netfetch_test PRIVATE test_main Threads::Threads)
add_dependencies(netfetch_test netfetch)
lumivane_test_program(netfetch_test)
