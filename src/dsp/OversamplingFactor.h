// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Integer factor that lifts a host rate to about 176.4 or 192 kHz for the pedal chains.
#include <cstdint>

constexpr uint32_t kMaxOversampling = 16;

// What the chains run at for the 44.1 kHz and the 48 kHz families of host rates.
constexpr uint64_t kOversampledRate44k1Hz = 176400;
constexpr uint64_t kOversampledRate48kHz = 192000;

// 44.1/48 kHz give 4, 88.2/96 kHz give 2, 176.4/192 kHz and every rate above give 1. Rates
// that are neither multiples of 11025 nor of 12000 Hz use the integer part of 192000 / rate.
// The result is kept within 1 … kMaxOversampling, so very low, invalid or non-finite rates
// still yield a usable factor.
uint32_t oversamplingFactorFor (double sampleRateHz);
