# ec_defaults: the options and include folders that every target of the project compiles and
# links with. The project's own functions (ec_shared_library, ec_program, ec_add_test and the
# others) link it, and no such option is set for the whole tree: a target that does not link it
# gets none of them (and the suite's check of the compile commands finds it).
#   ec_warnings   the warnings the code is kept clean of;
#   ec_hardening  the protections a Debian package expects (cmake/Hardening.cmake);
#   ec_linker     the faster linker where there is one (cmake/BuildSpeed.cmake);
#   include dirs  includes are rooted at the project ("platform/ui/MessageBox.h"); the generated
#                 export headers sit in the build folder under the same roots.
include(cmake/Hardening.cmake)

add_library(ec_warnings INTERFACE)
target_compile_options(ec_warnings INTERFACE -Wall -Wextra)

add_library(ec_defaults INTERFACE)
target_include_directories(ec_defaults INTERFACE $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
  $<BUILD_INTERFACE:${PROJECT_BINARY_DIR}>)
target_link_libraries(ec_defaults INTERFACE ec_warnings ec_hardening ec_linker)
