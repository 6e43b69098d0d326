// Batch sines: the portable versions, one phase at a time, and the choice between them and the
// AVX2 ones.
#include "audio/sine_batch.h"
#include "audio/sine_batch_avx2.h"

#include <cmath>

// Asked before any other constructor might need it; until then the portable path is used.
static bool processor_has_avx2() {
#if SINE_BATCH_AVX2
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

bool batch_sines_use_avx2 = processor_has_avx2();

// The rotation's own drift stays below 1e-14; the roundings of the phases it starts from and is
// compared with move the sine by up to |x| 2^-52 between them. Both with room to spare.
double wobble_tolerance(const PhaseLine &line, int n) {
    double reach =
        std::fmax(std::fabs(line.wobble * line.first), std::fabs(line.wobble * (line.first + n)));
    return 1e-12 + reach * 1e-15;
}

static void add_sine_samples_portable(const double *theta, const float *gain, int32_t *sum, int n) {
    for (int i = 0; i < n; i++) add_scaled_sine(rounded_sine(theta[i]), gain[i], sum + i);
}

static void add_line_samples_portable(const PhaseLine &line, const float *gain, int32_t *sum,
                                      int n) {
    for (int i = 0; i < n; i++)
        add_scaled_sine(rounded_sine(line_phase(line, i)), gain[i], sum + i);
}

static bool phases_in_range_portable(const double *x, int n) {
    bool in = true;
    for (int i = 0; i < n; i++) in &= std::fabs(x[i]) < BATCH_PHASE_LIMIT;
    return in;
}

void add_sine_samples(const double *theta, const float *gain, int32_t *sum, int n) {
#if SINE_BATCH_AVX2
    if (batch_sines_use_avx2) return add_sine_samples_avx2(theta, gain, sum, n);
#endif
    add_sine_samples_portable(theta, gain, sum, n);
}

void add_line_samples(const PhaseLine &line, const float *gain, int32_t *sum, int n) {
#if SINE_BATCH_AVX2
    if (batch_sines_use_avx2) return add_line_samples_avx2(line, gain, sum, n);
#endif
    add_line_samples_portable(line, gain, sum, n);
}

bool phases_in_range(const double *x, int n) {
#if SINE_BATCH_AVX2
    if (batch_sines_use_avx2) return phases_in_range_avx2(x, n);
#endif
    return phases_in_range_portable(x, n);
}
