# A run's lateness while the web remote is flooded with requests.
add_executable(http_load_bench ${CMAKE_CURRENT_LIST_DIR}/http_load_bench.cpp
  ${CMAKE_SOURCE_DIR}/tests/support/raw_http.cpp ${CMAKE_SOURCE_DIR}/tests/support/raw_http.h)
target_include_directories(http_load_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(http_load_bench PRIVATE lumivane_core lumivane_hardware util)
