// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Logarithmic ("audio") potentiometer law: fraction of the track at control position x.
// The scaling of x is rounded to single precision on purpose; the polynomial runs in double.
double audioTaper (float x);
