// The world's state hashed for a journey's sync lines: every field the state writer writes (and
// the mouse accumulators), one short hash for each part of the state.
#include <cstring>

#include "journey_step/step.h"
#include "sim/state.h"

static_assert(NUM_STATE_PARTS <= MOST_STATE_PARTS, "a sync line holds every part");

// FNV-1a a 32-bit word at a time.
static uint32_t mix(uint32_t h, uint32_t word) {
    return (h ^ word) * 16777619u;
}

// A field as a word: a float by its bits (so -0 and 0 differ, as the writer prints them), a
// bool as 0 or 1.
static uint32_t word_of(FieldType type, const void *where) {
    uint32_t w = 0;
    if (type == FIELD_BOOL)
        w = *static_cast<const bool *>(where);
    else
        std::memcpy(&w, where, 4);
    return w;
}

// The last mixing spreads every bit over the 16 kept.
static uint16_t fold(uint32_t h) {
    h ^= h >> 16;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    h *= 0xc2b2ae35u;
    h ^= h >> 16;
    return static_cast<uint16_t>(h ^ (h >> 16));
}

// A sea grid in four interleaved lanes, each a chain of its own: a chain of multiplies runs
// no faster than their latency, and a sync line waits on the 24,200 cells of the two grids.
static uint32_t hash_grid(const float *grid, int cells) {
    uint32_t lane[4] = {2166136261u, 2166136261u, 2166136261u, 2166136261u};
    int i = 0;
    for (; i + 4 <= cells; i += 4)
        for (int k = 0; k < 4; k++) lane[k] = mix(lane[k], word_of(FIELD_FLOAT, grid + i + k));
    for (; i < cells; i++) lane[0] = mix(lane[0], word_of(FIELD_FLOAT, grid + i));
    return mix(mix(mix(lane[0], lane[1]), lane[2]), lane[3]);
}

void hash_state(SyncPoint &p) {
    uint32_t h[NUM_STATE_PARTS];
    for (uint32_t &v : h) v = 2166136261u;
    for (const StateField &f : state_fields)
        if (f.part != PART_NONE) h[f.part] = mix(h[f.part], word_of(f.type, f.where));
    visit_world(
        [&h](const char *, StatePart part, const float *grid, int cells) {
            h[part] = mix(h[part], hash_grid(grid, cells));
        },
        [&h](const char *, StatePart part, const auto &list, const RecordField *fields, int n) {
            h[part] = mix(h[part], static_cast<uint32_t>(list.size()));
            for (const auto &record : list)
                for (int i = 0; i < n; i++)
                    h[part] = mix(h[part], word_of(fields[i].type,
                                                   reinterpret_cast<const char *>(&record) +
                                                       fields[i].offset));
        });
    p.parts = NUM_STATE_PARTS;
    for (int i = 0; i < NUM_STATE_PARTS; i++) p.state[i] = fold(h[i]);
}
