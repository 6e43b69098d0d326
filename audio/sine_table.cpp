// The table behind fast_sine: the sine and cosine of every 1024th of a turn.
#include "audio/fast_sine.h"
#include "base/trig.h"

static SinCos table[SINE_STEPS];

static const SinCos *fill_table() {
    for (int i = 0; i < SINE_STEPS; i++) {
        double a = TWO_PI * i / SINE_STEPS;
        table[i] = SinCos{sine_d(a), cosine_d(a)};
    }
    return table;
}

const SinCos *const sine_steps = fill_table();
