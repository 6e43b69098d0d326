// libFuzzer target: the journey reader on any bytes ends, and what it accepts keeps its
// promises: ticks within three days, lists in the order a replay walks them, motion within
// SDL's 16 bits, a state hash no longer than a sync line holds, a version short and printable.
#include <cstdint>
#include <cstdlib>

#include "journey/journey.h"

static void check(const Journey &j) {
    uint64_t last = 0;
    for (const Motion &m : j.motions) {
        if (m.tick < 1 || m.tick > MOST_JOURNEY_TICKS || m.tick < last) std::abort();
        if (m.xrel < -32768 || m.xrel > 32767 || m.yrel < -32768 || m.yrel > 32767) std::abort();
        last = m.tick;
    }
    for (size_t i = 0; i < j.audio.size(); i++)
        if (j.audio[i].tick > MOST_JOURNEY_TICKS || (i && j.audio[i].tick <= j.audio[i - 1].tick))
            std::abort();
    for (size_t i = 0; i < j.syncs.size(); i++) {
        const SyncPoint &p = j.syncs[i];
        if (p.tick > MOST_JOURNEY_TICKS || (i && p.tick <= j.syncs[i - 1].tick)) std::abort();
        if (p.parts < 0 || p.parts > MOST_STATE_PARTS) std::abort();
    }
    for (size_t i = 0; i < j.prints.size(); i++)
        if (j.prints[i] < 1 || j.prints[i] > MOST_JOURNEY_TICKS || (i && j.prints[i] < j.prints[i - 1]))
            std::abort();
    if (j.length > MOST_JOURNEY_TICKS) std::abort();
    if (j.version.size() > MOST_VERSION_CHARS) std::abort();
    for (char c : j.version)
        if (c <= ' ' || c >= 127) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    Journey j;
    if (!read_journey_text(reinterpret_cast<const char *>(data), size, "fuzz", nullptr, j))
        return 0;
    check(j);
    return 0;
}
