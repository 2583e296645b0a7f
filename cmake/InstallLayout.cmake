# Where `cmake --install` puts things (GNUInstallDirs: bin/, lib/ or lib/<triplet>/ under
# /usr, include/, share/), and how programs find the project's libraries: through an RPATH
# relative to themselves, never through the build tree or the current folder.
#
# The build tree is laid out as the installed tree: programs in bin/, libraries in lib/ (the
# install prefix's library folder), the Designer plugin in Qt's plugin folder below it. So one
# RPATH serves both trees, and the binaries are built with it: CMake's own build RPATH would be
# padded with empty entries, for rewriting at install time, and the loader reads an empty entry
# as the current folder.
#   programs   $ORIGIN/../<libdir>
#   libraries  $ORIGIN
#   plugin     $ORIGIN/<back to libdir>
# A build for a distribution package turns the RPATH off (EC_INSTALL_RPATH=OFF): there the
# libraries are on the system path, and that tree's binaries carry no search path at all, so
# they run only once installed (scripts/package builds no tests there).
include(GNUInstallDirs)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/${CMAKE_INSTALL_BINDIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/${CMAKE_INSTALL_LIBDIR})
set(CMAKE_BUILD_WITH_INSTALL_RPATH ON)

# Qt Designer finds plugins in Qt's own plugin folder, relative to the install prefix.
set(EC_DESIGNER_PLUGIN_DIR "${QT6_INSTALL_PLUGINS}/designer")

option(EC_INSTALL_RPATH "Programs and libraries find the project's libraries through $ORIGIN" ON)
if(EC_INSTALL_RPATH)
  set(CMAKE_INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  set(EC_LIBRARY_RPATH "$ORIGIN")
  file(RELATIVE_PATH plugin_to_libdir /${EC_DESIGNER_PLUGIN_DIR} /${CMAKE_INSTALL_LIBDIR})
  string(REGEX REPLACE "/$" "" plugin_to_libdir ${plugin_to_libdir})
  set(EC_PLUGIN_RPATH "$ORIGIN/${plugin_to_libdir}")
else()
  set(CMAKE_SKIP_INSTALL_RPATH ON)
endif()
