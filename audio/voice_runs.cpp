// Runs of one voice's samples for the mixer's segments. A sine-based voice (sine, chirp, fall,
// vibrato) or a tone table is worked a block at a time within one envelope stage: the gains,
// then the phases, then the samples, each a straight pass over arrays that the batch sines do
// four at a time. Every value is formed exactly as render_voice forms it, so a run is bit for bit
// the samples one by one. Everything else, and any block whose phases reach the library's range,
// renders sample by sample through render_voice.
#include <cmath>

#include "audio/sine_batch.h"
#include "audio/voice_gain.h"

static const int BLOCK = 512; // samples worked out together: the arrays stay in the L1 cache

enum Stage { STAGE_DELAY, STAGE_ATTACK, STAGE_SUSTAIN, STAGE_RELEASE, STAGE_DONE };

// Where a position falls in the envelope.
struct StagePlace {
    Stage stage;   // the stage it is in
    uint32_t into; // samples since the stage began
    uint32_t left; // samples until it ends
};

// The stages in order, as envelope_at walks them; the voice's length must fit in 32 bits.
static StagePlace stage_place(const Voice *v) {
    const uint32_t lengths[4] = {v->delay, v->attack, v->sustain, v->release};
    uint32_t n = v->position;
    for (int s = STAGE_DELAY; s < STAGE_DONE; s++) {
        if (n < lengths[s]) return StagePlace{static_cast<Stage>(s), n, lengths[s] - n};
        n -= lengths[s];
    }
    return StagePlace{STAGE_DONE, n, UINT32_MAX};
}

static bool length_fits(const Voice *v) {
    uint64_t total = static_cast<uint64_t>(v->delay) + v->attack + v->sustain + v->release;
    return total <= UINT32_MAX;
}

static void add_samples_one_by_one(Voice *v, int32_t *sum, int count) {
    for (int i = 0; i < count; i++) sum[i] += render_voice(v);
}

// voice_gain through N samples of one sounding stage; HEARD is distance × amplitude.
static void stage_gains(const Voice *v, StagePlace at, double heard, float *gain, int n) {
    if (at.stage == STAGE_ATTACK) {
        float attack = static_cast<float>(v->attack);
        for (int i = 0; i < n; i++) {
            float level = static_cast<float>(at.into + i) / attack;
            gain[i] = static_cast<float>(static_cast<double>(level) * heard);
        }
    } else if (at.stage == STAGE_RELEASE) {
        float release = static_cast<float>(v->release);
        for (int i = 0; i < n; i++) {
            float level = 1.0f - static_cast<float>(at.into + i) / release;
            gain[i] = static_cast<float>(static_cast<double>(level) * heard);
        }
    } else {
        float held = static_cast<float>(static_cast<double>(1.0f) * heard);
        for (int i = 0; i < n; i++) gain[i] = held;
    }
}

// Through the chirp's attack the phase follows the sweep.
static void chirp_phases(const Voice *v, StagePlace at, double *theta, int n) {
    double omega = RADIANS_PER_HZ_SAMPLE * v->frequency;
    double first = v->position;
    for (int i = 0; i < n; i++) {
        double swept = static_cast<double>(at.into + i) * (first + i) / v->attack;
        theta[i] = omega * swept + v->phase;
    }
}

// Through the fall's release the phase bends back.
static void fall_phases(const Voice *v, StagePlace at, double *theta, int n) {
    double omega = RADIANS_PER_HZ_SAMPLE * v->frequency;
    double m = v->delay + v->attack + v->sustain;
    for (int i = 0; i < n; i++) {
        double r = static_cast<float>(at.into + i);
        double bent = m + r * (1.0 - r / v->release);
        theta[i] = omega * bent + v->phase;
    }
}

// The phases of N samples through the chirp's attack or the fall's release.
static void bent_phases(const Voice *v, StagePlace at, double *theta, int n) {
    if (v->waveform == WAVE_CHIRP)
        chirp_phases(v, at, theta, n);
    else
        fall_phases(v, at, theta, n);
}

// The chirp's attack and the fall's release bend the phase; everywhere else it is a line.
static bool bends(const Voice *v, StagePlace at) {
    return (v->waveform == WAVE_CHIRP && at.stage == STAGE_ATTACK) ||
           (v->waveform == WAVE_FALL && at.stage == STAGE_RELEASE);
}

// A straight line of phases (with the vibrato's wobble on it), which the batch works out itself.
// A line's phases lie between those at its ends, so the ends tell its range; the wobble moves it
// by less than 0.4. False where the line reaches the library's range.
static bool phase_line(const Voice *v, int n, PhaseLine *line) {
    line->omega = RADIANS_PER_HZ_SAMPLE * v->frequency;
    line->phase = v->phase;
    line->first = v->position;
    line->wobble = RADIANS_PER_HZ_SAMPLE * (v->frequency / 64.0);
    line->wobbles = v->waveform == WAVE_VIBRATO;
    double last = line->first + (n - 1);
    double ends[2] = {line->omega * line->first + line->phase, line->omega * last + line->phase};
    double wobble_ends[2] = {line->wobble * line->first, line->wobble * last};
    const double margin = 1.0;
    return std::fabs(ends[0]) < BATCH_PHASE_LIMIT - margin &&
           std::fabs(ends[1]) < BATCH_PHASE_LIMIT - margin &&
           (!line->wobbles || phases_in_range(wobble_ends, 2));
}

// N samples (at most BLOCK) within one sounding stage.
static void add_stage_block(Voice *v, StagePlace at, int32_t *sum, int n) {
    double heard = static_cast<double>(heard_gain(v)) * v->amplitude;
    if (!(heard > 0.0)) { // every gain of the block is 0 or not a number: nothing sounds
        v->position += static_cast<uint32_t>(n);
        return;
    }
    float gain[BLOCK];
    if (bends(v, at)) {
        double theta[BLOCK];
        bent_phases(v, at, theta, n);
        if (!phases_in_range(theta, n)) return add_samples_one_by_one(v, sum, n);
        stage_gains(v, at, heard, gain, n);
        add_sine_samples(theta, gain, sum, n);
    } else {
        PhaseLine line;
        if (!phase_line(v, n, &line)) return add_samples_one_by_one(v, sum, n);
        stage_gains(v, at, heard, gain, n);
        add_line_samples(line, gain, sum, n);
    }
    v->position += static_cast<uint32_t>(n);
}

typedef void (*BlockFunc)(Voice *v, StagePlace at, int32_t *sum, int n);

// COUNT samples a stage and a block at a time, each sounding block through BLOCK_OF; the delay
// and the time past the end are silent and only move the position on.
static void add_by_stages(Voice *v, int32_t *sum, int count, BlockFunc block_of) {
    while (count > 0) {
        StagePlace at = stage_place(v);
        int n = at.left < static_cast<uint32_t>(count) ? static_cast<int>(at.left) : count;
        if (n > BLOCK) n = BLOCK;
        if (at.stage == STAGE_DELAY || at.stage == STAGE_DONE)
            v->position += static_cast<uint32_t>(n);
        else
            block_of(v, at, sum, n);
        sum += n;
        count -= n;
    }
}

static void add_sine_family_run(Voice *v, int32_t *sum, int count) {
    if (!length_fits(v)) return add_samples_one_by_one(v, sum, count);
    add_by_stages(v, sum, count, add_stage_block);
}

// A tone table read a stage at a time: the index moves on by the stride, modulo the table's
// length, for as long as stride × position stays below 2^32 (where render_voice's product would
// wrap). Anything else goes sample by sample.
static void add_table_block(Voice *v, StagePlace at, int32_t *sum, int n) {
    double heard = static_cast<double>(heard_gain(v)) * v->amplitude;
    if (!(heard > 0.0)) { // every gain of the block is 0 or not a number: nothing sounds
        v->position += static_cast<uint32_t>(n);
        return;
    }
    float gain[BLOCK];
    stage_gains(v, at, heard, gain, n);
    const int16_t *table = tone_tables[v->table_index];
    uint32_t step = static_cast<uint32_t>(v->table_step);
    uint32_t i = step * v->position % TONE_TABLE_LEN;
    for (int k = 0; k < n; k++) {
        if (gain[k] > 0.0f)
            sum[k] += wrap16(truncate_to_int(static_cast<double>(table[i]) * gain[k]));
        i += step;
        if (i >= TONE_TABLE_LEN) i -= TONE_TABLE_LEN;
    }
    v->position += static_cast<uint32_t>(n);
}

static void add_table_run(Voice *v, int32_t *sum, int count) {
    bool readable = v->table_index >= 0 && v->table_index < NUM_DEGREES &&
                    tone_tables[v->table_index] && v->table_step >= 0;
    uint64_t reach = static_cast<uint64_t>(readable ? v->table_step : 0) *
                     (static_cast<uint64_t>(v->position) + static_cast<uint64_t>(count));
    if (!readable || reach > UINT32_MAX || !length_fits(v))
        return add_samples_one_by_one(v, sum, count);
    add_by_stages(v, sum, count, add_table_block);
}

typedef void (*RunFunc)(Voice *v, int32_t *sum, int count);

static const RunFunc runs[] = {
    add_sine_family_run,    // WAVE_SINE
    add_table_run,          // WAVE_TABLE
    add_sine_family_run,    // WAVE_CHIRP
    add_sine_family_run,    // WAVE_FALL
    add_sine_family_run,    // WAVE_VIBRATO
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
