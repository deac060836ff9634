# Whether remote traffic makes a headless run late: lumivane-cli serve on a
# paced pseudo-terminal under a flood of OSC datagrams (and web requests
# where the web remote is built). Needs no display.
if(NOT TARGET lumivane_line_pace)
  add_library(lumivane_line_pace MODULE ${CMAKE_CURRENT_LIST_DIR}/line_pace.c)
  target_link_libraries(lumivane_line_pace PRIVATE ${CMAKE_DL_LIBS})
endif()
add_executable(serve_load_bench ${CMAKE_CURRENT_LIST_DIR}/serve_load_bench.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paced_line.h)
target_compile_definitions(serve_load_bench PRIVATE LUMIVANE_CLI_PATH="$<TARGET_FILE:lumivane-cli>"
                           LINE_PACE_PATH="$<TARGET_FILE:lumivane_line_pace>")
target_link_libraries(serve_load_bench PRIVATE lumivane_core process_support lumivane_hardware)
add_dependencies(serve_load_bench lumivane-cli lumivane_line_pace)
