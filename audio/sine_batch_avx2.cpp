// Batch sines with AVX2: the table sine of fast_sine.h four phases at a time. Only IEEE
// additions, multiplications, conversions and truncations, in the order of the one-at-a-time
// forms and never fused, so the results are theirs to the last bit. The work goes in short
// passes over a chunk of samples: one long chain of dependent steps per sample would leave the
// processor waiting. A vibrato's slow wobble is carried by a rotation instead, wherever that is
// sure to round to the same single-precision value as the table sine.
#include "audio/sine_batch_avx2.h"
#if SINE_BATCH_AVX2
#include <immintrin.h>

#include <cmath>

#include "audio/sine_batch.h"

#define AVX2 __attribute__((target("avx2")))

// sine_cosine_in_range's sine of four phases. The step index is read from the low bits of the
// rounding sum, where (int64_t)k & 1023 would find the same bits.
AVX2 static inline __m256d sine4(__m256d x) {
    const __m256d steps_per_radian = _mm256_set1_pd(SINE_STEPS / TWO_PI);
    const __m256d step_hi = _mm256_set1_pd(0.006135923147667199);
    const __m256d step_lo = _mm256_set1_pd(3.875365545627111e-12);
    const __m256d round_magic = _mm256_set1_pd(6755399441055744.0);
    __m256d y = _mm256_add_pd(_mm256_mul_pd(x, steps_per_radian), round_magic);
    __m256d k = _mm256_sub_pd(y, round_magic);
    __m256d b =
        _mm256_sub_pd(_mm256_sub_pd(x, _mm256_mul_pd(k, step_hi)), _mm256_mul_pd(k, step_lo));
    __m256d b2 = _mm256_mul_pd(b, b);
    __m256d sp =
        _mm256_sub_pd(_mm256_set1_pd(1.0 / 6.0), _mm256_mul_pd(b2, _mm256_set1_pd(1.0 / 120.0)));
    __m256d sb = _mm256_sub_pd(b, _mm256_mul_pd(_mm256_mul_pd(b, b2), sp));
    __m256d cp =
        _mm256_sub_pd(_mm256_set1_pd(1.0 / 24.0), _mm256_mul_pd(b2, _mm256_set1_pd(1.0 / 720.0)));
    cp = _mm256_sub_pd(_mm256_set1_pd(0.5), _mm256_mul_pd(b2, cp));
    __m256d cb = _mm256_sub_pd(_mm256_set1_pd(1.0), _mm256_mul_pd(b2, cp));
    __m256i bits = _mm256_and_si256(_mm256_castpd_si256(y), _mm256_set1_epi64x(SINE_STEPS - 1));
    __m128i low = _mm256_castsi256_si128(bits);
    __m128i high = _mm256_extracti128_si256(bits, 1);
    const double *t = &sine_steps[0].s;
    __m128d e0 = _mm_loadu_pd(t + 2 * _mm_cvtsi128_si64(low));
    __m128d e1 = _mm_loadu_pd(t + 2 * _mm_extract_epi64(low, 1));
    __m128d e2 = _mm_loadu_pd(t + 2 * _mm_cvtsi128_si64(high));
    __m128d e3 = _mm_loadu_pd(t + 2 * _mm_extract_epi64(high, 1));
    __m256d e02 = _mm256_insertf128_pd(_mm256_castpd128_pd256(e0), e2, 1);
    __m256d e13 = _mm256_insertf128_pd(_mm256_castpd128_pd256(e1), e3, 1);
    __m256d ts = _mm256_unpacklo_pd(e02, e13);
    __m256d tc = _mm256_unpackhi_pd(e02, e13);
    return _mm256_add_pd(_mm256_mul_pd(ts, cb), _mm256_mul_pd(tc, sb));
}

// Rounds to single precision and back, as a float variable would.
AVX2 static inline __m256d to_single(__m256d x) {
    return _mm256_cvtps_pd(_mm256_cvtpd_ps(x));
}

AVX2 static void rounded_sines(const double *theta, float *out, int n) {
    int i = 0;
    for (; i + 4 <= n; i += 4)
        _mm_storeu_ps(out + i, _mm256_cvtpd_ps(sine4(to_single(_mm256_loadu_pd(theta + i)))));
    for (; i < n; i++) out[i] = rounded_sine(theta[i]);
}

// The sine scaled and truncated, times the gain and truncated (0 out of the 32-bit range or
// where the gain is not above 0), wrapped to 16 bits and added.
AVX2 static void add_scaled_sines(const float *sine, const float *gain, int32_t *sum, int n) {
    const __m256d full_scale = _mm256_set1_pd(FULL_SCALE);
    const __m256d low = _mm256_set1_pd(-2147483649.0);
    const __m256d high = _mm256_set1_pd(2147483648.0);
    const __m256d zero = _mm256_setzero_pd();
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        __m256d s = _mm256_cvtps_pd(_mm_loadu_ps(sine + i));
        __m256d x = _mm256_cvtepi32_pd(_mm256_cvttpd_epi32(_mm256_mul_pd(s, full_scale)));
        __m256d g = _mm256_cvtps_pd(_mm_loadu_ps(gain + i));
        __m256d p = _mm256_mul_pd(x, g);
        __m256d keep =
            _mm256_and_pd(_mm256_cmp_pd(p, low, _CMP_GT_OQ), _mm256_cmp_pd(p, high, _CMP_LT_OQ));
        keep = _mm256_and_pd(keep, _mm256_cmp_pd(g, zero, _CMP_GT_OQ));
        __m128i r = _mm256_cvttpd_epi32(_mm256_and_pd(p, keep));
        r = _mm_srai_epi32(_mm_slli_epi32(r, 16), 16);
        __m128i *at = reinterpret_cast<__m128i *>(sum + i);
        _mm_storeu_si128(at, _mm_add_epi32(_mm_loadu_si128(at), r));
    }
    for (; i < n; i++) add_scaled_sine(sine[i], gain[i], sum + i);
}

// A rotation of four sines and cosines by a fixed angle per step.
struct Rotation4 {
    __m256d s, c; // the current sines and cosines
};

// The rounded sines of one rotation's four lanes at AT, then the rotation turned on.
AVX2 static inline __m256d wobble_step(Rotation4 *r, __m256d at, __m256d wobble, __m256d tolerance,
                                       __m256d turn_s, __m256d turn_c) {
    __m128 low = _mm256_cvtpd_ps(_mm256_sub_pd(r->s, tolerance));
    __m128 high = _mm256_cvtpd_ps(_mm256_add_pd(r->s, tolerance));
    __m256d w;
    if (_mm_movemask_ps(_mm_cmpneq_ps(low, high)) == 0)
        w = _mm256_cvtps_pd(low);
    else
        w = to_single(sine4(_mm256_mul_pd(wobble, at)));
    __m256d next_s = _mm256_add_pd(_mm256_mul_pd(r->s, turn_c), _mm256_mul_pd(r->c, turn_s));
    r->c = _mm256_sub_pd(_mm256_mul_pd(r->c, turn_c), _mm256_mul_pd(r->s, turn_s));
    r->s = next_s;
    return w;
}

// The vibrato's wobble sines of N samples (a multiple of 4), rounded to single precision. Two
// rotations of four lanes each carry them from exact values at the start: wherever every value
// within the tolerance of the rotation's rounds to the same single, that is the table sine's
// rounding too; elsewhere (close to a rounding boundary, as near 0) the table sine is taken.
AVX2 static void wobble_sines(const PhaseLine &line, double *out, int n) {
    alignas(32) double s[8], c[8];
    for (int j = 0; j < 8; j++) sine_cosine_in_range(line.wobble * (line.first + j), &s[j], &c[j]);
    double step_s, step_c;
    sine_cosine_in_range(8.0 * line.wobble, &step_s, &step_c);
    const __m256d turn_s = _mm256_set1_pd(step_s);
    const __m256d turn_c = _mm256_set1_pd(step_c);
    const __m256d tolerance = _mm256_set1_pd(wobble_tolerance(line, n));
    const __m256d wobble = _mm256_set1_pd(line.wobble);
    const __m256d eight = _mm256_set1_pd(8.0);
    __m256d at = _mm256_add_pd(_mm256_set1_pd(line.first), _mm256_set_pd(3, 2, 1, 0));
    __m256d at_b = _mm256_add_pd(at, _mm256_set1_pd(4.0));
    Rotation4 a = {_mm256_load_pd(s), _mm256_load_pd(c)};
    Rotation4 b = {_mm256_load_pd(s + 4), _mm256_load_pd(c + 4)};
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        _mm256_storeu_pd(out + i, wobble_step(&a, at, wobble, tolerance, turn_s, turn_c));
        _mm256_storeu_pd(out + i + 4, wobble_step(&b, at_b, wobble, tolerance, turn_s, turn_c));
        at = _mm256_add_pd(at, eight);
        at_b = _mm256_add_pd(at_b, eight);
    }
    if (i < n) _mm256_storeu_pd(out + i, wobble_step(&a, at, wobble, tolerance, turn_s, turn_c));
}

// A line's phases; for a vibrato the rounded wobble sines go through THETA first.
AVX2 static void line_phases(const PhaseLine &line, double *theta, int n) {
    const __m256d start = _mm256_add_pd(_mm256_set1_pd(line.first), _mm256_set_pd(3, 2, 1, 0));
    const __m256d four = _mm256_set1_pd(4.0);
    int whole = n & ~3;
    if (line.wobbles) wobble_sines(line, theta, whole);
    const __m256d omega = _mm256_set1_pd(line.omega);
    const __m256d phase = _mm256_set1_pd(line.phase);
    const __m256d depth = _mm256_set1_pd(WOBBLE_DEPTH);
    __m256d at = start;
    for (int i = 0; i < whole; i += 4) {
        __m256d p = _mm256_add_pd(_mm256_mul_pd(omega, at), phase);
        if (line.wobbles) p = _mm256_add_pd(p, _mm256_mul_pd(depth, _mm256_loadu_pd(theta + i)));
        _mm256_storeu_pd(theta + i, p);
        at = _mm256_add_pd(at, four);
    }
    for (int i = whole; i < n; i++) theta[i] = line_phase(line, i);
}

AVX2 void add_sine_samples_avx2(const double *theta, const float *gain, int32_t *sum, int n) {
    float sine[BATCH_CHUNK];
    for (int c = 0; c < n; c += BATCH_CHUNK) {
        int m = n - c < BATCH_CHUNK ? n - c : BATCH_CHUNK;
        rounded_sines(theta + c, sine, m);
        add_scaled_sines(sine, gain + c, sum + c, m);
    }
}

AVX2 void add_line_samples_avx2(const PhaseLine &line, const float *gain, int32_t *sum, int n) {
    double theta[BATCH_CHUNK];
    float sine[BATCH_CHUNK];
    for (int c = 0; c < n; c += BATCH_CHUNK) {
        int m = n - c < BATCH_CHUNK ? n - c : BATCH_CHUNK;
        PhaseLine part = line;
        part.first = line.first + c;
        line_phases(part, theta, m);
        rounded_sines(theta, sine, m);
        add_scaled_sines(sine, gain + c, sum + c, m);
    }
}

// Any lane out of range or not a number fails the ordered comparison.
AVX2 bool phases_in_range_avx2(const double *x, int n) {
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
#endif
