// The per-sample pieces every renderer of a voice shares: its envelope, its distance gain
// (worked out again only when the listener has moved) and the rounding rules of its sines.
#pragma once

#include "audio/convert.h"
#include "audio/fast_sine.h"
#include "audio/listener.h"
#include "audio/voice.h"
#include "base/constants.h"

constexpr double RADIANS_PER_HZ_SAMPLE =
    TWO_PI / SAMPLE_RATE; // a multiply, not a divide, per sample

// Each stage is measured from the end of the one before, so a stage of length 0 never matches.
inline float envelope_at(const Voice *v) {
    uint32_t n = v->position;
    if (n < v->delay) return 0.0f;
    uint32_t a = n - v->delay;
    if (a < v->attack) return static_cast<float>(a) / static_cast<float>(v->attack);
    uint32_t b = a - v->attack;
    if (b < v->sustain) return 1.0f;
    uint32_t c = b - v->sustain;
    if (c < v->release) return 1.0f - static_cast<float>(c) / static_cast<float>(v->release);
    return 0.0f;
}

// The listener moves once a tick, so a voice works its distance out again only when the
// position it reads differs from the one it last worked it out for.
inline float heard_gain(Voice *v) {
    if (v->ambient) return 1.0f;
    Vec3 l = listener_pos.load();
    if (v->heard_gain < 0.0f || l.x != v->heard_x || l.y != v->heard_y || l.z != v->heard_z) {
        v->heard_gain = distance_gain_from(v, l.x, l.y, l.z);
        v->heard_x = l.x;
        v->heard_y = l.y;
        v->heard_z = l.z;
    }
    return v->heard_gain;
}

// A phase is rounded to single precision before its sine, and the sine before its scaling.
inline int32_t sine_sample(double theta) {
    float t = static_cast<float>(theta);
    float s = fast_sine(t);
    return truncate_to_int(static_cast<double>(s) * FULL_SCALE);
}

inline double steady_phase(const Voice *v, double n) {
    return RADIANS_PER_HZ_SAMPLE * v->frequency * n + v->phase;
}

// envelope × (distance × amplitude), rounded to single precision.
inline float voice_gain(Voice *v) {
    return static_cast<float>(static_cast<double>(envelope_at(v)) *
                              (static_cast<double>(heard_gain(v)) * v->amplitude));
}
