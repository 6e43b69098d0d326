// Our sine, cosine and 2^y against the C library's long double ones, over sweeps and the hard
// cases: within 1 ulp wherever the header promises it, and so for the mixer's table sine too.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <random>

#include "audio/fast_sine.h"
#include "base/trig.h"

// |got - want| in ulps of the precision with MANTISSA bits, at want's binade.
static long double ulps(long double got, long double want, int mantissa) {
    int e;
    std::frexp(want, &e);
    if (want == 0) return got == 0 ? 0 : INFINITY;
    return std::fabs(got - want) / std::ldexp(1.0L, e - mantissa);
}

struct Worst {
    long double ulps = 0;
    long double at = 0;
    void see(long double u, long double x) {
        if (u > ulps) ulps = u, at = x;
    }
};

// Every function at X, checked to within 1 ulp; doubles beyond 2^23 only where the result is
// at least 2^-19, below which the far reduction's 2^-73 of a quarter turn may show.
struct Checks {
    Worst sf, cf, sd, cd;
    void at(double x) {
        float f = static_cast<float>(x);
        sf.see(ulps(sine_f(f), sinl(f), 24), f);
        cf.see(ulps(cosine_f(f), cosl(f), 24), f);
        long double s = sinl(x), c = cosl(x);
        bool near = std::fabs(x) < 8388608.0;
        if (near || std::fabs(s) >= 0x1p-19L) sd.see(ulps(sine_d(x), s, 53), x);
        if (near || std::fabs(c) >= 0x1p-19L) cd.see(ulps(cosine_d(x), c, 53), x);
    }
    void expect_within_one_ulp(const char *what) {
        EXPECT_LE(sf.ulps, 1) << what << ": sine_f at " << static_cast<double>(sf.at);
        EXPECT_LE(cf.ulps, 1) << what << ": cosine_f at " << static_cast<double>(cf.at);
        EXPECT_LE(sd.ulps, 1) << what << ": sine_d at " << static_cast<double>(sd.at);
        EXPECT_LE(cd.ulps, 1) << what << ": cosine_d at " << static_cast<double>(cd.at);
        std::printf("%s: worst ulps sine_f %.3Lf cosine_f %.3Lf sine_d %.3Lf cosine_d %.3Lf\n",
                    what, sf.ulps, cf.ulps, sd.ulps, cd.ulps);
    }
};

TEST(Trig, WithinOneUlpOverSweeps) {
    std::mt19937_64 g(15);
    struct Range {
        const char *what;
        double lo, hi; // uniform in [lo, hi], or log-uniform magnitudes 2^lo..2^hi when log
        bool log;
    };
    const Range ranges[] = {
        {"one turn either way (every angle the world draws)", -6.3, 6.3, false},
        {"headings of a long game", -2000.0, 2000.0, false},
        {"magnitudes 2^-30 to 2^23 (Cody-Waite)", -30, 23, true},
        {"magnitudes 2^23 to 2^127 (Payne-Hanek)", 23, 127, true},
        {"magnitudes 2^127 to 2^1023 (doubles only)", 127, 1023, true},
    };
    for (const Range &r : ranges) {
        Checks c;
        for (int i = 0; i < 150000; i++) {
            double u = std::uniform_real_distribution<double>(r.lo, r.hi)(g);
            double x = r.log ? std::exp2(u) * (i & 1 ? -1 : 1) : u;
            c.at(x);
        }
        c.expect_within_one_ulp(r.what);
    }
}

// Where the reduction cancels most: the floats and doubles nearest to k pi/2 and their
// neighbours, the edge of the near reduction, and the extremes.
TEST(Trig, WithinOneUlpAtHardCases) {
    Checks c;
    const long double half_pi = 1.5707963267948966192313216916397514L;
    for (int k = -20000; k <= 20000; k++) {
        double d = static_cast<double>(k * half_pi);
        float f = static_cast<float>(k * half_pi);
        for (double x : {d, std::nextafter(d, -INFINITY), std::nextafter(d, INFINITY),
                         static_cast<double>(f), static_cast<double>(std::nextafterf(f, 0.0f))})
            c.at(x);
    }
    for (double x : {8388608.0, std::nextafter(8388608.0, 0.0), -8388608.0, 1e-300, -1e-300,
                     0x1p-1022, 1e-30, 1e-8, 1e5, 99999.99, 6381956970095103.0 * 0x1p797,
                     static_cast<double>(FLT_MAX), -static_cast<double>(FLT_MAX), DBL_MAX,
                     -DBL_MAX, 16367173.0 * 0x1p72})
        c.at(x);
    c.expect_within_one_ulp("hard cases");
    EXPECT_EQ(sine_d(1e-300), 1e-300);
    EXPECT_EQ(cosine_f(1e-30f), 1.0f);
    EXPECT_TRUE(std::isnan(sine_f(INFINITY)));
    EXPECT_TRUE(std::isnan(cosine_d(NAN)));
}

TEST(Trig, TwoToTheWithinOneUlp) {
    std::mt19937_64 g(12);
    Worst w;
    for (int i = 0; i < 200000; i++) {
        double y = std::uniform_real_distribution<double>(-1022.0, 1023.9)(g);
        w.see(ulps(two_to_the(y), exp2l(y), 53), y);
    }
    for (int k = -1022; k <= 1023; k++) EXPECT_EQ(two_to_the(k), std::ldexp(1.0, k)) << k;
    double twelfth = static_cast<double>(1.0f / 12.0f); // the scale's semitone
    w.see(ulps(two_to_the(twelfth), exp2l(twelfth), 53), twelfth);
    EXPECT_LE(w.ulps, 1) << "at " << static_cast<double>(w.at);
    EXPECT_EQ(two_to_the(1025.0), INFINITY);
    EXPECT_EQ(two_to_the(-1100.0), 0.0);
    std::printf("two_to_the: worst %.3Lf ulps\n", w.ulps);
}

// The mixer's sine of a single-precision phase, rounded to single precision, over every phase
// a voice reaches (within 1e5 radians the table path, beyond it sine_d).
TEST(Trig, MixerSineWithinOneUlp) {
    std::mt19937 g(44100);
    Worst w;
    for (int i = 0; i < 300000; i++) {
        float theta = std::uniform_real_distribution<float>(-2e5f, 2e5f)(g);
        if (i % 3 == 0) theta = std::uniform_real_distribution<float>(-7.0f, 7.0f)(g);
        w.see(ulps(fast_sine(theta), sinl(theta), 24), theta);
    }
    EXPECT_LE(w.ulps, 1) << "at " << static_cast<double>(w.at);
    std::printf("fast_sine: worst %.3Lf ulps\n", w.ulps);
}
