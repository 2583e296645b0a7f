# The program's window and its parts, kept in a library so that tests drive the real window.
add_library(EmberCofferWindow STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AboutVersion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CipherFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DroppedFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileDirection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileRun.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileTab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormParts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LinkLabel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasswordControl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasswordTab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StartupPasswordCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StoredPassword.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmAbout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmMain.cpp)
# The artwork, embedded under ":/embercoffer/". Drawn by resources/draw-artwork.
qt_add_resources(EmberCofferWindow artwork
  PREFIX /embercoffer
  BASE ${CMAKE_CURRENT_LIST_DIR}/resources
  FILES
    ${CMAKE_CURRENT_LIST_DIR}/resources/banner.jpg
    ${CMAKE_CURRENT_LIST_DIR}/resources/file-tab.png
    ${CMAKE_CURRENT_LIST_DIR}/resources/lock-hover.png
    ${CMAKE_CURRENT_LIST_DIR}/resources/lock-rest.png
    ${CMAKE_CURRENT_LIST_DIR}/resources/password-tab.png
    ${CMAKE_CURRENT_LIST_DIR}/resources/program.png
    ${CMAKE_CURRENT_LIST_DIR}/resources/unlock-hover.png
    ${CMAKE_CURRENT_LIST_DIR}/resources/unlock-rest.png)
target_include_directories(EmberCofferWindow PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_compile_definitions(EmberCofferWindow PUBLIC EMBERCOFFER_VERSION="${EMBERCOFFER_VERSION}")
target_link_libraries(EmberCofferWindow PUBLIC
  Qt6::Widgets VantrelGlobals VantrelButton EmberFileRules platform_core platform_ui)
# The application password: the registry classes and the password control library.
target_link_libraries(EmberCofferWindow PUBLIC ASRegistryLib VantrelPassword platform_com)

add_executable(EmberCoffer ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(EmberCoffer PRIVATE EmberCofferWindow)
