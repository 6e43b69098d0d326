// Runs of one voice's samples for the mixer's segments. Where a voice is a plain sine at its
// steady pitch (a sine, a vibrato, a chirp after its attack, a fall before its release), the
// sine and cosine of the exact phase are carried from sample to sample by a rotation, and the
// sine of the phase rounded to single precision follows from them by a short correction; the
// result is the per-sample one but for rare last-bit cases. Everything else renders sample by
// sample through render_voice.
#include <cmath>

#include "audio/voice_gain.h"

// A sine and cosine pair turned by a fixed angle every sample.
struct Rotor {
    double s, c;           // sine and cosine of the current angle
    double step_s, step_c; // sine and cosine of the turn per sample
};

static Rotor rotor_at(double angle, double step) {
    Rotor r;
    sine_cosine(angle, &r.s, &r.c);
    sine_cosine(step, &r.step_s, &r.step_c);
    return r;
}

static inline void turn(Rotor *r) {
    double s = r->s * r->step_c + r->c * r->step_s;
    r->c = r->c * r->step_c - r->s * r->step_s;
    r->s = s;
}

// The sample of phase theta rounded to single precision, from the sine s and cosine c of theta
// itself: sin(theta + d) for the rounding step d (|d| < 0.002 rad), to about 1e-9.
static inline int32_t rounded_phase_sample(double theta, double s, double c) {
    double d = static_cast<double>(static_cast<float>(theta)) - theta;
    float sine = static_cast<float>(s + d * (c - 0.5 * d * s));
    return static_cast<int32_t>(static_cast<double>(sine) * FULL_SCALE);
}

static void add_samples_one_by_one(Voice *v, int32_t *sum, int count) {
    for (int i = 0; i < count; i++) sum[i] += render_voice(v);
}

// The steady sine, with the vibrato's wobble when asked for, COUNT samples from the voice's
// position. Phases beyond the fast sine's range go sample by sample. The voice is worked on
// in a local copy, so that the stores into the sum cannot be taken to change it.
static void add_steady_run(Voice *voice, int32_t *sum, int count, bool wobble) {
    // The delay is silent: nothing to work out there but the position.
    if (voice->position < voice->delay) {
        uint32_t quiet = voice->delay - voice->position;
        int skip = quiet < static_cast<uint32_t>(count) ? static_cast<int>(quiet) : count;
        voice->position += static_cast<uint32_t>(skip);
        sum += skip;
        count -= skip;
        if (count == 0) return;
    }
    Voice copy = *voice;
    Voice *v = &copy;
    double omega = RADIANS_PER_HZ_SAMPLE * v->frequency;
    double first = steady_phase(v, v->position);
    double last = steady_phase(v, static_cast<double>(v->position) + count);
    if (!(std::fabs(first) < 50000.0 && std::fabs(last) < 50000.0))
        return add_samples_one_by_one(voice, sum, count);
    Rotor a = rotor_at(first, omega);
    Rotor w = rotor_at(omega / 64.0 * v->position, omega / 64.0);
    for (int i = 0; i < count; i++) {
        float gain = voice_gain(v);
        if (gain > 0.0f) {
            double theta = steady_phase(v, v->position);
            double s = a.s, c = a.c;
            if (wobble) {
                // theta gains (pi/8) w; its sine and cosine turn by that much.
                double b = (TWO_PI / 16.0) * static_cast<double>(static_cast<float>(w.s));
                double b2 = b * b;
                double sb =
                    b * (1.0 - b2 * (1.0 / 6) *
                                   (1.0 - b2 * (1.0 / 20) *
                                              (1.0 - b2 * (1.0 / 42) * (1.0 - b2 * (1.0 / 72)))));
                double cb = 1.0 - b2 * 0.5 *
                                      (1.0 - b2 * (1.0 / 12) *
                                                 (1.0 - b2 * (1.0 / 30) * (1.0 - b2 * (1.0 / 56))));
                theta += b;
                s = a.s * cb + a.c * sb;
                c = a.c * cb - a.s * sb;
            }
            int32_t x = rounded_phase_sample(theta, s, c);
            sum[i] += wrap16(truncate_to_int(static_cast<double>(x) * gain));
        }
        v->position++;
        turn(&a);
        if (wobble) turn(&w);
    }
    *voice = copy;
}

// Splits a run at position EDGE: before it one way, from it the other.
static void add_split_run(Voice *v, int32_t *sum, int count, uint32_t edge, bool steady_first) {
    int before = 0;
    if (v->position < edge)
        before = edge - v->position < static_cast<uint32_t>(count) ? edge - v->position : count;
    if (steady_first) {
        add_steady_run(v, sum, before, false);
        add_samples_one_by_one(v, sum + before, count - before);
    } else {
        add_samples_one_by_one(v, sum, before);
        add_steady_run(v, sum + before, count - before, false);
    }
}

static void add_sine_run(Voice *v, int32_t *sum, int count) {
    add_steady_run(v, sum, count, false);
}

static void add_vibrato_run(Voice *v, int32_t *sum, int count) {
    add_steady_run(v, sum, count, true);
}

// The chirp sweeps through its attack and is steady from then on.
static void add_chirp_run(Voice *v, int32_t *sum, int count) {
    add_split_run(v, sum, count, v->delay + v->attack, false);
}

// The fall is steady until its release begins.
static void add_fall_run(Voice *v, int32_t *sum, int count) {
    add_split_run(v, sum, count, v->delay + v->attack + v->sustain, true);
}

typedef void (*RunFunc)(Voice *v, int32_t *sum, int count);

static const RunFunc runs[] = {
    add_sine_run,           // WAVE_SINE
    add_samples_one_by_one, // WAVE_TABLE
    add_chirp_run,          // WAVE_CHIRP
    add_fall_run,           // WAVE_FALL
    add_vibrato_run,        // WAVE_VIBRATO
    add_samples_one_by_one, // WAVE_NOISE
    add_samples_one_by_one, // WAVE_SQUARE
    add_samples_one_by_one, // WAVE_CLIP
};
static_assert(sizeof runs / sizeof runs[0] == NUM_WAVEFORMS, "one run function per waveform");

void add_voice_run(Voice *v, int32_t *sum, int count) {
    if (v->waveform < 0 || v->waveform >= NUM_WAVEFORMS)
        return add_samples_one_by_one(v, sum, count);
    runs[v->waveform](v, sum, count);
}
