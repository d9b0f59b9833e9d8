// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One linear stage of a pedal chain: a transposed direct-form II recursion of up to MaxOrder,
// in precision P, with separate state for two channels.
#include "dsp/BilinearDesign.h"
#include "dsp/TwoLanes.h"
#include <cmath>
#include <limits>

template <int MaxOrder, typename P>
struct StageSection
{
    static_assert (MaxOrder >= 1 && MaxOrder <= 5, "sections are of order 1 to 5");

    P num[MaxOrder] = {};   // num[k-1]: z^-k numerator coefficient over the leading one
    P den[MaxOrder] = {};   // den[k-1]: z^-k denominator coefficient
    P state[MaxOrder][2] = {};   // state[k-1][channel]
    P gain = 0;   // leading numerator coefficient

    // Normalises by the leading numerator coefficient; a zero leading coefficient (a level pot
    // at zero) makes the section silent instead of dividing by zero.
    // The divisions run two at a time in the lanes of one vector (same quotients).
    void setCoefficients (const DigitalCoefficients& c)
    {
        const double b0 = c.zNum[0];
        gain = static_cast<P> (b0);
        for (int k = 1; k <= MaxOrder; ++k)
            den[k - 1] = static_cast<P> (c.zDen[k]);
        if (b0 == 0.0)
        {
            for (int k = 0; k < MaxOrder; ++k)
                num[k] = P (0);
            return;
        }
        int k = 1;
        for (; k + 1 <= MaxOrder; k += 2)
        {
            const TwoDoubles q = TwoDoubles {c.zNum[k], c.zNum[k + 1]} / b0;
            num[k - 1] = static_cast<P> (q[0]);
            num[k] = static_cast<P> (q[1]);
        }
        if (k == MaxOrder)
            num[k - 1] = static_cast<P> (c.zNum[k] / b0);
    }

    // Same coefficients as another section of this shape; the state stays separate.
    void copyCoefficients (const StageSection& other)
    {
        gain = other.gain;
        for (int k = 0; k < MaxOrder; ++k)
        {
            num[k] = other.num[k];
            den[k] = other.den[k];
        }
    }

    void clearState ()
    {
        for (auto& entry : state)
            entry[0] = entry[1] = P (0);
    }

    void clearState (int channel)
    {
        for (auto& entry : state)
            entry[channel] = P (0);
    }

    // Non-finite state (after NaN or infinite input) poisons every later sample.
    bool stateIsFinite (int channel) const
    {
        P sum = 0;
        for (const auto& entry : state)
            sum += entry[channel] * P (0);   // 0 for finite entries, NaN otherwise
        return sum == P (0);
    }

    // Audio thread. Runs the section at `Order`; coefficients above it are not read.
    template <int Order>
    P process (P u, int channel)
    {
        static_assert (Order >= 1 && Order <= MaxOrder, "order beyond the section's size");
        const P w = gain * u;
        const P y = w + state[0][channel];
        return finishStep<Order> (w, y, channel);
    }

    // As process, but w and y are replaced by zero when zero or denormal (exponent bits all
    // zero), so silence after a signal never leaves denormals in the chain. NaN is kept.
    template <int Order>
    P processFlushed (P u, int channel)
    {
        static_assert (Order >= 1 && Order <= MaxOrder, "order beyond the section's size");
        const P w = flushTiny (gain * u);
        const P y = flushTiny (w + state[0][channel]);
        return finishStep<Order> (w, y, channel);
    }

    static P flushTiny (P v) { return std::fabs (v) < std::numeric_limits<P>::min () ? P (0) : v; }

private:
    template <int Order>
    P finishStep (P w, P y, int channel)
    {
        for (int k = 1; k < Order; ++k)
            state[k - 1][channel] = w * num[k - 1] - y * den[k - 1] + state[k][channel];
        state[Order - 1][channel] = w * num[Order - 1] - y * den[Order - 1];
        return y;
    }
};

// Audio thread. Both channels of a section for one block: channel c in lane c, coefficients and
// state held in locals (registers) instead of being reloaded and stored every sample. The state
// goes back to the section when the pass ends. Same arithmetic, in the same order, as
// StageSection::process, so each lane is bit for bit the per-channel result.
template <int MaxOrder, typename P>
class StageSectionPass
{
public:
    using Precision = P;
    using Lanes = TwoLanes<P>;

    explicit StageSectionPass (StageSection<MaxOrder, P>& sectionIn) : section (sectionIn)
    {
        gain = Lanes {} + section.gain;
        for (int k = 0; k < MaxOrder; ++k)
        {
            num[k] = Lanes {} + section.num[k];
            den[k] = Lanes {} + section.den[k];
            state[k] = Lanes {section.state[k][0], section.state[k][1]};
        }
    }

    ~StageSectionPass ()
    {
        for (int k = 0; k < MaxOrder; ++k)
        {
            section.state[k][0] = state[k][0];
            section.state[k][1] = state[k][1];
        }
    }

    // Each lane takes the coefficients of another section of this shape (the lanes of a glide
    // see different designs). Whole vectors are written, never half of one.
    void setLanes (const StageSection<MaxOrder, P>& lane0, const StageSection<MaxOrder, P>& lane1)
    {
        gain = Lanes {lane0.gain, lane1.gain};
        for (int k = 0; k < MaxOrder; ++k)
        {
            num[k] = Lanes {lane0.num[k], lane1.num[k]};
            den[k] = Lanes {lane0.den[k], lane1.den[k]};
        }
    }

    StageSectionPass (const StageSectionPass&) = delete;
    StageSectionPass& operator= (const StageSectionPass&) = delete;

    template <int Order>
    Lanes process (Lanes u)
    {
        static_assert (Order >= 1 && Order <= MaxOrder, "order beyond the section's size");
        const Lanes w = gain * u;
        const Lanes y = w + state[0];
        return finishStep<Order> (w, y);
    }

    template <int Order>
    Lanes processFlushed (Lanes u)
    {
        static_assert (Order >= 1 && Order <= MaxOrder, "order beyond the section's size");
        static_assert (sizeof (P) == sizeof (float), "flushing is done in single precision");
        const Lanes w = flushTinyLanes (gain * u);
        const Lanes y = flushTinyLanes (w + state[0]);
        return finishStep<Order> (w, y);
    }

private:
    template <int Order>
    Lanes finishStep (Lanes w, Lanes y)
    {
        for (int k = 1; k < Order; ++k)
            state[k - 1] = w * num[k - 1] - y * den[k - 1] + state[k];
        state[Order - 1] = w * num[Order - 1] - y * den[Order - 1];
        return y;
    }

    StageSection<MaxOrder, P>& section;
    Lanes gain;
    Lanes num[MaxOrder];
    Lanes den[MaxOrder];
    Lanes state[MaxOrder];
};
