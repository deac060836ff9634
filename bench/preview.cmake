# The preview of a full show drawn into a GIF: how much faster than real
# time, and how big. No display needed.
add_executable(preview_bench ${CMAKE_CURRENT_LIST_DIR}/preview_bench.cpp)
target_link_libraries(preview_bench PRIVATE benchmark::benchmark lumivane_core lumivane_hardware)
