// An independent model of one voice, derived straight from the sound's description in double
// precision, so that the synthesiser's logic can be checked sample by sample.
#pragma once

#include <cstdint>

struct ModelVoice {
    double delay, attack, sustain, release;
    int wave; // 0 sine, 2 chirp, 3 fall, 4 vibrato
    double freq, amp, phase;
    double x, y; // position; the listener is at (lx, ly)
    bool ambient;
};

// The voice's output at position n with the listener at (lx, ly), before 16-bit wrapping.
double model_sample(const ModelVoice &v, double n, double lx, double ly);
