// Replaying a journey tick by tick: its motion, the audio thread's draws, its sync points.
#include <cmath>

#include "journey/journey.h"
#include "sim/state.h"

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

static bool same(float a, float b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool journey_in_sync(const Journey &j, JourneyPlace &at, uint64_t tick, uint64_t draws, char *why,
                     size_t n) {
    while (at.sync < j.syncs.size() && j.syncs[at.sync].tick < tick) at.sync++;
    if (at.sync >= j.syncs.size() || j.syncs[at.sync].tick != tick) return true;
    const SyncPoint &p = j.syncs[at.sync++];
    bool draws_match = draws == p.draws;
    bool boat_matches = same(boat_x, p.x) && same(boat_y, p.y);
    if (draws_match && boat_matches) return true;
    int k =
        std::snprintf(why, n, "tick %llu does not match:", static_cast<unsigned long long>(tick));
    if (!draws_match && k >= 0 && static_cast<size_t>(k) < n)
        k += std::snprintf(why + k, n - k, " %llu values drawn (the journey: %llu)",
                           static_cast<unsigned long long>(draws),
                           static_cast<unsigned long long>(p.draws));
    if (!boat_matches && k >= 0 && static_cast<size_t>(k) < n)
        std::snprintf(why + k, n - k, "%s the boat at %.9g %.9g (the journey: %.9g %.9g)",
                      draws_match ? "" : ",", static_cast<double>(boat_x),
                      static_cast<double>(boat_y), static_cast<double>(p.x),
                      static_cast<double>(p.y));
    return false;
}
