# Reading and writing a settings file, and reading a full-size scenario key by key.
add_executable(ini_bench ${CMAKE_CURRENT_LIST_DIR}/ini_bench.cpp)
target_link_libraries(ini_bench PRIVATE benchmark::benchmark lumivane_core lumivane_hardware)
