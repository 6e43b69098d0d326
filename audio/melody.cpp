// The melody: a random walk over one octave of the scale, one soft note every 0.6 s.
#include "audio/mixer.h"
#include "base/random.h"

int32_t melody_note = 0;
bool melody_rising = true;

static const int32_t TOP_NOTE = 7; // degree 0 an octave up

static void append_note() {
    int8_t index = static_cast<int8_t>(melody_note % NUM_DEGREES);
    int8_t step = melody_note < TOP_NOTE ? 1 : 2;
    append_voice(make_voice(0, 500, 1000, 10000, WAVE_TABLE, 0.0f, 0.006f, true, 0.0f, 0.0f, 0.0f,
                            index, step));
}

// One or two notes up or down; a walk that would leave the octave jumps back into its top or
// bottom three notes, never onto the note it left, and that turn is the whole of the step.
void melody_step() {
    append_note();
    int32_t u = random_int() & 1;
    int32_t old = melody_note;
    if (melody_rising) {
        int32_t next = old + 1 + u;
        if (next > TOP_NOTE) {
            melody_rising = false;
            do next = TOP_NOTE - random_int() % 3;
            while (next == old);
        }
        melody_note = next;
    } else {
        int32_t next = old - 1 - u;
        if (next < 0) {
            melody_rising = true;
            do next = random_int() % 3;
            while (next == old);
        }
        melody_note = next;
    }
}
