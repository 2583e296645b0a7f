# EC_SANITIZE: the whole tree with AddressSanitizer and UndefinedBehaviorSanitizer. With clang
# the code is also instrumented for coverage-guided fuzzing, and the libFuzzer targets are
# built in the same tree, so the sanitizer suite and the fuzzers share one compilation.
if(NOT EC_SANITIZE)
  return()
endif()

set(EC_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined
    -fno-omit-frame-pointer)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(EC_FUZZING ON)
  add_compile_options(${EC_SANITIZERS} -fsanitize=fuzzer-no-link)
else()
  add_compile_options(${EC_SANITIZERS})
endif()
add_link_options(-fsanitize=address,undefined)

# The sanitizer tree's own build type: light optimisation and line tables, which keep reports
# readable and the compilation short.
set(CMAKE_CXX_FLAGS_SANITIZE "-O1 -gline-tables-only")
set(CMAKE_C_FLAGS_SANITIZE "-O1 -gline-tables-only")
