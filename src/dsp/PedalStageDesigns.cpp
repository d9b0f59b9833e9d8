// SPDX-License-Identifier: GPL-3.0-or-later
#include "dsp/PedalStageDesigns.h"
#include "dsp/AudioTaper.h"
#include "dsp/circuits/CircuitTables.h"

namespace pedal {

using namespace circuits;

const BassTrebleStageTable& bassTrebleStageTable () noexcept
{
    return kMetalToneBassTrebleStage;
}
const MidStageTable& midStageTable () noexcept
{
    return kMetalToneMidStage;
}

namespace {

void fillFixed (const FixedStageTable& table, AnalogPrototype& proto) noexcept
{
    const double terms[1] = {1.0};
    fillPrototype (table, terms, proto);
}

bool fillOneControl (const OneControlStageTable* table, double x, AnalogPrototype& proto) noexcept
{
    if (table == nullptr)
        return false;
    double terms[3];
    oneControlTerms (x, terms);
    fillPrototype (*table, terms, proto);
    return true;
}

// The prototype a stage gave (made: whether the model has that stage) through the transform.
bool transformed (bool made, const AnalogPrototype& proto, double rateHz, DigitalCoefficients& out)
{
    if (made)
        bilinearDesign (out, proto, rateHz);
    return made;
}

}   // namespace

void inputStagePrototype (PedalModel model, AnalogPrototype& proto)
{
    fillFixed (*pedalTraits (model).inputTable, proto);
}

void metalPreStagePrototype (AnalogPrototype& proto)
{
    fillFixed (kMetalTonePreStage, proto);
}
void metalPostStagePrototype (AnalogPrototype& proto)
{
    fillFixed (kMetalTonePostStage, proto);
}
void metalFilterStagePrototype (AnalogPrototype& proto)
{
    fillFixed (kMetalToneFilterStage, proto);
}

bool driveStagePrototype (PedalModel model, double x, AnalogPrototype& proto)
{
    return fillOneControl (pedalTraits (model).driveTable, x, proto);
}

bool toneStagePrototype (PedalModel model, double x, AnalogPrototype& proto)
{
    return fillOneControl (pedalTraits (model).toneTable, x, proto);
}

bool levelStagePrototype (PedalModel model, double x, AnalogPrototype& proto)
{
    return fillOneControl (pedalTraits (model).levelTable, x, proto);
}

void metalBassTrebleStagePrototype (double x, double y, AnalogPrototype& proto)
{
    double terms[9];
    bassTrebleTerms (x, y, terms);
    fillPrototype (kMetalToneBassTrebleStage, terms, proto);
}

void metalMidStagePrototype (double x, float y, AnalogPrototype& proto)
{
    double terms[5];
    midTerms (x, y, terms);
    fillPrototype (kMetalToneMidStage, terms, proto);
}

// Design functions (audio thread while a control glides): evaluate, then transform.

void designInputStage (PedalModel model, double rateHz, DigitalCoefficients& out)
{
    AnalogPrototype proto;
    inputStagePrototype (model, proto);
    bilinearDesign (out, proto, rateHz);
}

void designMetalPreStage (double rateHz, DigitalCoefficients& out)
{
    AnalogPrototype proto;
    metalPreStagePrototype (proto);
    bilinearDesign (out, proto, rateHz);
}

void designMetalPostStage (double rateHz, DigitalCoefficients& out)
{
    AnalogPrototype proto;
    metalPostStagePrototype (proto);
    bilinearDesign (out, proto, rateHz);
}

void designMetalFilterStage (double rateHz, DigitalCoefficients& out)
{
    AnalogPrototype proto;
    metalFilterStagePrototype (proto);
    bilinearDesign (out, proto, rateHz);
}

bool designDriveStage (PedalModel model, double x, double rateHz, DigitalCoefficients& out)
{
    AnalogPrototype proto;
    return transformed (driveStagePrototype (model, x, proto), proto, rateHz, out);
}

bool designToneStage (PedalModel model, double x, double rateHz, DigitalCoefficients& out)
{
    AnalogPrototype proto;
    return transformed (toneStagePrototype (model, x, proto), proto, rateHz, out);
}

bool designLevelStage (PedalModel model, double x, double rateHz, DigitalCoefficients& out)
{
    AnalogPrototype proto;
    return transformed (levelStagePrototype (model, x, proto), proto, rateHz, out);
}

void designMetalBassTrebleStage (double x, double y, double rateHz, DigitalCoefficients& out)
{
    AnalogPrototype proto;
    metalBassTrebleStagePrototype (x, y, proto);
    bilinearDesign (out, proto, rateHz);
}

void designMetalMidStage (double x, float y, double rateHz, DigitalCoefficients& out)
{
    AnalogPrototype proto;
    metalMidStagePrototype (x, y, proto);
    bilinearDesign (out, proto, rateHz);
}

void midTerms (double x, float y, double (&terms)[5]) noexcept
{
    const double a = audioTaper (1.0f - y);
    terms[0] = 1.0;
    terms[1] = a;
    terms[2] = x;
    terms[3] = a * a;
    terms[4] = a * x;
}

}   // namespace pedal
