// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/CMVXPlugInDSP.h"
#include "framework/NonFiniteSamples.h"
#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kMinPeakChannels = 2;
constexpr int kAudioChannels = 2;   // every block carries two (a mono bus is widened)

bool blockIsFinite_rt (float* const* channels, int32_t numSamples)
{
    return NonFiniteSamples::allFinite_rt (channels[0], numSamples)
           && NonFiniteSamples::allFinite_rt (channels[1], numSamples);
}

std::unique_ptr<float[]> zeroedPeaks (int32_t channels)
{
    const size_t size = static_cast<size_t> (std::max (channels, kMinPeakChannels));
    return std::unique_ptr<float[]> (new float[size]());
}

}   // namespace

CMVXPlugInDSP::CMVXPlugInDSP ()
{
    setChannelCount (2, 2);
}

CMVXPlugInDSP::~CMVXPlugInDSP () = default;

float CMVXPlugInDSP::getParameterNormalized (int32_t id)
{
    CMVXDSPAlgInterface* algorithm = getCurrentAlgorithm ();
    if (algorithm == nullptr)
        return 0.0f;
    const CMVXParameter* param = algorithm->findParameter (id);
    return param == nullptr ? 0.0f : static_cast<float> (param->getNormalized ());
}

void CMVXPlugInDSP::setParameterNormalized (int32_t id, float value, int32_t* changedIds,
                                            int32_t* changedCount)
{
    if (changedIds != nullptr && changedCount != nullptr)
        *changedCount = 0;
    // Normalised values are 0..1; states from disk and hosts may hold anything else.
    if (std::isnan (value))
        return;
    CMVXDSPAlgInterface* algorithm = getCurrentAlgorithm ();
    if (algorithm == nullptr)
        return;
    if (CMVXParameter* param = algorithm->findParameter (id))
        param->setNormalized (static_cast<double> (std::clamp (value, 0.0f, 1.0f)));
}

void CMVXPlugInDSP::setParameterNormalized (int32_t id, float value)
{
    setParameterNormalized (id, value, nullptr, nullptr);
}

void CMVXPlugInDSP::setChannelCount (int32_t inputs, int32_t outputs)
{
    if (inputs < 0 || outputs < 0)
        return;
    if (inputs == numInputs && outputs == numOutputs && inputPeaks && outputPeaks)
        return;
    inputPeaks = zeroedPeaks (inputs);
    outputPeaks = zeroedPeaks (outputs);
    numInputs = inputs;
    numOutputs = outputs;
    for (auto& entry : algorithms)
        entry.second->setChannelCounts (inputs, outputs);
}

void CMVXPlugInDSP::processAux (float** inputs, float** outputs, float* inPeaks, float* outPeaks,
                                int32_t numSamples)
{
    if (CMVXDSPAlgInterface* algorithm = getCurrentAlgorithm ())
        algorithm->processAux (inputs, outputs, inPeaks, outPeaks, numSamples);
}

// Audio thread: no allocation, no locks.
void CMVXPlugInDSP::process (float** inputs, float** outputs, int32_t numSamples,
                             int32_t* changedIds, int32_t* changedCount)
{
    CMVXDSPAlgInterface* algorithm = getCurrentAlgorithm ();
    if (algorithm == nullptr)
        return;
    if (changedCount != nullptr)
        *changedCount = 0;
    if (inputs == nullptr || outputs == nullptr || numSamples <= 0)
        return;
    // A NaN or infinity must neither enter the algorithm, whose recursions would keep it, nor
    // leave it: one such sample sent to a host can silence its whole mix. Finite blocks pass
    // untouched. Input is cleaned into the output buffers (algorithms process in place).
    float* source[kAudioChannels] = {inputs[0], inputs[1]};
    if (!blockIsFinite_rt (inputs, numSamples))
        for (int c = 0; c < kAudioChannels; ++c)
        {
            NonFiniteSamples::copyWithNonFiniteZeroed_rt (inputs[c], outputs[c], numSamples);
            source[c] = outputs[c];
        }
    algorithm->processBlock (source, outputs, inputPeaks.get (), outputPeaks.get (), numSamples,
                             changedIds, changedCount);
    if (!blockIsFinite_rt (outputs, numSamples))
    {
        // Finite input that overflowed inside: the algorithm restores its own state by the end
        // of the block; what it already wrote is silenced here.
        for (int c = 0; c < kAudioChannels; ++c)
            NonFiniteSamples::copyWithNonFiniteZeroed_rt (outputs[c], outputs[c], numSamples);
    }
}

float* CMVXPlugInDSP::getCustomFloatData (int32_t, int32_t& count)
{
    count = 0;
    return nullptr;
}

std::string CMVXPlugInDSP::getParameterText (int32_t globalId, bool withName, bool withUnit)
{
    int32_t localId = 0;
    CMVXDSPAlgInterface* algorithm = findParameterAlgorithm (globalId, localId);
    if (algorithm == nullptr)
        return {};
    const CMVXParameter* param = algorithm->findParameter (localId);
    return param == nullptr ? std::string () : param->formatValue (withName, withUnit, -1.0);
}

int32_t CMVXPlugInDSP::getParameterCount () const
{
    return parameterInfo ? parameterInfo->getNumParams () : 0;
}

int32_t CMVXPlugInDSP::getFirstParameterId () const
{
    return parameterInfo ? parameterInfo->getFirstParamId () : 0;
}

void CMVXPlugInDSP::setSampleRate (double sampleRateHz)
{
    if (!(sampleRateHz > 0.0))
        return;
    for (auto& entry : algorithms)
    {
        entry.second->sampleRate.store (sampleRateHz, std::memory_order_relaxed);
        entry.second->reinitPending.store (true, std::memory_order_release);
    }
}

void CMVXPlugInDSP::setBlockSize (int32_t maxBlockSamples)
{
    if (maxBlockSamples <= 0)
        return;
    for (auto& entry : algorithms)
    {
        entry.second->maxBlockSize.store (static_cast<uint32_t> (maxBlockSamples),
                                          std::memory_order_relaxed);
        entry.second->reinitPending.store (true, std::memory_order_release);
        // The host never processes while it changes the block size, so buffers may grow here
        // rather than on the audio thread.
        entry.second->prepareProcessing ();
    }
}

void CMVXPlugInDSP::setNumberingOffsets (int32_t presetOffset, int32_t parameterOffset)
{
    presetNumberOffset = presetOffset;
    parameterIdOffset = parameterOffset;
}

void CMVXPlugInDSP::applyParameterSnapshot (const std::map<int32_t, float>& snapshot)
{
    if (static_cast<int64_t> (snapshot.size ()) != getParameterCount ())
        return;
    for (const auto& entry : snapshot)
        setParameterNormalized (entry.first, entry.second);
}

// Re-applies each algorithm's current preset, then lets the current algorithm's values pass
// through the parameter write so that product side effects (bypass) follow.
void CMVXPlugInDSP::reloadAlgorithms ()
{
    for (auto& entry : algorithms)
        entry.second->applyPreset (entry.second->getCurrentPresetKey ());
    CMVXDSPAlgInterface* algorithm = getCurrentAlgorithm ();
    if (algorithm == nullptr)
        return;
    for (int32_t id = 0; id < algorithm->getParameterCount (); ++id)
    {
        const CMVXParameter* param = algorithm->findParameter (id);
        setParameterNormalized (id, param ? static_cast<float> (param->getNormalized ()) : 0.0f);
    }
}

void CMVXPlugInDSP::addAlgorithm (int32_t key, std::unique_ptr<CMVXDSPAlgInterface> algorithm)
{
    const bool first = algorithms.empty ();
    if (getCurrentAlgorithm () == algorithms[key].get ())
        currentAlgorithm.store (nullptr, std::memory_order_release);
    algorithms[key] = std::move (algorithm);
    if (first || getCurrentAlgorithm () == nullptr)
        makeCurrent (key);
}

void CMVXPlugInDSP::makeCurrent (int32_t key)
{
    auto it = algorithms.find (key);
    if (it == algorithms.end ())
        return;
    currentAlgorithmKey = key;
    currentAlgorithm.store (it->second.get (), std::memory_order_release);
}

int32_t CMVXPlugInDSP::algorithmPosition (int32_t key) const
{
    int32_t position = 0;
    for (const auto& entry : algorithms)
    {
        if (entry.first == key)
            return position;
        ++position;
    }
    return -1;
}

CMVXDSPAlgInterface* CMVXPlugInDSP::algorithmAt (size_t position) const
{
    if (position >= algorithms.size ())
        return nullptr;
    auto it = algorithms.begin ();
    std::advance (it, static_cast<std::ptrdiff_t> (position));
    return it->second.get ();
}
