# ec_hardening: the protections a Debian package expects of every program and library, from
# the project itself, so that every tree has them (a package build adds dpkg-buildflags on top):
# a stack protector, fortified libc calls where the code is optimised (glibc needs it; the
# sanitizer tree goes without), stack clash and control-flow protection where the compiler has
# them, relocations read-only and bound at start-up, and position-independent programs.
include(CheckCXXCompilerFlag)
include(CheckPIESupported)

set(CMAKE_POSITION_INDEPENDENT_CODE ON)
check_pie_supported()

add_library(ec_hardening INTERFACE)
target_compile_options(ec_hardening INTERFACE -fstack-protector-strong)
target_compile_definitions(ec_hardening INTERFACE
  $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
foreach(flag -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "EC_HAS${flag}" supported)
  check_cxx_compiler_flag(${flag} ${supported})
  if(${supported})
    target_compile_options(ec_hardening INTERFACE ${flag})
  endif()
endforeach()
target_link_options(ec_hardening INTERFACE LINKER:-z,relro,-z,now)
