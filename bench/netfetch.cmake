# netfetch against the curl command line, fetching 1 GiB from a local server.
find_package(Threads REQUIRED)
find_program(NETFETCH_BENCH_CURL curl)
if(NOT NETFETCH_BENCH_CURL)
  set(NETFETCH_BENCH_CURL /usr/bin/curl)  # reported as missing when run
endif()
add_executable(netfetch_bench
  ${CMAKE_CURRENT_LIST_DIR}/netfetch_bench.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/http_test_server.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/http_test_server.h)
target_include_directories(netfetch_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(netfetch_bench PRIVATE
  NETFETCH_PATH="$<TARGET_FILE:netfetch>"
  CURL_COMMAND="${NETFETCH_BENCH_CURL}")
target_link_libraries(netfetch_bench PRIVATE benchmark::benchmark Threads::Threads)
add_dependencies(netfetch_bench netfetch)
