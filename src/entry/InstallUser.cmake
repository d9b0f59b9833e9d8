# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DBUNDLE_DIR=<path to Overmoor.vst3> -P InstallUser.cmake
# HOME is read when the copy runs, not when the build was configured.
if(NOT BUNDLE_DIR OR NOT EXISTS "${BUNDLE_DIR}")
  message(FATAL_ERROR "No bundle at '${BUNDLE_DIR}': build the Overmoor target first")
endif()
if(NOT DEFINED ENV{HOME} OR "$ENV{HOME}" STREQUAL "")
  message(FATAL_ERROR "HOME is not set; cannot locate ~/.vst3")
endif()
get_filename_component(_name "${BUNDLE_DIR}" NAME)
set(_target "$ENV{HOME}/.vst3/${_name}")
file(MAKE_DIRECTORY "$ENV{HOME}/.vst3")
file(REMOVE_RECURSE "${_target}")
file(COPY "${BUNDLE_DIR}" DESTINATION "$ENV{HOME}/.vst3")
message(STATUS "Installed ${_target}")
