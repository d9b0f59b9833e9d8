# SPDX-License-Identifier: GPL-3.0-or-later
# overmoor_keep_bundle_text_libraries(<target> [ALWAYS]): a program (or a library of programs)
# that loads and unloads the bundle links the bundle's text libraries (Pango, fontconfig and the
# GLib under them) itself, so they stay loaded after the bundle goes. What they allocate when they load then belongs to a
# module the leak checker still knows (and may excuse), instead of one that has vanished. Tools
# need it only in sanitizer builds; tests that draw the editor always.
function(overmoor_keep_bundle_text_libraries target)
  cmake_parse_arguments(ARG "ALWAYS" "" "" ${ARGN})
  if(NOT OVERMOOR_EDITOR OR (NOT ARG_ALWAYS AND NOT OVERMOOR_SANITIZE))
    return()
  endif()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(BUNDLE_TEXT_LIBS REQUIRED IMPORTED_TARGET pangocairo fontconfig)
  # A library passes the duty on to the programs that link it.
  get_target_property(_type ${target} TYPE)
  set(_scope PRIVATE)
  if(_type STREQUAL "INTERFACE_LIBRARY")
    set(_scope INTERFACE)
  elseif(_type STREQUAL "STATIC_LIBRARY")
    set(_scope PUBLIC)
  endif()
  target_link_libraries(${target} ${_scope} PkgConfig::BUNDLE_TEXT_LIBS)
  target_link_options(${target} ${_scope} -Wl,--no-as-needed)
endfunction()
