// SPDX-License-Identifier: GPL-3.0-or-later
// The control-dependent stage designs of the drive-pedal engine. While a control glides they
// run once per oversampled sample, from coefficient polynomials precomposed for the current
// model and rate; the prototype-then-transform path serves as the reference and covers the
// rare control values where the precomposed order does not apply.
#include "dsp/AudioTaper.h"
#include "dsp/CMVXDrivePedalsSimulationDSP.h"
#include "dsp/PedalStageDesigns.h"

// Audio thread (on a model or rate change); allocates nothing.
void CMVXDrivePedalsSimulationDSP::prepareControlDesigns ()
{
    driveDesign.prepare (traits->driveTable, designRateHz);
    toneDesign.prepare (traits->toneTable, designRateHz);
    levelDesign.prepare (traits->levelTable, designRateHz);
    bassTrebleDesign.prepare (&pedal::bassTrebleStageTable (), designRateHz);
    midDesign.prepare (&pedal::midStageTable (), designRateHz);
}

namespace {

using OneControlReference = bool (*) (PedalModel model, double x, double rateHz,
                                      DigitalCoefficients& out);

// A one-control stage at control value x: from the precomposed polynomials, or through the
// reference transform where asked for or where they do not apply.
template <typename P>
bool designOneControl (const PrecomposedStageDesign<3, 3>& design, OneControlReference reference,
                       bool referenceDesigns, PedalModel model, double x, double rateHz,
                       StageSection<3, P>& section)
{
    double terms[3];
    pedal::oneControlTerms (x, terms);
    if (!referenceDesigns && design.design (terms, section))
        return true;
    DigitalCoefficients coefficients;
    if (!reference (model, x, rateHz, coefficients))
        return false;
    section.setCoefficients (coefficients);
    return true;
}

}   // namespace

bool CMVXDrivePedalsSimulationDSP::designDrive (float p1, StageSection<3, float>& section) const
{
    const double x = audioTaper (traits->drivePotReversed ? 1.0f - p1 : p1);
    return designOneControl (driveDesign, &pedal::designDriveStage, referenceDesigns, model, x,
                             designRateHz, section);
}

bool CMVXDrivePedalsSimulationDSP::designTone (float p3, StageSection<3, float>& section) const
{
    return designOneControl (toneDesign, &pedal::designToneStage, referenceDesigns, model, p3,
                             designRateHz, section);
}

bool CMVXDrivePedalsSimulationDSP::designLevel (float p2, StageSection<3, double>& section) const
{
    return designOneControl (levelDesign, &pedal::designLevelStage, referenceDesigns, model, p2,
                             designRateHz, section);
}

bool CMVXDrivePedalsSimulationDSP::designBassTreble (float p3, float p4,
                                                     StageSection<3, double>& section) const
{
    double terms[9];
    pedal::bassTrebleTerms (p3, p4, terms);
    if (!referenceDesigns && bassTrebleDesign.design (terms, section))
        return true;
    DigitalCoefficients coefficients;
    pedal::designMetalBassTrebleStage (p3, p4, designRateHz, coefficients);
    section.setCoefficients (coefficients);
    return true;
}

bool CMVXDrivePedalsSimulationDSP::designMid (float p5, float p6,
                                              StageSection<4, double>& section) const
{
    double terms[5];
    pedal::midTerms (p5, p6, terms);
    if (!referenceDesigns && midDesign.design (terms, section))
        return true;
    DigitalCoefficients coefficients;
    pedal::designMetalMidStage (p5, p6, designRateHz, coefficients);
    section.setCoefficients (coefficients);
    return true;
}

// Two designs of one kind at once (the two lanes of a glide), where the processor has AVX2;
// each gives what the single design gives for its own controls.
void CMVXDrivePedalsSimulationDSP::designDrivePair (float p1a, float p1b, StageSection<3, float>& a,
                                                    StageSection<3, float>& b) const
{
    double termsA[3];
    double termsB[3];
    pedal::oneControlTerms (audioTaper (traits->drivePotReversed ? 1.0f - p1a : p1a), termsA);
    pedal::oneControlTerms (audioTaper (traits->drivePotReversed ? 1.0f - p1b : p1b), termsB);
    if (referenceDesigns || !driveDesign.designPair (termsA, termsB, a, b))
    {
        designDrive (p1a, a);
        designDrive (p1b, b);
    }
}

void CMVXDrivePedalsSimulationDSP::designBassTreblePair (float p3a, float p4a, float p3b, float p4b,
                                                         StageSection<3, double>& a,
                                                         StageSection<3, double>& b) const
{
    double termsA[9];
    double termsB[9];
    pedal::bassTrebleTerms (p3a, p4a, termsA);
    pedal::bassTrebleTerms (p3b, p4b, termsB);
    if (referenceDesigns || !bassTrebleDesign.designPair (termsA, termsB, a, b))
    {
        designBassTreble (p3a, p4a, a);
        designBassTreble (p3b, p4b, b);
    }
}

void CMVXDrivePedalsSimulationDSP::designMidPair (float p5a, float p6a, float p5b, float p6b,
                                                  StageSection<4, double>& a,
                                                  StageSection<4, double>& b) const
{
    double termsA[5];
    double termsB[5];
    pedal::midTerms (p5a, p6a, termsA);
    pedal::midTerms (p5b, p6b, termsB);
    if (referenceDesigns || !midDesign.designPair (termsA, termsB, a, b))
    {
        designMid (p5a, p6a, a);
        designMid (p5b, p6b, b);
    }
}
