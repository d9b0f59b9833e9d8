// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Analog prototypes of every linear stage of the eight pedal circuits, and their digital design.
// Models: 0 Treble Booster, 1 XXL Distortion+, 2 BAT Distortion, 3 Over Drive, 4 Super Drive,
// 5 9 Screamer, 6 808 Screamer, 7 Metal Tone.
// The prototype functions return false when the model has no circuit for that stage; the design
// functions then leave `out` unchanged. rateHz is the oversampled rate. None allocates.
#include "dsp/BilinearDesign.h"
#include "dsp/circuits/StageTable.h"

namespace pedal {

// Fixed stages (designed on a model change).
bool inputStagePrototype (unsigned model, AnalogPrototype& proto);
void metalPreStagePrototype (AnalogPrototype& proto);
void metalPostStagePrototype (AnalogPrototype& proto);
void metalFilterStagePrototype (AnalogPrototype& proto);

// Control-dependent stages. x and y are the circuit's control variables:
// drive: x = audio taper already applied by the caller (model 1: taper of 1 - Parameter 1);
// tone, level, bass/treble, mid level: the control's smoothed value, linear;
// mid frequency: y = the raw smoothed Parameter 6; the stage applies taper(1 - y) itself.
bool driveStagePrototype (unsigned model, double x, AnalogPrototype& proto);
bool toneStagePrototype (unsigned model, double x, AnalogPrototype& proto);
bool levelStagePrototype (unsigned model, double x, AnalogPrototype& proto);
void metalBassTrebleStagePrototype (double x, double y, AnalogPrototype& proto);
void metalMidStagePrototype (double x, float y, AnalogPrototype& proto);

bool designInputStage (unsigned model, double rateHz, DigitalCoefficients& out);
void designMetalPreStage (double rateHz, DigitalCoefficients& out);
void designMetalPostStage (double rateHz, DigitalCoefficients& out);
void designMetalFilterStage (double rateHz, DigitalCoefficients& out);
bool designDriveStage (unsigned model, double x, double rateHz, DigitalCoefficients& out);
bool designToneStage (unsigned model, double x, double rateHz, DigitalCoefficients& out);
bool designLevelStage (unsigned model, double x, double rateHz, DigitalCoefficients& out);
void designMetalBassTrebleStage (double x, double y, double rateHz, DigitalCoefficients& out);
void designMetalMidStage (double x, float y, double rateHz, DigitalCoefficients& out);

// The circuit tables behind the control-dependent designs (null where the model has none), and
// the control terms their coefficient polynomials multiply, in table order.
const circuits::OneControlStageTable* driveStageTable (unsigned model) noexcept;
const circuits::OneControlStageTable* toneStageTable (unsigned model) noexcept;
const circuits::OneControlStageTable* levelStageTable (unsigned model) noexcept;
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

} // namespace pedal
