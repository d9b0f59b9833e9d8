// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The drive-pedal engine: eight pedal models as stage chains around one diode limiter,
// run oversampled.
#include "dsp/CMVXAnalogSimulation.h"
#include "dsp/CMVXDSPAlgInterface.h"
#include "dsp/PedalModels.h"
#include "dsp/PedalSections.h"
#include "dsp/PolyphaseResampler.h"
#include "dsp/PrecomposedStageDesign.h"
#include "params/CMVXParamTable.h"
#include "dsp/StageSection.h"
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

class CMVXSVDiodeLimiterSimulation;

class CMVXDrivePedalsSimulationDSP : public CMVXDSPAlgInterface, public CMVXAnalogSimulation
{
public:
    CMVXDrivePedalsSimulationDSP (double sampleRateHz, uint32_t maxBlockSamples);
    ~CMVXDrivePedalsSimulationDSP () override;

    // Audio thread.
    void processAudio (float** inputs, float** outputs, float* inPeaks, float* outPeaks,
                       int32_t numSamples) override;
    // Audio thread (from processAudio). Allocates nothing: buffers come from prepareProcessing.
    void updateSettings (bool reinitialize) override;
    void resetState () override;
    std::string getInfoText () override { return {}; }
    // Audio thread: one control step per processed (oversampled) sample.
    void advanceControls () override;
    // Main thread, never concurrently with processAudio: sizes the oversampling buffers for
    // the current maxBlockSize at any factor, so a later rate change needs no allocation.
    void prepareProcessing () override;

    static const CMVXPresetRecord kFactoryPresets[kPedalModelCount];

    // Read-only views for tests and diagnostics.
    uint32_t getOversampling () const { return oversampling; }
    PedalModel getModel () const { return model; }
    double getDesignRateHz () const { return designRateHz; }
    float getControlCurrent (int knob) const { return controls[controlIndex (knob)].current; }
    float getControlTarget (int knob) const { return controls[controlIndex (knob)].target; }
    const StageSection<3, float>& getDriveStage () const { return sections.drive; }
    const StageSection<3, double>& getLevelStage () const { return sections.level; }
    const PolyphaseResampler& getResampler (int channel) const { return resampler[channel & 1]; }
    bool allSectionStatesZero () const;
    // The stereo paths run both channels in the lanes of one loop, at rest and while controls
    // glide; they give the same samples as the per-channel path, which stays as the reference.
    // Switchable so tests can compare the two.
    void setStereoFastPath (bool enabled) { stereoFastPath = enabled; }
    // Control-dependent stages are designed from coefficient polynomials precomposed with the
    // bilinear transform; the reference forms each prototype and transforms it. The two agree
    // to double-precision rounding. Switchable so tests can compare them.
    void setReferenceDesigns (bool enabled) { referenceDesigns = enabled; }
    // Where the processor has AVX2 the stereo loops use it (same results); tests can turn it
    // off to check the baseline forms too. Never turns it on without processor support.
    void limitToBaselineInstructions (bool limit)
    {
        useAvx2 = !limit && __builtin_cpu_supports ("avx2");
        selectChain ();
    }

private:
    struct Control
    {
        float current;
        float target;
        float smootherState;
    };
    // Declaration order of the control records: Parameter 1, 3, 2, 4, 5, 6.
    enum ControlSlot
    {
        kP1 = 0,
        kP3,
        kP2,
        kP4,
        kP5,
        kP6,
        kControlCount
    };
    static int controlIndex (int knob);   // knob 1 … 6 to its record

    using ChannelFn = void (CMVXDrivePedalsSimulationDSP::*) (const float*, float*, int, int);
    using StereoFn = void (CMVXDrivePedalsSimulationDSP::*) (const float* const*, float* const*,
                                                             int);

    bool moves (const Control& control) const;
    void step (Control& control) const;
    bool controlsWouldAct () const;
    void configureLimiter ();
    void configureLimiter (CMVXSVDiodeLimiterSimulation& target, float p1) const;
    void selectChain ();
    template <PedalModel Model>
    void selectChainOf ();
    void designFixedStages ();
    void prepareControlDesigns ();
    // Control steps and the designs they call for (kDesign… flags); advanceControls is one of
    // each. The designs are pure functions of the control values (DrivePedalControlDesigns.cpp)
    // and return false where the model has no such stage (the section is then left unchanged).
    enum : uint32_t
    {
        kDesignDrive = 1,
        kDesignTone = 2,
        kDesignBassTreble = 4,
        kDesignLevel = 8,
        kDesignMid = 16
    };
    uint32_t stepControls (Control (&c)[kControlCount], bool& force) const;
    void runDesigns (uint32_t designs);
    bool designDrive (float p1, StageSection<3, float>& section) const;
    bool designTone (float p3, StageSection<3, float>& section) const;
    bool designBassTreble (float p3, float p4, StageSection<3, double>& section) const;
    bool designLevel (float p2, StageSection<3, double>& section) const;
    bool designMid (float p5, float p6, StageSection<4, double>& section) const;
    void designDrivePair (float p1a, float p1b, StageSection<3, float>& a,
                          StageSection<3, float>& b) const;
    void designBassTreblePair (float p3a, float p4a, float p3b, float p4b,
                               StageSection<3, double>& a, StageSection<3, double>& b) const;
    void designMidPair (float p5a, float p6a, float p5b, float p6b, StageSection<4, double>& a,
                        StageSection<4, double>& b) const;
    void clearSectionStates ();
    void runChains (const float* const* in, float* const* out, int n);
    void runOversampled (float** inputs, float** outputs, int n);
    void recoverNonFiniteChannels ();
    void bypassCopy (float** inputs, float** outputs, float* inPeaks, float* outPeaks, int n);

    // Per-model chains (DrivePedalChains.cpp).
    template <PedalModel Model>
    float chainSample (float x, int channel);
    template <PedalModel Model>
    void runChannel (const float* in, float* out, int n, int channel);
    template <PedalModel Model>
    void runStereoSteady (const float* const* in, float* const* out, int n);
    template <PedalModel Model>
    void runStereoSteadyAvx2 (const float* const* in, float* const* out, int n);
    template <PedalModel Model>
    void steadyLanes (const float* const* in, float* const* out, int n);
    template <PedalModel Model>
    void runStereoGlideAvx2 (const float* const* in, float* const* out, int n);
    template <PedalModel Model>
    void glideLanes (const float* const* in, float* const* out, int n);
    template <PedalModel Model>
    void runStereoGlide (const float* const* in, float* const* out, int n);
    struct LastDesigns;
    // One control step of channel 0 in a glide: the designs it called for and the values after.
    struct ControlStep
    {
        uint32_t designs;
        float current[kControlCount];
    };
    void recordDesigns (LastDesigns& last, uint32_t designs,
                        const Control (&c)[kControlCount]) const;
    void applyLastDesigns (const LastDesigns& last);

    ChannelFn processFn = nullptr;
    PolyphaseResampler resampler[2];   // configured only while oversampling > 1
    uint32_t oversampling = 1;
    std::vector<float> upBuffer[2];
    std::vector<float> stageBuffer[2];
    uint8_t enabled = 1;
    bool forceRedesign = true;
    PedalModel model = PedalModel::trebleBooster;
    const PedalTraits* traits = &pedalTraits (PedalModel::trebleBooster);   // the model's
    std::optional<PedalModel> designedModel;   // the model the stages were last designed for
    Control controls[kControlCount] = {};

    PedalSections sections;

    std::unique_ptr<CMVXSVDiodeLimiterSimulation> limiter;
    // Scratch limiter that glide lanes configure for their own gain setting (models 3 to 6);
    // exists exactly when limiter does, never processes audio.
    std::unique_ptr<CMVXSVDiodeLimiterSimulation> laneTuning;

    StereoFn processStereoFn = nullptr;
    StereoFn processGlideFn = nullptr;
    double designRateHz = 0.0;   // oversampled rate the stages are designed for
    size_t bufferCapacity = 0;   // floats in each up/stage buffer
    bool stereoFastPath = true;
    bool referenceDesigns = false;
    std::vector<ControlStep> channel0Steps;   // a glide's channel-0 steps, replayed by lane 0
    bool useAvx2 = false;   // AVX2 forms of the stereo loops and paired designs
    PrecomposedStageDesign<3, 3> driveDesign;
    PrecomposedStageDesign<3, 3> toneDesign;
    PrecomposedStageDesign<3, 3> levelDesign;
    PrecomposedStageDesign<9, 3> bassTrebleDesign;
    PrecomposedStageDesign<5, 4> midDesign;
    CMVXParameter* records[kParamCount] = {};   // stable pointers into `parameters`
};
