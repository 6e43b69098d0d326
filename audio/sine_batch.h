// Sines of many phases at once for the mixer's runs, each bit for bit the value the per-sample
// path gives: an AVX2 version where the processor has it and a portable one.
#pragma once

#include <cstdint>

constexpr double BATCH_PHASE_LIMIT = 99999.0; // beyond this the per-sample path asks the library

extern bool batch_sines_use_avx2; // AVX2 versions chosen; starts as what the processor offers

// OUT[i] = sine_in_range(X[i]); every |X[i]| below BATCH_PHASE_LIMIT.
void batch_sines(const double *x, double *out, int n);
// For every i with GAIN[i] > 0: SUM[i] += the sample of phase THETA[i] at GAIN[i], as
// render_voice makes it for a sine-based waveform; every |THETA[i]| below BATCH_PHASE_LIMIT.
void add_sine_samples(const double *theta, const float *gain, int32_t *sum, int n);
// Whether every |X[i]| lies below BATCH_PHASE_LIMIT (false for any that is not a number).
bool phases_in_range(const double *x, int n);
