// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Test doubles around the processor: a recording DSP host and algorithm, a processor that runs
// on them, and state streams that end the way different hosts end them.
#include "framework/CMVXPlugInDSP.h"
#include "processor/CMVXAudioPlugInVST3.h"
#include "pluginterfaces/base/ibstream.h"
#include "public.sdk/source/common/memorystream.h"
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// An algorithm that only counts the settings updates it is asked for.
class RecordingAlgorithm : public CMVXDSPAlgInterface
{
public:
    RecordingAlgorithm () : CMVXDSPAlgInterface (48000.0, 256) {}
    void updateSettings (bool reinitialize) override
    {
        ++updateCalls;
        lastReinit = reinitialize;
        updatePending.store (false);
    }
    void resetState () override {}
    std::string getInfoText () override { return {}; }

    int updateCalls = 0;
    bool lastReinit = false;
};

// A DSP host that records what the processor hands it. Its process writes half the first input to
// the first output and a marker to the second output, and can report parameter ids.
class RecordingDsp : public CMVXPlugInDSP
{
public:
    static constexpr float kSecondOutputMarker = 123.0f;

    RecordingDsp ();

    void setParameterNormalized (int32_t id, float value, int32_t* changedIds,
                                 int32_t* changedCount) override;
    using CMVXPlugInDSP::setParameterNormalized;
    float getParameterNormalized (int32_t id) override;
    void process (float** inputs, float** outputs, int32_t numSamples, int32_t* changedIds,
                  int32_t* changedCount) override;
    int32_t getMaxParameterReports () override { return 4; }
    int32_t getMaxProcessReports () override { return 3; }

    RecordingAlgorithm* algorithm () { return recordingAlgorithm; }

    struct ProcessCall
    {
        float* inputs[2];
        float* outputs[2];
        int32_t numSamples;
        bool secondInputCopiesFirst;
    };
    std::vector<std::pair<int32_t, float>> writes;   // (id, value) of host-side writes
    std::vector<ProcessCall> processCalls;
    std::vector<int32_t> reportOnWrite;              // ids reported for every write
    std::vector<int32_t> reportOnProcess;            // ids reported for every block
    float valueOf[16] = {};

private:
    RecordingAlgorithm* recordingAlgorithm = nullptr;
};

// The generic processor over a RecordingDsp, with its protected state exposed.
class ProcessorOnRecordingDsp : public CMVXAudioPlugInVST3
{
public:
    ProcessorOnRecordingDsp ();
    RecordingDsp& recorder () { return *static_cast<RecordingDsp*> (dsp.get ()); }
    const std::vector<int32_t>& pendingIds () const { return pendingOutputIds; }
};

// Reads like most hosts at the end of the data: kResultOk with fewer bytes.
using ShortReadStream = Steinberg::MemoryStream;

// Reads like the other hosts: kResultFalse when fewer bytes remain than asked for.
class FailingReadStream : public Steinberg::MemoryStream
{
public:
    Steinberg::tresult PLUGIN_API read (void* buffer, Steinberg::int32 numBytes,
                                        Steinberg::int32* numBytesRead) override;
};

// A stream holding the given floats as little-endian bytes.
std::vector<uint8_t> littleEndianBytes (const std::vector<float>& values);
void fillStream (Steinberg::MemoryStream& stream, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> streamBytes (Steinberg::MemoryStream& stream);
