include(GenerateExportHeader)

# Every target made here links ec_defaults (cmake/Defaults.cmake): warnings, hardening and the
# project's include roots. Targets made elsewhere link it themselves.

# ec_shared_library(TARGET EXPORT_HEADER <rooted path> VERSION <x.y.z> SOVERSION <n> SOURCES ...)
# A shared library of the project: hidden symbols, an export header generated at the rooted
# path given (its macro is the header's name in capitals, less "Export.h": VantrelButtonExport.h
# gives VANTRELBUTTON_EXPORT) and a versioned SONAME.
function(ec_shared_library target)
  cmake_parse_arguments(L "" "EXPORT_HEADER;VERSION;SOVERSION" "SOURCES" ${ARGN})
  add_library(${target} SHARED ${L_SOURCES})
  set_property(GLOBAL APPEND PROPERTY EC_SHARED_LIBRARIES ${target})
  get_filename_component(header_name ${L_EXPORT_HEADER} NAME_WE)
  string(REGEX REPLACE "Export$" "" base_name ${header_name})
  generate_export_header(${target} BASE_NAME ${base_name}
    EXPORT_FILE_NAME ${PROJECT_BINARY_DIR}/${L_EXPORT_HEADER})
  # No <target>_EXPORTS definition: on ELF the export macro is the same when building and
  # using, and one set of definitions lets all library code share a precompiled header.
  set_target_properties(${target} PROPERTIES VERSION ${L_VERSION} SOVERSION ${L_SOVERSION}
    DEFINE_SYMBOL "" INSTALL_RPATH "${EC_LIBRARY_RPATH}")
  target_link_libraries(${target} PRIVATE ec_defaults)
endfunction()

# ec_parts_library(TARGET SOURCES ...): the objects of a shared library, compiled once, that
# its tests also link directly. Only the shared library and test programs may link it.
function(ec_parts_library target)
  cmake_parse_arguments(L "" "" "SOURCES" ${ARGN})
  add_library(${target} OBJECT ${L_SOURCES})
  target_link_libraries(${target} PRIVATE ec_defaults)
endfunction()

# ec_static_library(TARGET SOURCES ...): code linked into exactly one program (and its tests).
# It holds no state that a shared library could also hold.
function(ec_static_library target)
  cmake_parse_arguments(L "" "" "SOURCES" ${ARGN})
  add_library(${target} STATIC ${L_SOURCES})
  target_link_libraries(${target} PRIVATE ec_defaults)
endfunction()

# ec_program(TARGET SOURCES ...): a program of the project.
function(ec_program target)
  cmake_parse_arguments(L "" "" "SOURCES" ${ARGN})
  add_executable(${target} ${L_SOURCES})
  target_link_libraries(${target} PRIVATE ec_defaults)
endfunction()
