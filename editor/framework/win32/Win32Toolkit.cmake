# The framework on Win32 and the common controls (version 6, asked for by the program's
# manifest): the system libraries of framework/win32, and the Windows programs made on it.
target_link_libraries(orvex_editor_framework PUBLIC comctl32 comdlg32 shell32 advapi32 user32 gdi32)

# Gives the Windows program `target` its manifest and version resource. The version texts are
# the program's own, read from its resource header (kFileVersion "1.0.0.1", kFileDescription,
# kProductName, kInternalName). The templates lie beside this file, wherever the function is
# called from (the test program's folder too).
enable_language(RC)
function(fw_win32_program_resources target resourceHeader)
  file(READ ${resourceHeader} header)
  foreach(field FileVersion FileDescription ProductName InternalName)
    if(NOT header MATCHES "k${field} = \"([^\"]*)\"")
      message(FATAL_ERROR "${resourceHeader} has no k${field}")
    endif()
    set(${field} "${CMAKE_MATCH_1}")
  endforeach()
  set(FW_PROGRAM_NAME ${target})
  set(FW_PROGRAM_DESCRIPTION "${FileDescription}")
  set(FW_PROGRAM_PRODUCT "${ProductName}")
  set(FW_PROGRAM_INTERNAL_NAME "${InternalName}")
  set(FW_PROGRAM_VERSION_DOTS "${FileVersion}")
  string(REPLACE "." "," FW_PROGRAM_VERSION_COMMAS "${FileVersion}")
  string(REPLACE "." ", " FW_PROGRAM_VERSION_TEXT "${FileVersion}")
  set(FW_PROGRAM_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/Program.manifest.in ${FW_PROGRAM_MANIFEST} @ONLY)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/Program.rc.in ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()

if(TARGET Quorvan)
  # A windowed program (no console); main() is still its entry point.
  set_target_properties(Quorvan PROPERTIES WIN32_EXECUTABLE ON)
  fw_win32_program_resources(Quorvan ${CMAKE_CURRENT_SOURCE_DIR}/Resource.h)
endif()
