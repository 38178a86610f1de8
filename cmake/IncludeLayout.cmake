# Every header of the engine and of its platform backends is included as
# "orvex/<folder>/<File>.h", in this tree exactly as by a program built against the installed
# package. The build gives each source folder its name under orvex/ with a symbolic link in
# ${ORVEX_INCLUDE_ROOT}; `cmake --install` copies the folder's headers to include/orvex/<name>.
set(ORVEX_INCLUDE_ROOT ${CMAKE_BINARY_DIR}/include)
file(MAKE_DIRECTORY ${ORVEX_INCLUDE_ROOT}/orvex)

# orvex_header_folder(target name folder): `folder`'s headers become orvex/<name>/ for `target`
# and everything that links it; the packaging installs them when `target` is exported.
function(orvex_header_folder target name folder)
  set(link ${ORVEX_INCLUDE_ROOT}/orvex/${name})
  if(NOT IS_SYMLINK ${link})
    file(CREATE_LINK ${folder} ${link} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${ORVEX_INCLUDE_ROOT}>)
  set_property(TARGET ${target} APPEND PROPERTY ORVEX_HEADER_FOLDERS "${name}=${folder}")
endfunction()
