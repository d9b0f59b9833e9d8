// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every harness shares: the list of broken expectations, a private preset folder, a host
// context, and a short audio run through a processor.
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"
#include <string>
#include <vector>

namespace OvermoorFuzz {

// Collects the first broken expectation of one input.
class Problems
{
public:
    void expect (bool holds, const std::string& what)
    {
        if (!holds && first.empty ())
            first = what;
    }
    bool any () const { return !first.empty (); }
    const std::string& text () const { return first; }

private:
    std::string first;
};

// Creates (once) an empty folder under /dev/shm or the temporary folder, points
// OVERMOOR_PRESET_DIR at it and removes it when the process ends.
const std::string& usePrivatePresetFolder ();
// Removes everything inside the folder, so that one input never sees another's presets.
void clearFolder (const std::string& folder);
bool fileExists (const std::string& path);

// One host context for the whole process (the SDK's host application is not reference-counted).
Steinberg::Vst::HostApplication& hostContext ();

// Sets up 48 kHz processing with blocks of blockSamples, then runs `blocks` blocks of a 220 Hz
// sine at half scale through the processor's busses; true when every output sample is finite.
bool processSineBlocks (Steinberg::Vst::IAudioProcessor& processor, Steinberg::Vst::IComponent& component,
                        int blocks, int blockSamples = 256);

bool isUnitValue (double value);   // finite and within 0..1

// Prints the problem and aborts, so that libFuzzer records the input as a crash.
void failOnProblem (const std::string& problem, const char* harness);

} // namespace OvermoorFuzz
