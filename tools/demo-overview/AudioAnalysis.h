// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the overview shows of one recording: its level, its waveform envelope over time and its
// long-term average spectrum.
#include <string>
#include <vector>

struct Recording
{
    std::vector<float> mono;   // channels averaged
    double sampleRateHz = 0.0;
};

// False with a reason when the file cannot be read.
bool loadRecording (const std::string& path, Recording& recording, std::string& error);

double peakDbfs (const Recording& recording);
double rmsDbfs (const Recording& recording);

struct Envelope
{
    std::vector<float> minimum, maximum;   // one pair per column
};
Envelope envelope (const Recording& recording, size_t columns);

struct Spectrum
{
    std::vector<double> frequencyHz;
    std::vector<double> levelDb;   // a full-scale sine reads 0 dB
};
// Welch average of Hann-windowed frames, smoothed over a sixth of an octave.
Spectrum averageSpectrum (const Recording& recording);
