// The scale and its tone tables: seven degrees of E-flat minor, each a precomputed sine.
#include "audio/convert.h"
#include "audio/fast_sine.h"
#include "audio/voice.h"
#include "base/constants.h"
#include "base/trig.h"

float scale_hz[NUM_DEGREES];
int16_t *tone_tables[NUM_DEGREES];

// r^k by repeated squaring, each product in single precision.
static float power_by_squaring(float r, int k) {
    float result = 1.0f;
    float base = r;
    while (k > 0) {
        if (k & 1) result = result * base;
        base = base * base;
        k >>= 1;
    }
    return result;
}

// The semitone offsets from A 440 of the seven degrees: -6, -4, -3, -1, +1, +2, +4.
void build_scale() {
    static const int semitones[NUM_DEGREES] = {-6, -4, -3, -1, 1, 2, 4};
    float r = static_cast<float>(two_to_the(static_cast<double>(1.0f / 12.0f)));
    for (int k = 0; k < NUM_DEGREES; k++) {
        int s = semitones[k];
        if (s < 0)
            scale_hz[k] = 440.0f * (1.0f / power_by_squaring(r, -s));
        else
            scale_hz[k] = 440.0f * power_by_squaring(r, s);
    }
}

void build_tone_tables() {
    for (int k = 0; k < NUM_DEGREES; k++) {
        int16_t *t = new int16_t[TONE_TABLE_LEN];
        for (int i = 0; i < TONE_TABLE_LEN; i++) {
            float theta = static_cast<float>(scale_hz[k] * TWO_PI * i / SAMPLE_RATE);
            float s = fast_sine(theta);
            t[i] = static_cast<int16_t>(truncate_to_int(static_cast<double>(s) * FULL_SCALE));
        }
        tone_tables[k] = t;
    }
}

void free_tone_tables() {
    for (int k = 0; k < NUM_DEGREES; k++) {
        delete[] tone_tables[k];
        tone_tables[k] = nullptr;
    }
}
