# SPDX-License-Identifier: GPL-3.0-or-later
# overmoor_keep_bundle_text_libraries(<target> [ALWAYS]): a program that loads and unloads the
# bundle links the bundle's text libraries (Pango, fontconfig and the GLib under them) itself, so
# they stay loaded after the bundle goes. What they allocate when they load then belongs to a
# module the leak checker still knows (and may excuse), instead of one that has vanished. Tools
# need it only in sanitizer builds; tests that draw the editor always.
function(overmoor_keep_bundle_text_libraries target)
  cmake_parse_arguments(ARG "ALWAYS" "" "" ${ARGN})
  if(NOT OVERMOOR_EDITOR OR (NOT ARG_ALWAYS AND NOT OVERMOOR_SANITIZE))
    return()
  endif()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(BUNDLE_TEXT_LIBS REQUIRED IMPORTED_TARGET pangocairo fontconfig)
  target_link_libraries(${target} PRIVATE PkgConfig::BUNDLE_TEXT_LIBS)
  target_link_options(${target} PRIVATE -Wl,--no-as-needed)
endfunction()
