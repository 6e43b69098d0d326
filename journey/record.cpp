// Recording the journey being played: small, readable lines, flushed after every tick.
#include <cstdio>

#include "journey/journey.h"

constexpr int MOST_PENDING = 256; // motion events held for the next tick before writing

struct PendingMotion {
    uint64_t tick;
    int xrel, yrel;
};

static FILE *journey_record;         // where the game is recorded; null when it is not
static uint64_t last_synced = ~0ull; // the tick of the last sync line written
static bool record_failed;           // a write failed; the file is kept, the rest is lost
// Motion waits for its tick: motion that no tick ever took is not part of the journey.
static PendingMotion pending[MOST_PENDING];
static int num_pending;

bool start_recording(const char *path, const char *version, uint32_t seed) {
    journey_record = std::fopen(path, "w");
    if (!journey_record) return false;
    std::fprintf(journey_record,
                 "# A Velmoor journey; replay it with the same version of the game:\n"
                 "#   velmoor-sim --input FILE     or     VELMOOR_PLAY=FILE velmoor window\n"
                 "version %s\n"
                 "seed %u\n",
                 version, seed);
    record_failed = std::fflush(journey_record) != 0;
    return true;
}

bool recording_journey() {
    return journey_record != nullptr;
}

static void write_pending() {
    for (int i = 0; i < num_pending; i++)
        std::fprintf(journey_record, "%llu %d %d\n",
                     static_cast<unsigned long long>(pending[i].tick), pending[i].xrel,
                     pending[i].yrel);
    num_pending = 0;
}

void record_motion(uint64_t tick, int xrel, int yrel) {
    if (!journey_record) return;
    if (num_pending == MOST_PENDING) write_pending();
    pending[num_pending++] = {tick, xrel, yrel};
}

void record_print(uint64_t tick) {
    if (journey_record)
        std::fprintf(journey_record, "print %llu\n", static_cast<unsigned long long>(tick));
}

static void write_sync(const SyncPoint &p) {
    std::fprintf(journey_record, "sync %llu %llu %.9g %.9g",
                 static_cast<unsigned long long>(p.tick), static_cast<unsigned long long>(p.draws),
                 static_cast<double>(p.x), static_cast<double>(p.y));
    for (int i = 0; i < p.parts; i++)
        std::fprintf(journey_record, "%c%04x", i ? '.' : ' ', p.state[i]);
    std::fputc('\n', journey_record);
    last_synced = p.tick;
}

void record_tick(uint64_t tick, uint64_t audio_draws, const SyncPoint *sync) {
    if (!journey_record) return;
    write_pending();
    if (audio_draws)
        std::fprintf(journey_record, "audio %llu %llu\n", static_cast<unsigned long long>(tick),
                     static_cast<unsigned long long>(audio_draws));
    if (sync && last_synced != sync->tick) write_sync(*sync);
    if (std::fflush(journey_record) != 0) record_failed = true;
}

bool finish_recording(const SyncPoint &last) {
    if (!journey_record) return true;
    if (last_synced != last.tick) write_sync(last);
    bool ok = !std::ferror(journey_record) && !record_failed;
    ok = std::fclose(journey_record) == 0 && ok;
    journey_record = nullptr;
    return ok;
}
