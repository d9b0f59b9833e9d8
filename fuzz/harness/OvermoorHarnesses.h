// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One function per fuzzer: runs one input through the plug-in and returns the first expectation
// it broke (empty when all held). The fuzzers abort on a problem; the regression tests feed the
// recorded inputs through the same functions in the normal build.
#include <cstddef>
#include <cstdint>
#include <string>

namespace OvermoorFuzz {

// The bytes as a component state, through a stream that ends with short reads and one that ends
// with an error; then the state read back and two blocks processed.
std::string runStateInput (const uint8_t* data, size_t size);
// A sequence of messages to a connected processor whose preset folder is private.
std::string runProcessorMessages (const uint8_t* data, size_t size);
// A sequence of messages and requests to a connected edit controller with an attached editor.
std::string runControllerMessages (const uint8_t* data, size_t size);
// Preset list and selected-number texts: parsing anything, and building then parsing back.
std::string runPresetListText (const uint8_t* data, size_t size);
// The bytes as a .vstpreset file (and a cut copy) in the preset folder, loaded by the DSP host.
std::string runPresetFolderInput (const uint8_t* data, size_t size);
// The bytes, split at zero bytes, as the renderer's command line.
std::string runRenderOptions (const uint8_t* data, size_t size);

} // namespace OvermoorFuzz
