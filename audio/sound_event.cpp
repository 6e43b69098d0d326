// Sound events: each game event becomes a handful of voices or a change to the mixer's levels.
#include "audio/sound.h"

#include "audio/listener.h"
#include "audio/mixer.h"
#include "base/random.h"

void (*sound_event_observer)(int32_t, float, float, float, float, int32_t);

// Where a voice's pitch comes from.
enum Pitch : int8_t {
    PITCH_NONE = -1,   // the waveform ignores it: frequency 0
    PITCH_RANDOM = -2, // a degree drawn for this voice, before its start phase
    PITCH_NOTE = -3,   // the degree the event was given as its note
    // 0..6: that degree
};

struct EventVoice {
    int32_t waveform;
    int8_t pitch;   // a Pitch, or a degree 0..6
    float multiple; // times the degree's pitch: 2 an octave up, 3 an octave and a fifth
    float amplitude;
    uint32_t delay, attack, sustain, release;
    bool ambient;
    int8_t table_step; // WAVE_TABLE's stride; the table is the pitch's degree
};

static constexpr EventVoice event_voices[] = {
    // SOUND_BABY_BURST
    {WAVE_CHIRP, PITCH_RANDOM, 1.0f, 0.016f, 0, 15000, 15000, 20000, false, 0},
    // SOUND_BABY_TOUCHED
    {WAVE_CLIP, PITCH_NONE, 1.0f, 0.01f, 0, 500, 5000, 50000, false, 0},
    // SOUND_FIRST_ARRIVAL: the voices enter 5000 apart and fade together
    {WAVE_VIBRATO, 0, 1.0f, 0.02f, 0, 5000, 25000, 40000, false, 0},
    {WAVE_VIBRATO, 2, 1.0f, 0.02f, 0, 10000, 20000, 40000, false, 0},
    {WAVE_VIBRATO, 4, 1.0f, 0.02f, 0, 15000, 15000, 40000, false, 0},
    // SOUND_CAUGHT: a click of noise, then a square blip where its attack ends
    {WAVE_NOISE, PITCH_NONE, 1.0f, 0.006f, 0, 200, 200, 200, false, 0},
    {WAVE_SQUARE, PITCH_RANDOM, 1.0f, 0.01f, 200, 200, 200, 200, false, 0},
    // SOUND_SECOND_ARRIVAL
    {WAVE_VIBRATO, 1, 1.0f, 0.02f, 0, 5000, 25000, 40000, false, 0},
    {WAVE_VIBRATO, 3, 1.0f, 0.02f, 0, 10000, 20000, 40000, false, 0},
    {WAVE_VIBRATO, 5, 1.0f, 0.02f, 0, 15000, 15000, 40000, false, 0},
    // SOUND_THIRD_ARRIVAL
    {WAVE_VIBRATO, 2, 1.0f, 0.02f, 0, 5000, 25000, 40000, false, 0},
    {WAVE_VIBRATO, 4, 1.0f, 0.02f, 0, 10000, 20000, 40000, false, 0},
    {WAVE_VIBRATO, 6, 1.0f, 0.02f, 0, 15000, 15000, 40000, false, 0},
    // SOUND_WALL_BUMP
    {WAVE_FALL, PITCH_RANDOM, 1.0f, 0.005f, 0, 2000, 1000, 1000, false, 0},
    // SOUND_PLANT_BUMP
    {WAVE_NOISE, PITCH_NONE, 1.0f, 0.004f, 0, 800, 800, 3200, false, 0},
    // SOUND_LIGHT_ARRIVED: the table at stride 3 sounds an octave and a fifth up
    {WAVE_TABLE, PITCH_NOTE, 3.0f, 0.001f, 0, 5000, 5000, 50000, false, 3},
    // SOUND_JOURNEY_END: the scale climbed every 18000 samples, closing on the octave
    {WAVE_VIBRATO, 0, 1.0f, 0.03f, 0, 9000, 18000, 36000, true, 0},
    {WAVE_VIBRATO, 1, 1.0f, 0.03f, 18000, 9000, 18000, 36000, true, 0},
    {WAVE_VIBRATO, 2, 1.0f, 0.03f, 36000, 9000, 18000, 36000, true, 0},
    {WAVE_VIBRATO, 3, 1.0f, 0.03f, 54000, 9000, 18000, 36000, true, 0},
    {WAVE_VIBRATO, 4, 1.0f, 0.03f, 72000, 9000, 18000, 36000, true, 0},
    {WAVE_VIBRATO, 5, 1.0f, 0.03f, 90000, 9000, 18000, 36000, true, 0},
    {WAVE_VIBRATO, 6, 1.0f, 0.03f, 108000, 9000, 18000, 36000, true, 0},
    {WAVE_VIBRATO, 0, 2.0f, 0.03f, 126000, 9000, 18000, 63000, true, 0},
};

enum LevelEffect { LEVEL_NONE, LEVEL_FEED_HISS, LEVEL_GROWL_ON, LEVEL_SILENCE };

struct EventSound {
    int first;          // index of its first voice in event_voices
    int count;          // voices it makes, in this order
    LevelEffect effect; // applied after its voices are appended
};

static constexpr EventSound event_sounds[] = {
    {0, 0, LEVEL_FEED_HISS}, // SOUND_ROW_SPLASH
    {0, 1, LEVEL_NONE},      // SOUND_BABY_BURST
    {1, 1, LEVEL_NONE},      // SOUND_BABY_TOUCHED
    {2, 3, LEVEL_NONE},      // SOUND_FIRST_ARRIVAL
    {5, 2, LEVEL_NONE},      // SOUND_CAUGHT
    {7, 3, LEVEL_GROWL_ON},  // SOUND_SECOND_ARRIVAL
    {10, 3, LEVEL_NONE},     // SOUND_THIRD_ARRIVAL
    {13, 1, LEVEL_NONE},     // SOUND_WALL_BUMP
    {14, 1, LEVEL_NONE},     // SOUND_PLANT_BUMP
    {15, 1, LEVEL_NONE},     // SOUND_LIGHT_ARRIVED
    {0, 0, LEVEL_SILENCE},   // SOUND_RESTARTED
    {16, 8, LEVEL_NONE},     // SOUND_JOURNEY_END
};
static_assert(sizeof event_sounds / sizeof event_sounds[0] == NUM_SOUND_EVENTS,
              "one sound per event");

constexpr int NUM_EVENT_VOICES = sizeof event_voices / sizeof event_voices[0];
constexpr int MAX_EVENT_VOICES = 8; // the most voices one event makes: the closing phrase

// Every event's voices lie within the voice table, every voice belongs to some event, and no
// event makes more voices than sound_event has room for.
constexpr bool event_voices_fit() {
    int used = 0;
    for (const EventSound &e : event_sounds) {
        if (e.count < 0 || e.count > MAX_EVENT_VOICES || e.first < 0 ||
            e.first + e.count > NUM_EVENT_VOICES)
            return false;
        if (e.first + e.count > used) used = e.first + e.count;
    }
    return used == NUM_EVENT_VOICES;
}
static_assert(event_voices_fit(), "the event table and the voice table agree");

// Draws the random degree (if any) and then the start phase, in that order.
static Voice *make_event_voice(const EventVoice &ev, float x, float y, float z, int32_t note) {
    int32_t degree = ev.pitch;
    if (ev.pitch == PITCH_RANDOM)
        degree = random_int() % NUM_DEGREES;
    else if (ev.pitch == PITCH_NOTE)
        degree = note >= 0 && note < NUM_DEGREES ? note : PITCH_NONE;
    float frequency = degree >= 0 ? ev.multiple * scale_hz[degree] : 0.0f;
    int8_t table = static_cast<int8_t>(ev.waveform == WAVE_TABLE ? degree : 0);
    return make_voice(ev.delay, ev.attack, ev.sustain, ev.release, ev.waveform, frequency,
                      ev.amplitude, ev.ambient, x, y, z, table, ev.table_step);
}

// An increment that races the mixer's decay may be lost; that is a fraction of a sample's hiss.
static void apply_level_effect(LevelEffect effect, float amount) {
    switch (effect) {
    case LEVEL_FEED_HISS:
        row_noise.store(row_noise.load(std::memory_order_relaxed) + amount,
                        std::memory_order_relaxed);
        break;
    case LEVEL_GROWL_ON:
        growl_on.store(true, std::memory_order_relaxed);
        break;
    case LEVEL_SILENCE:
        growl_on.store(false, std::memory_order_relaxed);
        row_noise.store(0.0f, std::memory_order_relaxed);
        break;
    case LEVEL_NONE:
        break;
    }
}

void sound_event(int32_t id, float x, float y, float z, float amount, int32_t note) {
    if (sound_event_observer) sound_event_observer(id, x, y, z, amount, note);
    if (id < 0 || id >= NUM_SOUND_EVENTS) return;
    const EventSound &event = event_sounds[id];
    Voice *made[MAX_EVENT_VOICES];
    for (int i = 0; i < event.count; i++)
        made[i] = make_event_voice(event_voices[event.first + i], x, y, z, note);
    if (voices_unheard) {
        for (int i = 0; i < event.count; i++) delete made[i];
    } else if (event.count > 0) {
        // The mixer never sees the list half-linked, and an event's voices start together.
        std::lock_guard<std::mutex> hold(voice_lock);
        for (int i = 0; i < event.count; i++) append_voice(made[i]);
    }
    apply_level_effect(event.effect, amount);
}

void place_listener(float x, float y, float z) {
    listener_pos.store(x, y, z);
}

void place_growl(float x, float y, float z) {
    growl_pos.store(x, y, z);
}
