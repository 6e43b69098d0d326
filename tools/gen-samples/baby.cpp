// The babies' cry: a short, plaintive wail that rises, catches once and falls away.
#include <cmath>

#include "synth.h"

static const double LENGTH = 1.1; // seconds

static double smoothstep(double a, double b, double x) {
    double t = std::fmin(1.0, std::fmax(0.0, (x - a) / (b - a)));
    return t * t * (3.0 - 2.0 * t);
}

// The pitch: a quick rise into the wail, a trembling hold, then a long sad fall.
static double pitch_at(double t) {
    double rise = 390.0 + 150.0 * smoothstep(0.0, 0.09, t);
    double fall = 230.0 * smoothstep(0.62, 1.1, t);
    double tremble =
        1.0 + (0.015 + 0.03 * smoothstep(0.2, 0.7, t)) * std::sin(2.0 * M_PI * 6.2 * t);
    return (rise + 25.0 * smoothstep(0.1, 0.55, t) - fall) * tremble;
}

// Loudness: a soft start, a catch in the throat, then fading with the pitch.
static double loudness_at(double t) {
    double on = smoothstep(0.0, 0.05, t);
    double off = 1.0 - smoothstep(0.8, LENGTH, t);
    double catch_ = 1.0 - 0.7 * std::exp(-std::pow((t - 0.37) / 0.022, 2.0));
    return on * off * catch_ * (1.0 - 0.25 * smoothstep(0.1, 0.8, t));
}

// Mouth opening from "w" to "a" and closing towards "u" as the cry ends.
static void formants_at(double t, double *f1, double *f2) {
    double open = smoothstep(0.0, 0.12, t) - 0.5 * smoothstep(0.75, 1.1, t);
    *f1 = 320.0 + 620.0 * open;
    *f2 = 760.0 + 700.0 * open;
}

std::vector<int16_t> make_baby() {
    Noise noise{0x62616279ull};
    const int n = static_cast<int>(LENGTH * RATE);
    const int harmonics = 24;
    double phase = 0.0, wobble = 0.0;
    Biquad f3 = band_pass(2900.0, 7.0), hiss = band_pass(3500.0, 1.2), dc = high_pass(80.0, 0.7);
    std::vector<double> out;
    for (int i = 0; i < n; i++) {
        double t = static_cast<double>(i) / RATE;
        wobble = 0.999 * wobble + 0.0004 * noise.next();
        double f0 = pitch_at(t) * (1.0 + wobble);
        phase += f0 / RATE;
        phase -= std::floor(phase);
        double f1, f2;
        formants_at(t, &f1, &f2);
        // Each harmonic is weighted by how close it lies to the two mouth resonances.
        double source = 0.0;
        for (int k = 1; k <= harmonics && k * f0 < 9000.0; k++) {
            double h = k * f0;
            double r1 = 1.0 / (1.0 + std::pow((h - f1) / 180.0, 2.0));
            double r2 = 0.6 / (1.0 + std::pow((h - f2) / 220.0, 2.0));
            source += (0.25 / k + r1 + r2) * std::sin(2.0 * M_PI * k * phase);
        }
        double bright = f3.run(source) * 0.6;
        double air = hiss.run(noise.next()) * (0.08 + 0.25 * (1.0 - smoothstep(0.0, 0.08, t)));
        out.push_back(dc.run((source + bright + air) * loudness_at(t)));
    }
    return normalise(out, 29000.0);
}
