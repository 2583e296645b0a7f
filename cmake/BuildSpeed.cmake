# What keeps a cold build of the three variants (main, sanitizers, fuzzing) short on two cores:
# a compiler cache where one is installed, the gold linker, and precompiled headers shared by
# every target of a kind (library code on Qt Widgets, test programs).

find_program(EC_CCACHE ccache)
if(EC_CCACHE)
  set(CMAKE_C_COMPILER_LAUNCHER ${EC_CCACHE})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${EC_CCACHE})
endif()

add_link_options(-fuse-ld=gold)

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
