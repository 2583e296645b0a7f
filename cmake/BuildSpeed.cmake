# What keeps a cold build of the three variants (main, sanitizers, fuzzing) short on two cores:
# a compiler cache where one is installed, the gold linker where there is one, and precompiled
# headers shared by every target of a kind (library code on Qt Widgets, test programs).

find_program(EC_CCACHE ccache)
if(EC_CCACHE)
  set(CMAKE_C_COMPILER_LAUNCHER ${EC_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${EC_CCACHE})
endif()

# The gold linker where the toolchain has it (ec_defaults links this target); the default
# linker otherwise.
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=gold EC_HAS_GOLD)
add_library(ec_linker INTERFACE)
if(EC_HAS_GOLD)
  target_link_options(ec_linker INTERFACE -fuse-ld=gold)
endif()

# The normal tree compiles the shipped code in batches of files, which halves its cold build.
# The sanitizer tree compiles file by file: every file proves that it includes what it uses,
# and the linter finds each file's own compile command there.
if(NOT EC_SANITIZE)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE 8)
endif()

set(EC_LIBRARY_PCH <QtWidgets/QWidget> <QtWidgets/QLabel> <QtWidgets/QPushButton>
    <QtGui/QPainter> <QtGui/QPixmap> <QtCore/QString> <QtCore/QObject>
    <functional> <map> <memory> <optional> <string> <vector>)
set(EC_TEST_PCH <gtest/gtest.h> <gmock/gmock.h> ${EC_LIBRARY_PCH})

# ec_library_headers(TARGET): library code on Qt Widgets shares one precompiled header; the
# first such target builds it. Call it after the target links Qt6::Widgets.
function(ec_library_headers target)
  ec_share_headers(${target} EC_LIBRARY_PCH_OWNER "${EC_LIBRARY_PCH}")
endfunction()

# ec_test_headers(TARGET): every test program shares one precompiled header.
function(ec_test_headers target)
  ec_share_headers(${target} EC_TEST_PCH_OWNER "${EC_TEST_PCH}")
endfunction()

function(ec_share_headers target owner_property headers)
  get_property(owner GLOBAL PROPERTY ${owner_property})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  else()
    target_precompile_headers(${target} PRIVATE ${headers})
    set_property(GLOBAL PROPERTY ${owner_property} ${target})
  endif()
endfunction()

# ec_moc_only_where_needed(FOLDER): automatic moc costs a scan and a compiled file in every
# target, even where there is nothing for moc to do; it stays on only for targets whose sources,
# or the headers of the same name beside them, declare Qt meta-objects. Call it once at the end
# of the top-level file.
function(ec_moc_only_where_needed folder)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY" OR type STREQUAL "UTILITY")
      continue()
    endif()
    get_target_property(automoc ${target} AUTOMOC)
    ec_declares_meta_objects(${target} needed)
    if(automoc AND NOT needed)
      set_target_properties(${target} PROPERTIES AUTOMOC OFF)
    endif()
  endforeach()
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder IN LISTS subfolders)
    ec_moc_only_where_needed(${subfolder})
  endforeach()
endfunction()

function(ec_declares_meta_objects target result)
  get_target_property(sources ${target} SOURCES)
  get_target_property(source_dir ${target} SOURCE_DIR)
  set(files)
  foreach(source IN LISTS sources)
    if(source MATCHES "^\\$<")
      continue()
    endif()
    get_filename_component(path "${source}" ABSOLUTE BASE_DIR "${source_dir}")
    get_filename_component(stem "${path}" NAME_WLE)
    get_filename_component(folder "${path}" DIRECTORY)
    list(APPEND files "${path}" "${folder}/${stem}.h")
  endforeach()
  foreach(file IN LISTS files)
    if(EXISTS "${file}")
      file(STRINGS "${file}" found REGEX "Q_OBJECT|Q_GADGET|Q_NAMESPACE|Q_PLUGIN_METADATA")
      if(found)
        set(${result} TRUE PARENT_SCOPE)
        return()
      endif()
    endif()
  endforeach()
  set(${result} FALSE PARENT_SCOPE)
endfunction()
