# SPDX-License-Identifier: GPL-3.0-or-later
# The fuzzing build: every library is compiled with coverage hooks for libFuzzer and with address
# and undefined-behaviour checks, so a fuzzer sees and guards the code it drives; only the fuzzer
# executables themselves link libFuzzer's main (fuzz/CMakeLists.txt).
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "OVERMOOR_FUZZ needs clang and libFuzzer: configure with CC=clang CXX=clang++ "
                      "(packages clang and libclang-rt-14-dev, see scripts/setup)")
endif()
if(OVERMOOR_SANITIZE)
  message(FATAL_ERROR "OVERMOOR_FUZZ brings its own sanitizers; leave OVERMOOR_SANITIZE empty")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                    -fno-sanitize-recover=undefined)
add_link_options(-fsanitize=address,undefined)
