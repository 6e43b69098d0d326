// Sine, cosine and 2^y from IEEE 754 arithmetic alone: the angle is brought within pi/4 of a
// multiple of pi/2, then polynomials fitted by tools/fit-trig/fit_trig.py take over.
#include "base/trig.h"

#include <cstdint>
#include <cstring>
#include <limits>

__extension__ typedef unsigned __int128 u128;

// pi/2 in pieces of 30, 30, 30 and 53 bits: k times each of the first three is exact for
// |k| < 2^23, and their sum misses pi/2 by 2^-143.
constexpr double HALF_PI_1 = 1.570796325802803;
constexpr double HALF_PI_2 = 9.920935791635221e-10;
constexpr double HALF_PI_3 = 5.17018297889025e-19;
constexpr double HALF_PI_4 = 2.90385597397936e-28;
constexpr double HALF_PI = 1.5707963267948966;       // pi/2 rounded to double
constexpr double HALF_PI_REST = 6.123233995736766e-17; // what HALF_PI leaves out
constexpr double TWO_OVER_PI = 0.6366197723675814;
constexpr double NEAR_LIMIT = 8388608.0;      // 2^23: below it the pieces reduce exactly
constexpr double ROUNDER = 6755399441055744.0; // 1.5 * 2^52: adding it rounds to an integer

// The bits of 2/pi after the point, most significant first: 1152 of them, enough for the
// largest double (the far reduction reads 128 bits from just above 2^(1 - exponent)).
static const uint32_t TWO_OVER_PI_BITS[] = {
    0xa2f9836e, 0x4e441529, 0xfc2757d1, 0xf534ddc0, 0xdb629599, 0x3c439041,
    0xfe5163ab, 0xdebbc561, 0xb7246e3a, 0x424dd2e0, 0x06492eea, 0x09d1921c,
    0xfe1deb1c, 0xb129a73e, 0xe88235f5, 0x2ebb4484, 0xe99c7026, 0xb45f7e41,
    0x3991d639, 0x835339f4, 0x9c845f8b, 0xbdf9283b, 0x1ff897ff, 0xde05980f,
    0xef2f118b, 0x5a0a6d1f, 0x6d367ecf, 0x27cb09b7, 0x4f463f66, 0x9e5fea2d,
    0x7527bac7, 0xebe5f17b, 0x3d0739f7, 0x8a5292ea, 0x6bfb5fb1, 0x1f8d5d08,
};
constexpr int TWO_OVER_PI_WORDS = sizeof TWO_OVER_PI_BITS / sizeof TWO_OVER_PI_BITS[0];
static_assert(TWO_OVER_PI_WORDS == 36, "bits up to 2^-1152");

// Polynomials in z = r^2 for |r| <= pi/4: sine r = r + r^3 SIN(z), cosine r = 1 - z/2 + z^2 COS(z).
static const double SIN_D[] = {-0.1666666666666663, 0.008333333333322108,
                               -0.00019841269829580163, 2.755731361801643e-06,
                               -2.505074721807168e-08, 1.5896197629504921e-10};
static const double COS_D[] = {0.041666666666666595, -0.001388888888887304,
                               2.4801587288841384e-05, -2.7557314176236087e-07,
                               2.087570041557701e-09, -1.1358513926426955e-11};
// Shorter ones, for the single-precision results (relative errors 5e-12 and 1e-13).
static const double SIN_F[] = {-0.1666666664077623, 0.008333329302416337,
                               -0.00019839311485140754, 2.7181141154327486e-06};
static const double COS_F[] = {0.04166666661945371, -0.00138888834968577,
                               2.479945930956338e-05, -2.7205684587489615e-07};
// 2^f = 1 + f ln 2 + f^2 EXP2(f) for |f| <= 1/2.
static const double EXP2[] = {0.2402265069591012, 0.055504108664821604, 0.009618129107595108,
                              0.0013333558146410656, 0.00015403530458701168,
                              1.525273383887902e-05, 1.3215433539637458e-06,
                              1.0178057622863297e-07, 7.074194562613105e-09,
                              4.4558180309131894e-10};
constexpr double LN2 = 0.6931471805599453;
constexpr double LN2_REST = 2.3190468138462996e-17;

template <int N> static double polynomial(const double (&c)[N], double z) {
    double v = c[N - 1];
    for (int i = N - 2; i >= 0; i--) v = v * z + c[i];
    return v;
}

// a + b as s + e exactly.
static void two_sum(double a, double b, double &s, double &e) {
    s = a + b;
    double bb = s - a;
    e = (a - (s - bb)) + (b - bb);
}

// a * b as p + e exactly (Dekker's splitting: no fused multiply-add to lean on).
static void two_product(double a, double b, double &p, double &e) {
    const double SPLIT = 134217729.0; // 2^27 + 1
    double ca = SPLIT * a, cb = SPLIT * b;
    double ah = ca - (ca - a), al = a - ah;
    double bh = cb - (cb - b), bl = b - bh;
    p = a * b;
    e = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}

// x less a whole number of quarter turns: hi + lo within pi/4 (and a hair), and how many
// quarter turns were taken, modulo 4.
struct Reduced {
    double hi, lo;
    int quadrant;
};

// Cody and Waite's reduction for |x| < 2^23: k pi/2 taken off piece by piece, each product
// exact and each difference kept whole as a pair.
static Reduced reduce_near(double x) {
    double k = (x * TWO_OVER_PI + ROUNDER) - ROUNDER;
    double r = x - k * HALF_PI_1; // exact: the two lie within a factor of two of each other
    double s, e, lo = 0.0;
    two_sum(r, -(k * HALF_PI_2), s, e);
    lo += e;
    two_sum(s, -(k * HALF_PI_3), r, e);
    lo += e - k * HALF_PI_4;
    two_sum(r, lo, s, e);
    return Reduced{s, e, static_cast<int>(static_cast<int64_t>(k) & 3)};
}

// 128 bits of 2/pi from bit FIRST after the point on (FIRST >= 1), as an integer.
static u128 two_over_pi_window(int first) {
    int word = (first - 1) / 32, shift = (first - 1) % 32;
    u128 w = 0;
    for (int i = 0; i < 4; i++) w = (w << 32) | TWO_OVER_PI_BITS[word + i];
    if (shift == 0) return w;
    uint32_t next = word + 4 < TWO_OVER_PI_WORDS ? TWO_OVER_PI_BITS[word + 4] : 0;
    return (w << shift) | (next >> (32 - shift));
}

// Payne and Hanek's reduction for |x| >= 2^23: with x = m 2^e (m an integer of 53 bits),
// x 2/pi modulo 4 is m times the bits of 2/pi from bit e - 1 on, read as a fixed-point
// number; the bits before them only add whole turns. The 128 bits read leave an error below
// 2^-73 of a quarter turn.
static Reduced reduce_far(double x) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    int e = static_cast<int>((bits >> 52) & 0x7ff) - 1075; // from -29 on, as |x| >= 2^23
    uint64_t m = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
    int first = e - 1 > 1 ? e - 1 : 1;
    u128 w = two_over_pi_window(first);
    // P = m w has 181 bits: the top 117 in high, the low 64 in low64.
    u128 low = static_cast<u128>(m) * static_cast<uint64_t>(w);
    u128 high = static_cast<u128>(m) * static_cast<uint64_t>(w >> 64) + (low >> 64);
    uint64_t low64 = static_cast<uint64_t>(low);
    int point = first + 127 - e; // bits of P below its binary point: 126 to 157
    int drop = point - 128;      // the 128 bits below the point are P >> drop
    u128 fraction = (high << (64 - drop)) | (drop >= 0 ? static_cast<u128>(low64 >> drop)
                                                       : static_cast<u128>(low64) << -drop);
    int quadrant = static_cast<int>((high >> (point - 64)) & 3);
    bool past_half = static_cast<bool>(fraction >> 127);
    if (past_half) {
        quadrant = (quadrant + 1) & 3;
        fraction = -fraction; // the way back from the next quarter turn
    }
    // fraction / 2^128 as a pair of doubles (its top 53 bits and the next 64, rounded), times
    // pi/2 as a pair.
    const double TWO_M53 = 1.1102230246251565e-16, TWO_M117 = TWO_M53 * 5.421010862427522e-20;
    double top = static_cast<double>(static_cast<uint64_t>(fraction >> 75)) * TWO_M53;
    double rest = static_cast<double>(static_cast<uint64_t>(fraction >> 11)) * TWO_M117;
    double fh, fl, p, pe, hi, lo;
    two_sum(top, rest, fh, fl);
    two_product(fh, HALF_PI, p, pe);
    two_sum(p, pe + (fh * HALF_PI_REST + fl * HALF_PI), hi, lo);
    bool negate = past_half != (x < 0);
    if (x < 0) quadrant = (4 - quadrant) & 3;
    return negate ? Reduced{-hi, -lo, quadrant} : Reduced{hi, lo, quadrant};
}

static Reduced reduce(double x) {
    return (x < NEAR_LIMIT && x > -NEAR_LIMIT) ? reduce_near(x) : reduce_far(x);
}

// sin(x + y) for |x| <= pi/4 and y below half an ulp of x.
static double sine_kernel(double x, double y) {
    double z = x * x;
    double tail = z * x * polynomial(SIN_D, z) + y * (1.0 - 0.5 * z);
    return x + tail;
}

// cos(x + y) likewise; 1 - z/2 is formed first and its rounding error carried into the tail.
static double cosine_kernel(double x, double y) {
    double z = x * x, half = 0.5 * z;
    double w = 1.0 - half;
    double tail = z * z * polynomial(COS_D, z) - x * y;
    return w + (((1.0 - w) - half) + tail);
}

static double sine_of_quadrant(const Reduced &r) {
    switch (r.quadrant) {
    case 0: return sine_kernel(r.hi, r.lo);
    case 1: return cosine_kernel(r.hi, r.lo);
    case 2: return -sine_kernel(r.hi, r.lo);
    default: return -cosine_kernel(r.hi, r.lo);
    }
}

static double single_sine(double r) {
    double z = r * r;
    return r + z * r * polynomial(SIN_F, z);
}

static double single_cosine(double r) {
    double z = r * r;
    return (1.0 - 0.5 * z) + z * z * polynomial(COS_F, z);
}

static float single_of_quadrant(const Reduced &r) {
    double v;
    switch (r.quadrant) {
    case 0: v = single_sine(r.hi); break;
    case 1: v = single_cosine(r.hi); break;
    case 2: v = -single_sine(r.hi); break;
    default: v = -single_cosine(r.hi); break;
    }
    return static_cast<float>(v);
}

static bool finite(double x) {
    return x - x == 0.0;
}

float sine_f(float x) {
    if (!finite(x)) return x - x;
    return single_of_quadrant(reduce(x));
}

float cosine_f(float x) {
    if (!finite(x)) return x - x;
    Reduced r = reduce(x);
    r.quadrant = (r.quadrant + 1) & 3; // cos x = sin(x + pi/2)
    return single_of_quadrant(r);
}

double sine_d(double x) {
    if (!finite(x)) return x - x;
    return sine_of_quadrant(reduce(x));
}

double cosine_d(double x) {
    if (!finite(x)) return x - x;
    Reduced r = reduce(x);
    r.quadrant = (r.quadrant + 1) & 3;
    return sine_of_quadrant(r);
}

// 2^k for an integer k within the normal exponents, built from its bits.
static double power_of_two(int k) {
    uint64_t bits = static_cast<uint64_t>(k + 1023) << 52;
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// y = k + f with |f| <= 1/2; 2^f = 1 + f ln 2 + f^2 EXP2(f), the first product kept exact.
double two_to_the(double y) {
    if (y != y) return y;
    if (y > 1024.0) return std::numeric_limits<double>::infinity();
    if (y < -1022.0) return 0.0; // no subnormal results: the game never comes near them
    double k = (y + ROUNDER) - ROUNDER;
    double f = y - k; // exact
    double p, pe;
    two_product(f, LN2, p, pe);
    double tail = f * f * polynomial(EXP2, f) + (pe + f * LN2_REST);
    double s, e;
    two_sum(1.0, p, s, e);
    double v = s + (e + tail);
    int n = static_cast<int>(k);
    // 2^1024 itself is out of range: take it in two steps
    return n > 1023 ? v * power_of_two(n - 1) * 2.0 : v * power_of_two(n);
}
