// Building blocks for our recordings: a repeatable noise source, filters, and their files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int RATE = 44100; // the device's rate, so the game converts nothing

// A small linear congruential generator: the same numbers on every machine and every run.
struct Noise {
    uint64_t state;
    double next(); // uniform in -1..1
};

// A biquad section (direct form I) with the usual audio cookbook formulas.
struct Biquad {
    double b0, b1, b2, a1, a2;
    double x1, x2, y1, y2;
    double run(double x);
};
Biquad band_pass(double centre_hz, double q);
Biquad low_pass(double cutoff_hz, double q);
Biquad high_pass(double cutoff_hz, double q);

// Scales the signal so that its largest magnitude is PEAK and rounds it to 16 bits.
std::vector<int16_t> normalise(const std::vector<double> &s, double peak);

// Writes signed 16-bit mono samples at RATE as a canonical WAV file; false on failure.
bool write_wav16(const std::string &path, const std::vector<int16_t> &samples);

std::vector<int16_t> make_growl();
std::vector<int16_t> make_baby();
