// Sines of many phases at once for the mixer's runs, each bit for bit the value the per-sample
// path gives: an AVX2 version where the processor has it and a portable one.
#pragma once

#include <cstdint>

#include "audio/convert.h"
#include "audio/fast_sine.h"
#include "audio/voice.h"

constexpr double BATCH_PHASE_LIMIT = 99999.0; // beyond this the per-sample path asks sine_d
constexpr int BATCH_CHUNK = 256; // samples one pass works through before the next takes them
constexpr double WOBBLE_DEPTH = TWO_PI / 16.0; // the vibrato's swing in radians

// The phases of a steady sine from position FIRST on: OMEGA × n + PHASE, and where it wobbles,
// plus WOBBLE_DEPTH × the sine of WOBBLE × n rounded to single precision.
struct PhaseLine {
    double omega;  // radians per sample
    double phase;  // the start phase
    double first;  // the position of the first sample
    double wobble; // the wobble's radians per sample
    bool wobbles;  // a vibrato
};

extern bool batch_sines_use_avx2; // AVX2 versions chosen; starts as what the processor offers

// For every i with GAIN[i] > 0: SUM[i] += the sample of phase THETA[i] at GAIN[i], as
// render_voice makes it for a sine-based waveform; every |THETA[i]| below BATCH_PHASE_LIMIT.
void add_sine_samples(const double *theta, const float *gain, int32_t *sum, int n);
// The same for the N phases of LINE; every phase and wobble phase below BATCH_PHASE_LIMIT.
void add_line_samples(const PhaseLine &line, const float *gain, int32_t *sum, int n);
// Whether every |X[i]| lies below BATCH_PHASE_LIMIT (false for any that is not a number).
bool phases_in_range(const double *x, int n);

// The AVX2 version carries a vibrato's wobble sines through a chunk of N samples by rotating
// eight lanes, each by the wobble's phase over eight samples: how far the rotation may stray
// from the table sine of the rounded phase before it is not trusted to round the same.
double wobble_tolerance(const PhaseLine &line, int n);

// The one-at-a-time forms both versions follow.

// Phase I of a line, as steady_phase and the vibrato form it.
inline double line_phase(const PhaseLine &line, int i) {
    double n = line.first + i;
    double theta = line.omega * n + line.phase;
    if (!line.wobbles) return theta;
    double w = static_cast<float>(sine_in_range(line.wobble * n));
    return theta + WOBBLE_DEPTH * w;
}

// The sine of a phase rounded to single precision, itself so rounded, as fast_sine gives it.
inline float rounded_sine(double theta) {
    return static_cast<float>(sine_in_range(static_cast<double>(static_cast<float>(theta))));
}

// The sample of a rounded sine at a gain, added as render_voice's would be.
inline void add_scaled_sine(float sine, float gain, int32_t *sum) {
    if (!(gain > 0.0f)) return;
    int32_t x = truncate_to_int(static_cast<double>(sine) * FULL_SCALE);
    *sum += wrap16(truncate_to_int(static_cast<double>(x) * gain));
}
