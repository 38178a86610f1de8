# The engine's reference: HTML made by doxygen (docs/Doxyfile.in) from the headers the package
# installs, under the names a program includes them by, with docs/engine.md as its first page
# and docs/formats.md beside it. Built with everything else when doxygen is there; an
# undocumented installed member, or any other warning, fails the build. Installed under
# share/doc/orvex/html, so it goes into the Debian package too.
#
# Included by packaging/CMakeLists.txt once it knows the installed header folders:
# ORVEX_DOC_FOLDERS (their orvex/<name> folders in the build) and ORVEX_DOC_HEADERS (the files).
find_program(ORVEX_DOXYGEN doxygen)
if(NOT ORVEX_DOXYGEN)
  message(STATUS "doxygen not found: the engine's reference (target docs) is not built")
  return()
endif()

set(ORVEX_DOCS_OUTPUT ${CMAKE_BINARY_DIR}/docs)
set(pages ${PROJECT_SOURCE_DIR}/docs/engine.md ${PROJECT_SOURCE_DIR}/docs/formats.md)
set(ORVEX_DOCS_INPUT "")
foreach(input ${ORVEX_DOC_FOLDERS} ${ORVEX_INCLUDE_ROOT}/orvex/OrvexVersion.h ${pages})
  string(APPEND ORVEX_DOCS_INPUT " \"${input}\"")
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/docs/Doxyfile.in ${ORVEX_DOCS_OUTPUT}/Doxyfile @ONLY)

add_custom_command(OUTPUT ${ORVEX_DOCS_OUTPUT}/html/index.html
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${ORVEX_DOCS_OUTPUT}/html
  COMMAND ${ORVEX_DOXYGEN} ${ORVEX_DOCS_OUTPUT}/Doxyfile
  DEPENDS ${ORVEX_DOC_HEADERS} ${ORVEX_INCLUDE_ROOT}/orvex/OrvexVersion.h ${pages} ${PROJECT_SOURCE_DIR}/docs/Doxyfile.in
  WORKING_DIRECTORY ${ORVEX_DOCS_OUTPUT}
  COMMENT "The engine's reference (doxygen)"
  VERBATIM)
add_custom_target(docs ALL DEPENDS ${ORVEX_DOCS_OUTPUT}/html/index.html)
install(DIRECTORY ${ORVEX_DOCS_OUTPUT}/html/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvex/html)
