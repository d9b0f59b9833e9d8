# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows test build (cross-built with mingw-w64, run under Wine): GoogleTest compiled from
# Debian's sources (they define GTest::gtest and GTest::gtest_main), and one CTest test per
# program instead of one per case, since every Wine process start costs a fraction of a second.
set(OVERMOOR_GTEST_SOURCE /usr/src/googletest/googletest CACHE PATH "GoogleTest sources")
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${OVERMOOR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_compile_options(gtest PRIVATE -w)
target_compile_options(gtest_main PRIVATE -w)

# Areas that stay on Linux: interposed malloc and pthread calls (realtime), the command-line tools
# (render, and fuzz-regressions through the renderer's option parser), stand-in libraries that call
# back into the test program (hosting).
set(OVERMOOR_LINUX_ONLY_TESTS realtime render fuzz-regressions hosting)

function(gtest_discover_tests target)
  cmake_parse_arguments(ARG "" "DISCOVERY_TIMEOUT" "PROPERTIES" ${ARGN})
  add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
  if(ARG_PROPERTIES)
    set_tests_properties(${target} PROPERTIES ${ARG_PROPERTIES})
  endif()
endfunction()
