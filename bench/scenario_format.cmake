# Parsing and writing a full-size scenario's text in the core; no display.
add_executable(scenario_format_bench ${CMAKE_CURRENT_LIST_DIR}/scenario_format_bench.cpp)
target_link_libraries(scenario_format_bench PRIVATE benchmark::benchmark lumivane_core lumivane_hardware)
