# How well a run keeps time: the real program on a pseudo-terminal paced as
# a 9600 bit/s line by a preloaded write() (needs a display: run it under
# xvfb-run).
if(LUMIVANE_GUI)
  add_library(lumivane_line_pace MODULE ${CMAKE_CURRENT_LIST_DIR}/line_pace.c)
  target_link_libraries(lumivane_line_pace PRIVATE ${CMAKE_DL_LIBS})
  add_executable(run_timing_bench ${CMAKE_CURRENT_LIST_DIR}/run_timing_bench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/paced_line.h)
  target_compile_definitions(run_timing_bench PRIVATE LUMIVANE_PATH="$<TARGET_FILE:lumivane>"
                             LINE_PACE_PATH="$<TARGET_FILE:lumivane_line_pace>")
  target_link_libraries(run_timing_bench PRIVATE lumivane_core process_support lumivane_hardware)
  add_dependencies(run_timing_bench lumivane lumivane_line_pace)
endif()
