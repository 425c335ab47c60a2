# Instrumented builds of the portable core, each in a build directory of its own:
#  MDX_SANITIZE=ON  every target with AddressSanitizer and UndefinedBehaviorSanitizer; any
#                   finding ends the process, so a test that triggers one fails.
#  MDX_FUZZ=ON      clang only: the core instrumented for libFuzzer plus both sanitizers,
#                   and the fuzz targets of tests/fuzz.
# The flags go in before any target is made, so they cover every library of the core.
option(MDX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(MDX_FUZZ "Build the libFuzzer targets of tests/fuzz (clang)" OFF)

set(MDX_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

if(MDX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "MDX_FUZZ needs clang (libFuzzer): configure with CMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(${MDX_SANITIZER_FLAGS} -fsanitize=fuzzer-no-link)
  add_link_options(${MDX_SANITIZER_FLAGS})
elseif(MDX_SANITIZE)
  add_compile_options(${MDX_SANITIZER_FLAGS})
  add_link_options(${MDX_SANITIZER_FLAGS})
endif()
