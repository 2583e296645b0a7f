# Where `cmake --install` puts things (GNUInstallDirs: bin/, lib/ or lib/<triplet>/ under
# /usr, include/, share/), and how installed programs find the project's libraries: through
# an RPATH relative to themselves, never through the build tree. A build for a distribution
# package turns the RPATH off (EC_INSTALL_RPATH=OFF): there the libraries are on the system
# path.
include(GNUInstallDirs)

option(EC_INSTALL_RPATH "Installed programs and libraries find the project's libraries through $ORIGIN" ON)
if(EC_INSTALL_RPATH)
  set(CMAKE_INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
else()
  set(CMAKE_SKIP_INSTALL_RPATH ON)
endif()

# Qt Designer finds plugins in Qt's own plugin folder, relative to the install prefix.
set(EC_DESIGNER_PLUGIN_DIR "${QT6_INSTALL_PLUGINS}/designer")
