// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Linear-phase FIR low-pass by the least-squares method: desired response 1 up to the edge and
// 0 above it, no transition band, unit weights. Runs in double; allocates nothing.

// Writes numTaps coefficients into taps. edge is the band edge as a fraction of the Nyquist
// frequency (0 < edge < 1). numTaps must be at least 1.
void designLeastSquaresLowpass (double* taps, int numTaps, double edge);
