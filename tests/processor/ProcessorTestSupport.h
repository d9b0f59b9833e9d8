// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A processor over a DSP host that records what it is handed.
#include "framework/CMVXPlugInDSP.h"
#include "processor/CMVXAudioPlugInVST3.h"
#include <algorithm>
#include <memory>
#include <vector>

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

// Writes half the first input to the first output and a marker to the second, and reports the
// ids it is told to after every write or block.
class RecordingDsp : public CMVXPlugInDSP
{
public:
    static constexpr float kSecondOutputMarker = 123.0f;
    struct ProcessCall
    {
        float *inputs[2], *outputs[2];
        int32_t numSamples;
        bool secondInputCopiesFirst;
    };

    RecordingDsp ()
    {
        auto owned = std::make_unique<RecordingAlgorithm> ();
        algorithm = owned.get ();
        addAlgorithm (0, std::move (owned));
        writes.reserve (64);
        processCalls.reserve (64);
    }
    using CMVXPlugInDSP::setParameterNormalized;
    void setParameterNormalized (int32_t id, float value, int32_t* changedIds,
                                 int32_t* changedCount) override
    {
        writes.emplace_back (id, value);
        if (changedIds && changedCount)
            report (reportOnWrite, changedIds, changedCount);
    }
    float getParameterNormalized (int32_t id) override
    {
        return id >= 0 && id < 16 ? valueOf[id] : 0.0f;
    }
    void process (float** in, float** out, int32_t numSamples, int32_t* changedIds,
                  int32_t* changedCount) override
    {
        const bool copies = std::equal (in[0], in[0] + numSamples, in[1]);
        processCalls.push_back ({{in[0], in[1]}, {out[0], out[1]}, numSamples, copies});
        std::transform (in[0], in[0] + numSamples, out[0], [] (float x) { return 0.5f * x; });
        std::fill_n (out[1], numSamples, kSecondOutputMarker);
        report (reportOnProcess, changedIds, changedCount);
    }
    int32_t getMaxParameterReports () override { return 4; }
    int32_t getMaxProcessReports () override { return 3; }

    RecordingAlgorithm* algorithm = nullptr;
    std::vector<std::pair<int32_t, float>> writes;
    std::vector<ProcessCall> processCalls;
    std::vector<int32_t> reportOnWrite, reportOnProcess;
    float valueOf[16] = {};

private:
    static void report (const std::vector<int32_t>& ids, int32_t* changedIds, int32_t* changedCount)
    {
        *changedCount =
            static_cast<int32_t> (std::copy (ids.begin (), ids.end (), changedIds) - changedIds);
    }
};

class ProcessorOnRecordingDsp : public CMVXAudioPlugInVST3
{
public:
    ProcessorOnRecordingDsp () { installDsp (std::make_unique<RecordingDsp> ()); }
    RecordingDsp& recorder () { return *static_cast<RecordingDsp*> (dsp.get ()); }
    const std::vector<int32_t>& pendingIds () const { return pendingOutputIds; }
};
