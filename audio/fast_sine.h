// A sine for the mixer's hot path, accurate to about 1e-16: a 1024-step table of sines and
// cosines, and the angle-addition rule for the small remainder. The single-precision result
// is the correctly rounded sine in all but the rarest last-bit cases, at a third of the
// cost of a full sine. Phases beyond ±1e5 rad go to the full one (base/trig.h).
#pragma once

#include <cmath>
#include <cstdint>

#include "base/constants.h"
#include "base/trig.h"

constexpr int SINE_STEPS = 1024; // table steps per turn

struct SinCos {
    double s, c;
};
extern const SinCos *const sine_steps; // sin and cos of every step of the turn

// The sine and cosine in double of a phase within ±100000 rad, to about 1e-16.
inline void sine_cosine_in_range(double x, double *sine, double *cosine) {
    const double steps_per_radian = SINE_STEPS / TWO_PI;
    const double step_hi = 0.006135923147667199;   // 2 pi / 1024 to 28 bits: k * hi is exact
    const double step_lo = 3.875365545627111e-12;  // what step_hi leaves out
    const double round_magic = 6755399441055744.0; // 1.5 * 2^52: adding it rounds
    double k = (x * steps_per_radian + round_magic) - round_magic;
    double b = (x - k * step_hi) - k * step_lo; // |b| <= pi / 1024
    double b2 = b * b;
    double sb = b - b * b2 * (1.0 / 6.0 - b2 * (1.0 / 120.0));
    double cb = 1.0 - b2 * (0.5 - b2 * (1.0 / 24.0 - b2 * (1.0 / 720.0)));
    const SinCos &t = sine_steps[static_cast<int64_t>(k) & (SINE_STEPS - 1)];
    *sine = t.s * cb + t.c * sb;
    *cosine = t.c * cb - t.s * sb;
}

inline double sine_in_range(double x) {
    double s, c;
    sine_cosine_in_range(x, &s, &c);
    return s;
}

// The sine in double of any phase.
inline double sine_of(double x) {
    return std::fabs(x) < 1e5 ? sine_in_range(x) : sine_d(x);
}

// The sine in single precision of a single-precision phase.
inline float fast_sine(float theta) {
    return static_cast<float>(sine_of(static_cast<double>(theta)));
}
