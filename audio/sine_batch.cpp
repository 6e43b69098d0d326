// Batch sines: the table sine of fast_sine.h four phases at a time with AVX2, or one by one.
// Only IEEE additions, multiplications, conversions and truncations in the order of the scalar
// code, never fused: the two versions agree to the last bit on any x86-64.
#include "audio/sine_batch.h"

#include <immintrin.h>

#include "audio/convert.h"
#include "audio/fast_sine.h"
#include "audio/voice.h"

bool batch_sines_use_avx2 = __builtin_cpu_supports("avx2");

// One sample of a sine-based waveform, as sine_sample and render_voice form it.
static inline void add_one_sample(double theta, float gain, int32_t *sum) {
    if (!(gain > 0.0f)) return;
    float t = static_cast<float>(theta);
    float s = static_cast<float>(sine_in_range(static_cast<double>(t)));
    int32_t x = truncate_to_int(static_cast<double>(s) * FULL_SCALE);
    *sum += wrap16(truncate_to_int(static_cast<double>(x) * gain));
}

// sine_cosine_in_range's sine of four phases. The step index is read from the low bits of the
// rounding sum, where (int64_t)k & 1023 would find the same bits.
__attribute__((target("avx2"))) static inline __m256d sine4(__m256d x) {
    const __m256d steps_per_radian = _mm256_set1_pd(SINE_STEPS / 6.283185307179586);
    const __m256d step_hi = _mm256_set1_pd(0.006135923147667199);
    const __m256d step_lo = _mm256_set1_pd(3.875365545627111e-12);
    const __m256d round_magic = _mm256_set1_pd(6755399441055744.0);
    __m256d y = _mm256_add_pd(_mm256_mul_pd(x, steps_per_radian), round_magic);
    __m256d k = _mm256_sub_pd(y, round_magic);
    __m256d b = _mm256_sub_pd(_mm256_sub_pd(x, _mm256_mul_pd(k, step_hi)),
                              _mm256_mul_pd(k, step_lo));
    __m256d b2 = _mm256_mul_pd(b, b);
    __m256d sp = _mm256_sub_pd(_mm256_set1_pd(1.0 / 6.0),
                               _mm256_mul_pd(b2, _mm256_set1_pd(1.0 / 120.0)));
    __m256d sb = _mm256_sub_pd(b, _mm256_mul_pd(_mm256_mul_pd(b, b2), sp));
    __m256d cp = _mm256_sub_pd(_mm256_set1_pd(1.0 / 24.0),
                               _mm256_mul_pd(b2, _mm256_set1_pd(1.0 / 720.0)));
    cp = _mm256_sub_pd(_mm256_set1_pd(0.5), _mm256_mul_pd(b2, cp));
    __m256d cb = _mm256_sub_pd(_mm256_set1_pd(1.0), _mm256_mul_pd(b2, cp));
    alignas(32) int64_t index[4];
    __m256i bits = _mm256_and_si256(_mm256_castpd_si256(y), _mm256_set1_epi64x(SINE_STEPS - 1));
    _mm256_store_si256(reinterpret_cast<__m256i *>(index), bits);
    const double *t = &sine_steps[0].s;
    __m256d e02 = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(t + 2 * index[0])),
                                       _mm_loadu_pd(t + 2 * index[2]), 1);
    __m256d e13 = _mm256_insertf128_pd(_mm256_castpd128_pd256(_mm_loadu_pd(t + 2 * index[1])),
                                       _mm_loadu_pd(t + 2 * index[3]), 1);
    __m256d ts = _mm256_unpacklo_pd(e02, e13);
    __m256d tc = _mm256_unpackhi_pd(e02, e13);
    return _mm256_add_pd(_mm256_mul_pd(ts, cb), _mm256_mul_pd(tc, sb));
}

__attribute__((target("avx2"))) static void batch_sines_avx2(const double *x, double *out,
                                                              int n) {
    int i = 0;
    for (; i + 4 <= n; i += 4) _mm256_storeu_pd(out + i, sine4(_mm256_loadu_pd(x + i)));
    for (; i < n; i++) out[i] = sine_in_range(x[i]);
}

// Rounds to single precision and back, as a float variable would.
__attribute__((target("avx2"))) static inline __m256d to_single(__m256d x) {
    return _mm256_cvtps_pd(_mm256_cvtpd_ps(x));
}

// Four samples: the phase and the sine rounded to single precision, the sine scaled and
// truncated, times the gain and truncated (0 out of the 32-bit range or where the gain is not
// above 0), wrapped to 16 bits and added.
__attribute__((target("avx2"))) static void add_sine_samples_avx2(const double *theta,
                                                                  const float *gain, int32_t *sum,
                                                                  int n) {
    const __m256d full_scale = _mm256_set1_pd(FULL_SCALE);
    const __m256d low = _mm256_set1_pd(-2147483649.0);
    const __m256d high = _mm256_set1_pd(2147483648.0);
    const __m256d zero = _mm256_setzero_pd();
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        __m256d s = to_single(sine4(to_single(_mm256_loadu_pd(theta + i))));
        __m256d x = _mm256_cvtepi32_pd(_mm256_cvttpd_epi32(_mm256_mul_pd(s, full_scale)));
        __m256d g = _mm256_cvtps_pd(_mm_loadu_ps(gain + i));
        __m256d p = _mm256_mul_pd(x, g);
        __m256d keep = _mm256_and_pd(_mm256_cmp_pd(p, low, _CMP_GT_OQ),
                                     _mm256_cmp_pd(p, high, _CMP_LT_OQ));
        keep = _mm256_and_pd(keep, _mm256_cmp_pd(g, zero, _CMP_GT_OQ));
        __m128i r = _mm256_cvttpd_epi32(_mm256_and_pd(p, keep));
        r = _mm_srai_epi32(_mm_slli_epi32(r, 16), 16);
        __m128i *at = reinterpret_cast<__m128i *>(sum + i);
        _mm_storeu_si128(at, _mm_add_epi32(_mm_loadu_si128(at), r));
    }
    for (; i < n; i++) add_one_sample(theta[i], gain[i], sum + i);
}

static void batch_sines_portable(const double *x, double *out, int n) {
    for (int i = 0; i < n; i++) out[i] = sine_in_range(x[i]);
}

static void add_sine_samples_portable(const double *theta, const float *gain, int32_t *sum,
                                      int n) {
    for (int i = 0; i < n; i++) add_one_sample(theta[i], gain[i], sum + i);
}

void batch_sines(const double *x, double *out, int n) {
    if (batch_sines_use_avx2)
        batch_sines_avx2(x, out, n);
    else
        batch_sines_portable(x, out, n);
}

void add_sine_samples(const double *theta, const float *gain, int32_t *sum, int n) {
    if (batch_sines_use_avx2)
        add_sine_samples_avx2(theta, gain, sum, n);
    else
        add_sine_samples_portable(theta, gain, sum, n);
}

// Any lane out of range or not a number fails the ordered comparison.
__attribute__((target("avx2"))) static bool phases_in_range_avx2(const double *x, int n) {
    const __m256d magnitude = _mm256_castsi256_pd(_mm256_set1_epi64x(INT64_MAX));
    const __m256d limit = _mm256_set1_pd(BATCH_PHASE_LIMIT);
    __m256d all = _mm256_castsi256_pd(_mm256_set1_epi64x(-1));
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        __m256d a = _mm256_and_pd(_mm256_loadu_pd(x + i), magnitude);
        all = _mm256_and_pd(all, _mm256_cmp_pd(a, limit, _CMP_LT_OQ));
    }
    bool in = _mm256_movemask_pd(all) == 0xf;
    for (; i < n; i++) in &= std::fabs(x[i]) < BATCH_PHASE_LIMIT;
    return in;
}

static bool phases_in_range_portable(const double *x, int n) {
    bool in = true;
    for (int i = 0; i < n; i++) in &= std::fabs(x[i]) < BATCH_PHASE_LIMIT;
    return in;
}

bool phases_in_range(const double *x, int n) {
    return batch_sines_use_avx2 ? phases_in_range_avx2(x, n) : phases_in_range_portable(x, n);
}
