// Voices: construction, the four-stage envelope, the distance law and one sample's rendering.
#include "audio/voice.h"

#include <cmath>

#include "audio/clips.h"
#include "audio/convert.h"
#include "audio/fast_sine.h"
#include "audio/voice_gain.h"
#include "base/random.h"

Voice *make_voice(uint32_t delay, uint32_t attack, uint32_t sustain, uint32_t release,
                  int32_t waveform, float frequency, float amplitude, bool ambient, float x,
                  float y, float z, int8_t table_index, int8_t table_step) {
    Voice *v = new Voice();
    v->position = 0;
    v->delay = delay;
    v->attack = attack;
    v->sustain = sustain;
    v->release = release;
    v->frequency = frequency;
    v->amplitude = amplitude;
    v->waveform = waveform;
    v->phase = static_cast<float>((random_int() % 1000) * TWO_PI / 1000.0);
    v->x = x;
    v->y = y;
    v->z = z;
    v->ambient = ambient;
    v->table_index = table_index;
    v->table_step = table_step;
    v->next = nullptr;
    v->heard_gain = -1.0f;
    return v;
}

uint32_t voice_length(const Voice *v) {
    return v->delay + v->attack + v->sustain + v->release;
}

float envelope_level(const Voice *v) {
    return envelope_at(v);
}

float distance_gain_from(const Voice *v, float lx, float ly, float lz) {
    if (v->ambient) return 1.0f;
    double dx = static_cast<float>(lx - v->x);
    double dy = static_cast<float>(ly - v->y);
    double dz = static_cast<float>(lz - v->z);
    float d2 = static_cast<float>(dx * dx + dy * dy + dz * dz);
    if (!(d2 <= HEARING_RADIUS * HEARING_RADIUS)) return 0.0f;
    return static_cast<float>((HEARING_RADIUS - std::sqrt(static_cast<double>(d2))) /
                              HEARING_RADIUS);
}

float distance_gain(const Voice *v) {
    Vec3 l = listener_pos.load();
    return distance_gain_from(v, l.x, l.y, l.z);
}

static int32_t wave_sine(Voice *v) {
    return sine_sample(steady_phase(v, v->position));
}

static int32_t wave_table(Voice *v) {
    if (v->table_index < 0 || v->table_index >= NUM_DEGREES || !tone_tables[v->table_index])
        return 0;
    uint32_t step = static_cast<uint32_t>(static_cast<int32_t>(v->table_step));
    uint32_t i = step * v->position % TONE_TABLE_LEN;
    return tone_tables[v->table_index][i];
}

// The pitch rises linearly through the attack and meets the steady phase where it ends.
static int32_t wave_chirp(Voice *v) {
    uint32_t n = v->position;
    if (n >= v->delay + v->attack) return sine_sample(steady_phase(v, n));
    double swept = static_cast<double>(n - v->delay) * n / v->attack;
    return sine_sample(RADIANS_PER_HZ_SAMPLE * v->frequency * swept + v->phase);
}

// Through the release the pitch falls from f to 0 at its middle and on to -f at its end.
static int32_t wave_fall(Voice *v) {
    uint32_t n = v->position;
    uint32_t m = v->delay + v->attack + v->sustain;
    if (n < m) return sine_sample(steady_phase(v, n));
    double r = static_cast<float>(n - m);
    double bent = m + r * (1.0 - r / v->release);
    return sine_sample(RADIANS_PER_HZ_SAMPLE * v->frequency * bent + v->phase);
}

static int32_t wave_vibrato(Voice *v) {
    double n = v->position;
    double w = static_cast<float>(sine_of(RADIANS_PER_HZ_SAMPLE * (v->frequency / 64.0) * n));
    return sine_sample(steady_phase(v, n) + (TWO_PI / 16.0) * w);
}

static int32_t wave_noise(Voice *) {
    int32_t b = random_int() & 1023;
    return truncate_to_int((b - 512) / 512.0 * FULL_SCALE);
}

// The first half of every period is low.
static int32_t wave_square(Voice *v) {
    uint32_t k = static_cast<uint32_t>(truncate_to_int(v->frequency));
    uint32_t p = k * v->position % SAMPLE_RATE;
    return p < SAMPLE_RATE / 2 ? -FULL_SCALE : FULL_SCALE;
}

static int32_t wave_clip(Voice *v) {
    return clip_sample(CLIP_BABY, v->position);
}

typedef int32_t (*WaveFunc)(Voice *v);

static const WaveFunc waveforms[] = {
    wave_sine, wave_table, wave_chirp, wave_fall, wave_vibrato, wave_noise, wave_square, wave_clip,
};
static_assert(sizeof waveforms / sizeof waveforms[0] == NUM_WAVEFORMS, "one function per waveform");

// One sample of a voice whose waveform function is known; inlined into the loops below.
static inline int16_t render_with(Voice *v, WaveFunc wave) {
    float gain = voice_gain(v);
    int32_t out = 0;
    // Silent stages skip the waveform, so a quiet noise voice draws no random numbers.
    if (gain > 0.0f) {
        int32_t w = wave(v);
        out = truncate_to_int(static_cast<double>(w) * gain);
    }
    v->position++;
    return wrap16(out);
}

static int16_t render_silent(Voice *v) {
    v->position++;
    return 0;
}

int16_t render_voice(Voice *v) {
    if (v->waveform < 0 || v->waveform >= NUM_WAVEFORMS) return render_silent(v);
    return render_with(v, waveforms[v->waveform]);
}
