# The Debian packages, built by CPack (scripts/package):
#   embercoffer              the runtime component: programs, libraries, desktop integration;
#   libvantrelpassword-dev   the sdk component: headers, CMake package, pkg-config file and
#                            the Qt Designer plugin.
# Library dependencies come from dpkg-shlibdeps; only what no library link shows is named
# here (the fonts the windows are drawn with, and the runtime that the SDK belongs to).
set(EC_DEB_VERSION ${EC_RELEASE_VERSION}-1)
set(EC_DEB_RUNTIME embercoffer)
set(EC_DEB_SDK libvantrelpassword-dev)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${EC_DEB_RUNTIME})
set(CPACK_PACKAGE_VENDOR Corvantide)
set(CPACK_PACKAGE_CONTACT "Corvantide <embercoffer@corvantide.example>")
set(CPACK_PACKAGE_VERSION ${EC_RELEASE_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL runtime sdk)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY "=")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.corvantide.example/)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${EC_DEB_RUNTIME})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "fonts-liberation2")
# The first line is the synopsis; CPack indents the rest and marks the empty line.
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "protect files with a key
Ember Coffer encrypts a file with a key into an .ECX file beside it and
decrypts it again. An .ECX file is a standard age v1 file with a
passphrase, so any age implementation can open it. The desktop program
can lock itself behind an application password; the ecx command does the
same work from a terminal.

The package also carries the VTPassword password dialog control library
that the program hosts, and embercoffer-reg and embercoffer-regsvr for
the program's settings store.")
# The libraries are on the system path: the dynamic linker's cache is renewed by trigger.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/packaging/debian/triggers)

set(CPACK_DEBIAN_SDK_PACKAGE_NAME ${EC_DEB_SDK})
set(CPACK_DEBIAN_SDK_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_SDK_PACKAGE_DEPENDS "${EC_DEB_RUNTIME} (= ${EC_DEB_VERSION}), qt6-base-dev")
set(CPACK_DEBIAN_SDK_DESCRIPTION "VTPassword password dialog control - development files
The VTPassword control shows get, create and change password dialogs in
three sizes. This package has what a C++ program needs to host it: the
headers, the Qt-style class VantrelPassword::PasswordControl, a CMake
package (find_package(VantrelPassword)), a pkg-config file, and a Qt
Designer plugin that puts the control on forms.")

# The plugin links the control library of the runtime package; dpkg-shlibdeps looks for it
# there, and the dependency on that package is the one named above.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
  ${CMAKE_BINARY_DIR}/_CPack_Packages/Linux/DEB/${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-Linux/runtime/usr/${CMAKE_INSTALL_LIBDIR})

# Each package documents its copyright and changes where Debian expects them; the changelog
# is written from NEWS.
ec_debian_changelog(${EC_DEB_RUNTIME} "${CPACK_PACKAGE_CONTACT}" ${CPACK_DEBIAN_PACKAGE_RELEASE}
  EC_DEB_CHANGELOG)
foreach(component runtime sdk)
  string(TOUPPER ${component} upper)
  set(package ${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
  file(WRITE ${PROJECT_BINARY_DIR}/debian/${package}/changelog "${EC_DEB_CHANGELOG}")
  execute_process(COMMAND gzip -n -9 -f ${PROJECT_BINARY_DIR}/debian/${package}/changelog
    COMMAND_ERROR_IS_FATAL ANY)
  install(FILES packaging/debian/copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
  install(FILES ${PROJECT_BINARY_DIR}/debian/${package}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} RENAME changelog.Debian.gz
    COMPONENT ${component})
endforeach()

include(CPack)
