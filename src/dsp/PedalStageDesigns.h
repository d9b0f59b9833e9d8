// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Analog prototypes of every linear stage of the eight pedal circuits, and their digital design.
// The drive, tone and level functions return false when the model has no circuit for that stage;
// the design functions then leave `out` unchanged. rateHz is the oversampled rate. None allocates.
#include "dsp/BilinearDesign.h"
#include "dsp/PedalModels.h"
#include "dsp/circuits/StageTable.h"

namespace pedal {

// Fixed stages (designed on a model change).
void inputStagePrototype (PedalModel model, AnalogPrototype& proto);
void metalPreStagePrototype (AnalogPrototype& proto);
void metalPostStagePrototype (AnalogPrototype& proto);
void metalFilterStagePrototype (AnalogPrototype& proto);

// Control-dependent stages. x and y are the circuit's control variables:
// drive: x = audio taper already applied by the caller (of 1 - Parameter 1 where the model's
// drive pot is reversed);
// tone, level, bass/treble, mid level: the control's smoothed value, linear;
// mid frequency: y = the raw smoothed Parameter 6; the stage applies taper(1 - y) itself.
bool driveStagePrototype (PedalModel model, double x, AnalogPrototype& proto);
bool toneStagePrototype (PedalModel model, double x, AnalogPrototype& proto);
bool levelStagePrototype (PedalModel model, double x, AnalogPrototype& proto);
void metalBassTrebleStagePrototype (double x, double y, AnalogPrototype& proto);
void metalMidStagePrototype (double x, float y, AnalogPrototype& proto);

void designInputStage (PedalModel model, double rateHz, DigitalCoefficients& out);
void designMetalPreStage (double rateHz, DigitalCoefficients& out);
void designMetalPostStage (double rateHz, DigitalCoefficients& out);
void designMetalFilterStage (double rateHz, DigitalCoefficients& out);
bool designDriveStage (PedalModel model, double x, double rateHz, DigitalCoefficients& out);
bool designToneStage (PedalModel model, double x, double rateHz, DigitalCoefficients& out);
bool designLevelStage (PedalModel model, double x, double rateHz, DigitalCoefficients& out);
void designMetalBassTrebleStage (double x, double y, double rateHz, DigitalCoefficients& out);
void designMetalMidStage (double x, float y, double rateHz, DigitalCoefficients& out);

// The Metal Tone's two-control tables (the one-control ones are in the model's traits), and the
// control terms the coefficient polynomials multiply, in table order.
const circuits::BassTrebleStageTable& bassTrebleStageTable () noexcept;
const circuits::MidStageTable& midStageTable () noexcept;

inline void oneControlTerms (double x, double (&terms)[3]) noexcept
{
    terms[0] = 1.0;
    terms[1] = x;
    terms[2] = x * x;
}

inline void bassTrebleTerms (double x, double y, double (&terms)[9]) noexcept
{
    const double xx = x * x;
    const double yy = y * y;
    const double values[9] = {1.0, x, y, xx, x * y, yy, xx * y, x * yy, xx * yy};
    for (int i = 0; i < 9; ++i)
        terms[i] = values[i];
}

// A = audio taper of 1 - y.
void midTerms (double x, float y, double (&terms)[5]) noexcept;

}   // namespace pedal
