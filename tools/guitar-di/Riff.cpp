// SPDX-License-Identifier: GPL-3.0-or-later
#include "Riff.h"

#include <array>
#include <cstddef>

namespace {
constexpr double kEighth = 0.25;   // seconds at 120 bpm

struct Score
{
    std::vector<RiffEvent> events;

    void note (double eighth, int string, int fret, double velocity = 0.8, bool palm = false)
    {
        events.push_back ({eighth * kEighth, string, fret, velocity, palm, false});
    }
    void chug (double eighth, int fret = 0, double velocity = 0.75)
    {
        note (eighth, 0, fret, velocity, true);
    }
    // A down stroke reaches the strings one after another, low to high, 12 ms apart.
    void strum (double eighth, std::initializer_list<std::array<int, 2>> stringFrets,
                double velocity = 0.85, bool palm = false)
    {
        double offset = 0.0;
        for (const auto& sf : stringFrets)
        {
            events.push_back ({eighth * kEighth + offset, sf[0], sf[1], velocity, palm, false});
            offset += 0.012;
            velocity *= 0.96;
        }
    }
    void mute (double eighth, std::initializer_list<int> strings)
    {
        for (int s : strings)
            events.push_back ({eighth * kEighth, s, 0, 0.0, false, true});
    }
};
}   // namespace

double openStringHz (int string)
{
    static constexpr std::array<double, 6> kOpenHz {82.4069, 110.0,   146.832,
                                                    195.998, 246.942, 329.628};
    return kOpenHz[static_cast<size_t> (string)];
}

std::vector<RiffEvent> demoRiff ()
{
    Score s;
    // Bar 1: chugs on the open low E, then an E5 power chord left to ring.
    for (int i = 0; i < 6; ++i)
        s.chug (i, 0, i % 2 == 0 ? 0.8 : 0.65);
    s.strum (6, {{{0, 0}}, {{1, 2}}, {{2, 2}}});
    s.mute (7.8, {0, 1, 2});

    // Bar 2: single notes between chugs, the last one ringing.
    s.chug (8);
    s.note (9, 0, 3, 0.85);
    s.chug (10);
    s.note (11, 1, 0, 0.85);
    s.chug (12);
    s.note (13, 1, 1, 0.85);
    s.note (14, 1, 2, 0.9);
    s.mute (15.9, {1});

    // Bar 3: power chords, A5 palm-muted then D5 and C5 open.
    s.strum (16, {{{1, 0}}, {{2, 2}}, {{3, 2}}}, 0.9);
    s.strum (17, {{{1, 0}}, {{2, 2}}}, 0.7, true);
    s.strum (18, {{{1, 0}}, {{2, 2}}}, 0.7, true);
    s.strum (19, {{{1, 0}}, {{2, 2}}, {{3, 2}}}, 0.9);
    s.mute (19.9, {1, 2, 3});
    s.strum (20, {{{2, 0}}, {{3, 2}}, {{4, 3}}}, 0.9);
    s.mute (21.9, {2, 3, 4});
    s.strum (22, {{{1, 3}}, {{2, 5}}, {{3, 5}}}, 0.9);
    s.mute (23.9, {1, 2, 3});

    // Bar 4: a descending line on the high strings, then an open E major chord to the end.
    s.note (24, 5, 0, 0.8);
    s.note (25, 4, 3, 0.75);
    s.note (26, 4, 0, 0.8);
    s.note (27, 3, 2, 0.75);
    s.strum (28, {{{0, 0}}, {{1, 2}}, {{2, 2}}, {{3, 1}}, {{4, 0}}, {{5, 0}}}, 0.95);
    return s.events;
}
