// Noise, filters and normalising behind the recordings, and their files.
#include "synth.h"

#include <cmath>
#include <cstdio>

#include "wavfile/wavfile.h"

double Noise::next() {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<double>(state >> 11) / 4503599627370496.0 - 1.0; // 2^52
}

double Biquad::run(double x) {
    double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
}

static Biquad normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
    return Biquad{b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0, 0, 0, 0, 0};
}

Biquad band_pass(double centre_hz, double q) {
    double w = 2.0 * M_PI * centre_hz / RATE;
    double alpha = std::sin(w) / (2.0 * q);
    return normalised(alpha, 0.0, -alpha, 1.0 + alpha, -2.0 * std::cos(w), 1.0 - alpha);
}

Biquad low_pass(double cutoff_hz, double q) {
    double w = 2.0 * M_PI * cutoff_hz / RATE;
    double alpha = std::sin(w) / (2.0 * q);
    double c = std::cos(w);
    return normalised((1.0 - c) / 2.0, 1.0 - c, (1.0 - c) / 2.0, 1.0 + alpha, -2.0 * c,
                      1.0 - alpha);
}

Biquad high_pass(double cutoff_hz, double q) {
    double w = 2.0 * M_PI * cutoff_hz / RATE;
    double alpha = std::sin(w) / (2.0 * q);
    double c = std::cos(w);
    return normalised((1.0 + c) / 2.0, -(1.0 + c), (1.0 + c) / 2.0, 1.0 + alpha, -2.0 * c,
                      1.0 - alpha);
}

std::vector<int16_t> normalise(const std::vector<double> &s, double peak) {
    double top = 1e-9;
    for (double x : s) top = std::fmax(top, std::fabs(x));
    std::vector<int16_t> out;
    out.reserve(s.size());
    for (double x : s) out.push_back(static_cast<int16_t>(std::lround(x / top * peak)));
    return out;
}

static_assert(WAV_MONO16.rate == RATE, "the files say the rate the recordings are made at");

bool write_wav16(const std::string &path, const std::vector<int16_t> &samples) {
    std::FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = write_wav_header(f, WAV_MONO16, static_cast<uint32_t>(samples.size() * 2)) &&
              write_wav_samples(f, samples.data(), samples.size());
    return std::fclose(f) == 0 && ok;
}
