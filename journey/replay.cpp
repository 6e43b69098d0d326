// Replaying a journey tick by tick: its motion, the audio thread's draws, its sync points.
#include <cmath>
#include <cstdio>

#include "journey/journey.h"

const Motion *next_motion(const Journey &j, JourneyPlace &at, uint64_t tick) {
    if (at.motion >= j.motions.size() || j.motions[at.motion].tick > tick) return nullptr;
    return &j.motions[at.motion++];
}

uint64_t audio_draws_before(const Journey &j, JourneyPlace &at, uint64_t tick) {
    uint64_t n = 0;
    for (; at.audio < j.audio.size() && j.audio[at.audio].tick <= tick; at.audio++)
        n += j.audio[at.audio].count;
    return n;
}

bool print_due(const Journey &j, const JourneyPlace &at, uint64_t tick) {
    return at.print < j.prints.size() && j.prints[at.print] <= tick;
}

void take_print(JourneyPlace &at) {
    at.print++;
}

const SyncPoint *sync_due(const Journey &j, JourneyPlace &at, uint64_t tick) {
    while (at.sync < j.syncs.size() && j.syncs[at.sync].tick < tick) at.sync++;
    if (at.sync >= j.syncs.size() || j.syncs[at.sync].tick != tick) return nullptr;
    return &j.syncs[at.sync++];
}

static bool same(float a, float b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// The first part whose hash differs, -1 when none does.
static int first_differing_part(const SyncPoint &want, const SyncPoint &world) {
    for (int i = 0; i < want.parts; i++)
        if (want.state[i] != world.state[i]) return i;
    return -1;
}

bool same_world(const SyncPoint &want, const SyncPoint &world, const char *const part_names[],
                char *why, size_t n) {
    bool draws_match = world.draws == want.draws;
    bool boat_matches = same(world.x, want.x) && same(world.y, want.y);
    bool layout_matches = !want.parts || want.parts == world.parts;
    int part = layout_matches ? first_differing_part(want, world) : -1;
    if (draws_match && boat_matches && layout_matches && part < 0) return true;
    int k = std::snprintf(why, n, "tick %llu does not match:",
                          static_cast<unsigned long long>(want.tick));
    auto say = [&](const char *format, auto... values) {
        if (k >= 0 && static_cast<size_t>(k) < n)
            k += std::snprintf(why + k, n - k, format, values...);
    };
    if (!draws_match)
        say(" %llu values drawn (the journey: %llu)", static_cast<unsigned long long>(world.draws),
            static_cast<unsigned long long>(want.draws));
    if (!boat_matches)
        say("%s the boat at %.9g %.9g (the journey: %.9g %.9g)", draws_match ? "" : ",",
            static_cast<double>(world.x), static_cast<double>(world.y), static_cast<double>(want.x),
            static_cast<double>(want.y));
    if (draws_match && boat_matches && !layout_matches)
        say(" the state is hashed in %d parts (the journey: %d)", world.parts, want.parts);
    if (draws_match && boat_matches && part >= 0)
        say(" its state differs first in %s (hash %04x, the journey: %04x)", part_names[part],
            world.state[part], want.state[part]);
    return false;
}

void warn_other_version(const Journey &j, const char *ours, const char *program,
                        const char *path) {
    if (!j.version.empty() && j.version != ours)
        std::fprintf(stderr,
                     "%s: %s was recorded by version %s, this is version %s: replaying it all "
                     "the same\n",
                     program, path, j.version.c_str(), ours);
}
