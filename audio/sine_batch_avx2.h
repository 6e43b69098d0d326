// The AVX2 versions of the batch sines, for the batch code alone: sine_batch.cpp chooses them
// where the processor has AVX2, and nothing else calls them.
#pragma once

#include "audio/sine_batch.h"

// Only x86 processors have AVX2; elsewhere (WebAssembly) the portable versions stand alone.
#if defined(__x86_64__) || defined(__i386__)
#define SINE_BATCH_AVX2 1
#else
#define SINE_BATCH_AVX2 0
#endif

void add_sine_samples_avx2(const double *theta, const float *gain, int32_t *sum, int n);
void add_line_samples_avx2(const PhaseLine &line, const float *gain, int32_t *sum, int n);
bool phases_in_range_avx2(const double *x, int n);
