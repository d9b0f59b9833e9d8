// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Compares a PNG the editor wrote with a committed reference, pixel by pixel with a tolerance
// that survives font-rendering noise: a pixel differs when one channel is off by more than
// maxChannelDifference, and at most maxDifferingFraction of the pixels may differ. With
// OVERMOOR_UPDATE_SNAPSHOTS=1 in the environment the reference is replaced instead.
#include <string>

namespace EditorTest {

struct SnapshotTolerance
{
    int maxChannelDifference = 8;
    double maxDifferingFraction = 0.005;
};

// Empty when the images match (or the reference was updated), else what differs.
std::string compareWithReference (const std::string& actualPng, const std::string& referencePng,
                                  const SnapshotTolerance& tolerance = {});

// The mean over all pixels and channels of the absolute difference (0 to 255); -1 when the two
// cannot be read or differ in size.
double meanChannelDifference (const std::string& aPng, const std::string& bPng);

}   // namespace EditorTest
