// Synthesiser voices: the record, its envelope, its distance law and its eight waveforms.
#pragma once

#include <cstdint>

constexpr int SAMPLE_RATE = 44100;      // output samples per second
constexpr int FULL_SCALE = 16383;       // peak of every synthesised waveform before its gain
constexpr int NUM_DEGREES = 7;          // degrees of the scale, E-flat 4 up to D-flat 5
constexpr int TONE_TABLE_LEN = 200000;  // samples in each tone table (4.5 s)
constexpr float HEARING_RADIUS = 50.0f; // positional voices fall silent this far away

enum Waveform : int32_t {
    WAVE_SINE = 0,    // sine at the voice's frequency
    WAVE_TABLE = 1,   // a tone table read with a stride
    WAVE_CHIRP = 2,   // sine sweeping up during the attack
    WAVE_FALL = 3,    // sine whose pitch falls through the release
    WAVE_VIBRATO = 4, // sine with a slow phase wobble
    WAVE_NOISE = 5,   // white noise, one random draw per audible sample
    WAVE_SQUARE = 6,  // square wave at the integer part of the frequency
    WAVE_CLIP = 7,    // the baby recording from its start
    NUM_WAVEFORMS
};

struct Voice {
    uint32_t position;               // samples rendered so far
    uint32_t delay;                  // samples of silence before the attack
    uint32_t attack;                 // samples of linear rise from 0 to 1
    uint32_t sustain;                // samples held at 1
    uint32_t release;                // samples of linear fall from 1 to 0
    float frequency;                 // pitch in Hz, 0 where the waveform ignores it
    float amplitude;                 // peak gain applied to a full-scale waveform
    int32_t waveform;                // a Waveform value
    float phase;                     // start phase in radians
    float x, y, z;                   // where the sound was made; the voice does not move
    bool ambient;                    // heard at full level wherever the listener is
    int8_t table_index;              // the tone table WAVE_TABLE reads, 0..6
    int8_t table_step;               // index stride for WAVE_TABLE
    Voice *next;                     // the voice mixed after this one
    float heard_x, heard_y, heard_z; // the listener position heard_gain was worked out for
    float heard_gain;                // distance_gain there; negative until first worked out
};

extern float scale_hz[NUM_DEGREES];       // pitch of each scale degree, 311.127 to 554.365 Hz
extern int16_t *tone_tables[NUM_DEGREES]; // one owned sine table per degree; null when absent

// A new heap voice at position 0 with one random start-phase draw.
Voice *make_voice(uint32_t delay, uint32_t attack, uint32_t sustain, uint32_t release,
                  int32_t waveform, float frequency, float amplitude, bool ambient, float x,
                  float y, float z, int8_t table_index, int8_t table_step);

float envelope_level(const Voice *v); // 0..1 at the voice's current position
float distance_gain(const Voice *v);  // 0..1 from the listener's current position
float distance_gain_from(const Voice *v, float lx, float ly, float lz); // 0..1 from a listener
int16_t render_voice(Voice *v); // one sample; advances the position by one
// COUNT samples of a voice, each as render_voice gives it, added into SUM[0..COUNT).
void add_voice_run(Voice *v, int32_t *sum, int count);
uint32_t voice_length(const Voice *v); // total length in samples, modulo 2^32

void build_scale();       // fills scale_hz
void build_tone_tables(); // allocates and fills the seven tone tables from scale_hz
void free_tone_tables();
