# What `cmake --install` installs, in two components:
#   runtime  the programs, the shared libraries (by SONAME), desktop entry, icons, AppStream
#            metadata, MIME type, man pages, bash completion and documentation;
#   sdk      what a host program of the password control builds with: headers under
#            include/VantrelPassword/, the libraries' development links, the CMake package
#            (find_package(VantrelPassword) gives VantrelPassword::VantrelPassword), a
#            pkg-config file and the Qt Designer plugin.
include(CMakePackageConfigHelpers)

set(EC_SDK_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/VantrelPassword)

# --- programs: the registry tools get names that say whose they are -----------------------
install(TARGETS EmberCoffer ecx reg regsvr RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  COMPONENT runtime)
foreach(pair reg:embercoffer-reg regsvr:embercoffer-regsvr)
  string(REPLACE ":" ";" names ${pair})
  list(GET names 0 build_name)
  list(GET names 1 installed_name)
  install(CODE "file(RENAME
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${build_name}\"
      \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${installed_name}\")"
    COMPONENT runtime)
endforeach()

# --- libraries: the runtime gets the SONAME files, the SDK the development links -----------
# All of them are in the CMake package: a host links the control library and the component
# layer, and the linker follows them to the libraries they use.
install(TARGETS VantrelPassword EmberPlatformCom platform_core EmberPlatformRegistry
    EmberPlatformUi VantrelGlobals VantrelGlobalsWidgets VantrelButton
  EXPORT VantrelPasswordTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT sdk
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} ${EC_SDK_INCLUDE_DIR})

# The Designer plugin, in Qt's plugin folder under the prefix (cmake/InstallLayout.cmake).
install(TARGETS VantrelPasswordDesigner LIBRARY DESTINATION ${EC_DESIGNER_PLUGIN_DIR}
  COMPONENT sdk)

# --- SDK headers ------------------------------------------------------------------------
# The Qt-style class at the top; the component interface below it with the paths that the
# library's own sources use, so that its headers find each other. Only what a host calls, and
# what those headers need: ComPtr.h stays because FormContainer hands out its controls in it;
# the classes that implement objects (ComObject.h, ClassFactory.h, PropertyBag.h) stay inside.
install(FILES password/sdk/PasswordControl.h DESTINATION ${EC_SDK_INCLUDE_DIR} COMPONENT sdk)
install(FILES
    password/VTPasswordDispIds.h
    password/VTPasswordIds.h
    password/VantrelPasswordExports.h
    ${PROJECT_BINARY_DIR}/password/VantrelPasswordExport.h
  DESTINATION ${EC_SDK_INCLUDE_DIR}/password COMPONENT sdk)
install(FILES
    platform/com/ClassFactoryInterface.h
    platform/com/ClassObjects.h
    platform/com/ComPtr.h
    platform/com/Dispatch.h
    platform/com/FormContainer.h
    platform/com/Guid.h
    platform/com/HResult.h
    platform/com/PropertyValues.h
    platform/com/SavedForm.h
    platform/com/TypeInfo.h
    platform/com/Unknown.h
    platform/com/Variant.h
    ${PROJECT_BINARY_DIR}/platform/com/PlatformComExport.h
  DESTINATION ${EC_SDK_INCLUDE_DIR}/platform/com COMPONENT sdk)
install(FILES platform/core/VBool.h DESTINATION ${EC_SDK_INCLUDE_DIR}/platform/core
  COMPONENT sdk)

# --- CMake package and pkg-config file --------------------------------------------------
set(EC_CMAKE_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/VantrelPassword)
install(EXPORT VantrelPasswordTargets NAMESPACE VantrelPassword::
  DESTINATION ${EC_CMAKE_PACKAGE_DIR} COMPONENT sdk)
configure_package_config_file(cmake/VantrelPasswordConfig.cmake.in
  ${PROJECT_BINARY_DIR}/VantrelPasswordConfig.cmake INSTALL_DESTINATION ${EC_CMAKE_PACKAGE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/VantrelPasswordConfigVersion.cmake
  VERSION ${VANTRELPASSWORD_SDK_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/VantrelPasswordConfig.cmake
    ${PROJECT_BINARY_DIR}/VantrelPasswordConfigVersion.cmake
  DESTINATION ${EC_CMAKE_PACKAGE_DIR} COMPONENT sdk)
# The pkg-config file names the prefix it is installed under, so its flags carry plain paths
# (/usr/include, not /usr/lib/pkgconfig/../../include): the prefix is filled in at install time,
# straight into the installed file, since installs of one build tree into several prefixes may
# run at once.
set(EC_PC_PREFIX "@EC_PC_PREFIX@")
configure_file(cmake/VantrelPassword.pc.in ${PROJECT_BINARY_DIR}/VantrelPassword.pc.in @ONLY)
install(CODE "
  cmake_path(SET EC_PC_PREFIX NORMALIZE \"\${CMAKE_INSTALL_PREFIX}\")
  string(REGEX REPLACE \"(.)/$\" \"\\\\1\" EC_PC_PREFIX \"\${EC_PC_PREFIX}\")
  configure_file(\"${PROJECT_BINARY_DIR}/VantrelPassword.pc.in\"
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig/VantrelPassword.pc\"
    @ONLY)" COMPONENT sdk)

# --- desktop integration ----------------------------------------------------------------
set(EC_APP_ID example.corvantide.EmberCoffer)
install(FILES packaging/desktop/${EC_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT runtime)
# The AppStream metadata lists the releases in NEWS.
ec_appstream_releases(EC_APPSTREAM_RELEASES)
configure_file(packaging/desktop/${EC_APP_ID}.metainfo.xml.in
  ${PROJECT_BINARY_DIR}/packaging/${EC_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${EC_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT runtime)
install(FILES packaging/desktop/${EC_APP_ID}.mime.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${EC_APP_ID}.xml COMPONENT runtime)
# "Encrypt with Ember Coffer" and "Decrypt with Ember Coffer" in the file managers' context menus.
install(FILES packaging/filemanager/${EC_APP_ID}.encrypt.desktop
  packaging/filemanager/${EC_APP_ID}.decrypt.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/kio/servicemenus
  PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
  COMPONENT runtime)
install(FILES packaging/filemanager/embercoffer-encrypt.nemo_action
  packaging/filemanager/embercoffer-decrypt.nemo_action
  DESTINATION ${CMAKE_INSTALL_DATADIR}/nemo/actions COMPONENT runtime)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES packaging/icons/embercoffer-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${EC_APP_ID}.png COMPONENT runtime)
endforeach()
install(FILES packaging/icons/embercoffer.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
  RENAME ${EC_APP_ID}.svg COMPONENT runtime)

# --- manuals and completion -------------------------------------------------------------
# Manual pages get their title line's version and date from NEWS, and are installed
# compressed, as Debian expects them.
set(EC_MAN_PAGES EmberCoffer ecx embercoffer-reg embercoffer-regsvr)
set(EC_COMPRESSED_MAN_PAGES)
foreach(page ${EC_MAN_PAGES})
  set(manual ${PROJECT_BINARY_DIR}/man/${page}.1)
  set(compressed ${manual}.gz)
  configure_file(packaging/man/${page}.1.in ${manual} @ONLY)
  add_custom_command(OUTPUT ${compressed}
    COMMAND gzip -n -9 -k -f ${manual}
    DEPENDS ${manual} VERBATIM)
  list(APPEND EC_COMPRESSED_MAN_PAGES ${compressed})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${EC_COMPRESSED_MAN_PAGES})
install(FILES ${EC_COMPRESSED_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
  COMPONENT runtime)
install(FILES packaging/completion/ecx
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions COMPONENT runtime)
