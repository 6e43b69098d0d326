// The model: envelope, distance and the sine family, each written out from the formulas.
#include "reference_model.h"

#include <cmath>

static double model_envelope(const ModelVoice &v, double n) {
    if (n < v.delay) return 0.0;
    if (n < v.delay + v.attack) return (n - v.delay) / v.attack;
    if (n < v.delay + v.attack + v.sustain) return 1.0;
    double into_release = n - v.delay - v.attack - v.sustain;
    if (into_release < v.release) return 1.0 - into_release / v.release;
    return 0.0;
}

static double model_distance(const ModelVoice &v, double lx, double ly) {
    if (v.ambient) return 1.0;
    double d = std::hypot(lx - v.x, ly - v.y);
    return d > 50.0 ? 0.0 : (50.0 - d) / 50.0;
}

// The phase in radians at sample n: the integral of the instantaneous pitch.
static double model_phase(const ModelVoice &v, double n) {
    const double w = 2.0 * M_PI * v.freq / 44100.0;
    switch (v.wave) {
    case 2: // chirp: pitch f (2n - delay) / attack during the attack
        if (n < v.delay + v.attack) return w * (n - v.delay) * n / v.attack + v.phase;
        return w * n + v.phase;
    case 3: { // fall: pitch f (1 - 2r / release) through the release
        double m = v.delay + v.attack + v.sustain;
        if (n < m) return w * n + v.phase;
        double r = n - m;
        return w * (m + r - r * r / v.release) + v.phase;
    }
    case 4: // vibrato: a wobble of pi/8 at f/64
        return w * n + v.phase + M_PI / 8.0 * std::sin(w / 64.0 * n);
    default:
        return w * n + v.phase;
    }
}

double model_sample(const ModelVoice &v, double n, double lx, double ly) {
    double gain = model_envelope(v, n) * model_distance(v, lx, ly) * v.amp;
    if (gain <= 0.0) return 0.0;
    // The game's phase is a single-precision number, so its sine sees the phase so rounded.
    double theta = static_cast<float>(model_phase(v, n));
    return std::trunc(std::trunc(std::sin(theta) * 16383.0) * gain);
}
