// The chaser's growl: a low, rough, breathing voice, three seconds that loop without a seam.
#include <cmath>

#include "synth.h"

static const int LOOP = 3 * RATE;  // the clip's length; the mixer loops it
static const int BLEND = RATE / 4; // the end is faded into the start over this many samples

// A glottal-like pulse: the throat opens slowly and snaps shut, and the snap carries the
// harmonics that the mouth's resonances then colour.
static double pulse(double phase) {
    const double open = 0.6;
    if (phase >= open) return 0.0;
    double s = phase / open;
    return s * s;
}

// The raw growl before the loop is closed: LOOP + BLEND samples.
static std::vector<double> raw_growl() {
    Noise noise{0x67726f776cull};
    Biquad f1 = band_pass(420.0, 3.0), f2 = band_pass(1100.0, 4.0), f3 = band_pass(2300.0, 6.0);
    Biquad body = low_pass(260.0, 0.9), breath = band_pass(650.0, 0.8);
    Biquad tone = low_pass(2800.0, 0.7), dc = high_pass(35.0, 0.7);
    std::vector<double> out;
    double phase = 0.0, rattle = 0.0, jitter = 0.0, weight = 1.0;
    int cycle = 0;
    for (int i = 0; i < LOOP + BLEND; i++) {
        double t = static_cast<double>(i) / LOOP; // loop turns
        // The pitch wanders slowly (in whole turns of the loop) and shakes from cycle to cycle.
        double f0 =
            64.0 + 7.0 * std::sin(2.0 * M_PI * 2.0 * t) + 3.0 * std::sin(2.0 * M_PI * 5.0 * t);
        phase += f0 * (1.0 + jitter) / RATE;
        if (phase >= 1.0) {
            phase -= 1.0;
            cycle++;
            jitter = 0.06 * noise.next();
            // Every other cycle weaker: the period doubling that makes a voice growl.
            weight = (cycle % 2 ? 0.55 : 1.0) * (0.85 + 0.15 * noise.next());
        }
        double source = weight * pulse(phase) - 0.2;
        double voiced = 1.2 * f1.run(source) + 0.8 * f2.run(source) + 0.25 * f3.run(source) +
                        0.35 * body.run(source);
        // The throat's flutter, 17 to 23 times a second.
        rattle += (20.0 + 3.0 * std::sin(2.0 * M_PI * 3.0 * t)) / RATE;
        double flutter = 0.6 + 0.4 * std::pow(std::fabs(std::sin(M_PI * rattle)), 1.5);
        // Two swells per loop, as if breathing out through the teeth.
        double swell = 0.55 + 0.45 * std::pow(std::sin(M_PI * 2.0 * t), 2.0);
        double air = breath.run(noise.next()) * (0.25 + 0.35 * swell);
        double s = std::tanh(4.0 * voiced * flutter * swell) + air;
        out.push_back(dc.run(tone.run(s)));
    }
    return out;
}

std::vector<int16_t> make_growl() {
    std::vector<double> raw = raw_growl();
    std::vector<double> loop(raw.begin(), raw.begin() + LOOP);
    // What followed the loop's end is faded into its start, so the last sample leads on into
    // the first as it did in the raw sound.
    for (int i = 0; i < BLEND; i++) {
        double w = 0.5 - 0.5 * std::cos(M_PI * i / BLEND);
        loop[i] = w * raw[i] + (1.0 - w) * raw[LOOP + i];
    }
    return normalise(loop, 30000.0);
}
