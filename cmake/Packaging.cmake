# Packages, made from a configured and built tree:
#   cpack --config build/CPackConfig.cmake -G DEB     orvex_<version>_amd64.deb
#   cmake --build build --target package_source        orvex-<version>.tar.gz
set(ORVEX_PACKAGE_MAINTAINER "Orvex developers <packaging@orvex.invalid>"
    CACHE STRING "Maintainer named in the Debian package")

set(CPACK_PACKAGE_NAME orvex)
set(CPACK_PACKAGE_VENDOR "Orvex")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${ORVEX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small real-time 3D engine with a scene viewer, an editor and content tools")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvex draws animated, skinned mesh scenes with OpenGL 1.1. The package holds the
full-screen viewer Orvex, the scene viewer Quorvan (with its desktop entry, file
types and file-manager thumbnails), the content tools orvex-convert (glTF, FBX,
COLLADA, OBJ and more into the engine's formats), orvex-info and orvex-render, a
sample scene, and the engine as a static library with its headers and a CMake
package (find_package(Orvex), target Orvex::engine).")

if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB) # installs under /usr, the generator's default
endif()
set(CPACK_STRIP_FILES TRUE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# Libraries the programs link are found by dpkg-shlibdeps; these they load at run time:
# the GL library and EGL (the viewer's driver, orvex-render's surface) and Qt's window system
# plugins.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libegl1, qt6-qpa-plugins")
# Mesa's drivers draw where no other GL is installed; the overlay's face is Comic Neue.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri, fonts-comic-neue")
# What a project that links the engine through its CMake package needs besides.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cmake, pkgconf, libfreetype-dev, libfontconfig-dev")

# The source package: the checkout without its build folders and version control.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME orvex-${PROJECT_VERSION})
string(REGEX REPLACE "([][+.*()^$?|\\\\])" "\\\\\\1" source_dir_pattern "${PROJECT_SOURCE_DIR}")
set(CPACK_SOURCE_IGNORE_FILES
    "^${source_dir_pattern}/\\.git(/|$)"
    "^${source_dir_pattern}/build(-[^/]*)?/"
    "^${source_dir_pattern}/fuzz-out/"
    "\\.swp$")
string(FIND "${CMAKE_BINARY_DIR}/" "${PROJECT_SOURCE_DIR}/" binary_in_source)
if(binary_in_source EQUAL 0 AND NOT CMAKE_BINARY_DIR STREQUAL PROJECT_SOURCE_DIR)
  string(REGEX REPLACE "([][+.*()^$?|\\\\])" "\\\\\\1" binary_dir_pattern "${CMAKE_BINARY_DIR}")
  list(APPEND CPACK_SOURCE_IGNORE_FILES "^${binary_dir_pattern}/")
endif()

include(CPack)
