# Imported targets for wxWidgets from wx-config: wx::base for the modules
# without windows, wx::gui for the frame and the dialogs.
find_program(WX_CONFIG_EXECUTABLE NAMES wx-config REQUIRED)

function(lumivane_wx_target target components)
  execute_process(COMMAND ${WX_CONFIG_EXECUTABLE} --cxxflags ${components}
                  OUTPUT_VARIABLE cxxflags OUTPUT_STRIP_TRAILING_WHITESPACE
                  COMMAND_ERROR_IS_FATAL ANY)
  execute_process(COMMAND ${WX_CONFIG_EXECUTABLE} --libs ${components}
                  OUTPUT_VARIABLE libs OUTPUT_STRIP_TRAILING_WHITESPACE
                  COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(cxxflags UNIX_COMMAND "${cxxflags}")
  separate_arguments(libs UNIX_COMMAND "${libs}")
  set(includes "")
  set(options "")
  foreach(flag IN LISTS cxxflags)
    if(flag MATCHES "^-I(.*)")
      list(APPEND includes "${CMAKE_MATCH_1}")
    elseif(flag STREQUAL "-DwxUSE_GUI=0")
      # The modules without windows only use the base headers; the flag
      # would break the window code that links them too.
    else()
      list(APPEND options "${flag}")
    endif()
  endforeach()
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  # System includes keep the toolkit's own warnings out of our -Wall -Wextra build.
  set_target_properties(${target} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${includes}"
    INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${includes}"
    INTERFACE_COMPILE_OPTIONS "${options}"
    INTERFACE_LINK_LIBRARIES "${libs}")
endfunction()

lumivane_wx_target(wx::base "base")
lumivane_wx_target(wx::gui "core,adv,html,base")
