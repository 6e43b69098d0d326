// A journey: everything needed to replay a game tick for tick, as lines of text.
//
//   version V               the game's version that recorded it, at most once: up to 32
//                           printable characters, no blanks (older journeys have none)
//   seed N                  the random source's seed (0 to 4294967295), at most once
//   TICK XREL YREL          one mouse motion event delivered before tick TICK (from 1)
//   audio TICK N            the audio thread drew N values right before tick TICK
//                           (TICK 0: before the world's first reset)
//   print TICK              Print Screen pressed right before tick TICK (from 1)
//   sync TICK DRAWS X Y [STATE]
//                           after tick TICK: the values drawn so far, the boat's position and
//                           the state's parts hashed, four hex digits each, joined by dots
//                           (journeys written before the hashes have none)
//
// Blank lines and # comments are skipped. A mouse script is a journey with motion lines only.
// Nothing here knows the world: the game hands its values in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The most ticks a journey may name: three days of play at 40 ticks a second.
constexpr uint64_t MOST_JOURNEY_TICKS = 3ull * 24 * 60 * 60 * 40;
constexpr int MOST_STATE_PARTS = 16; // hashes a sync line may carry
constexpr size_t MOST_VERSION_CHARS = 32; // a version line's version

struct Motion {
    uint64_t tick;  // delivered right before this tick runs (ticks count from 1)
    int xrel, yrel; // SDL's signed 16-bit relative motion
};

struct TickCount {
    uint64_t tick;  // taken right before this tick runs; 0: before the first reset
    uint64_t count; // values the audio thread drew since the previous tick
};

// The world after a tick, as a sync line holds it.
struct SyncPoint {
    uint64_t tick;                     // checked after this tick; 0: after the first reset
    uint64_t draws;                    // values drawn from the shared stream, both threads
    float x, y;                        // the boat
    int parts;                         // state hashes held; 0: none (an older journey)
    uint16_t state[MOST_STATE_PARTS];  // the state's parts hashed, in the world's order
};

struct Journey {
    std::string version; // the game's version that recorded it; empty when the journey says not
    bool has_seed;
    uint32_t seed;
    std::vector<Motion> motions;  // tick order, file order within a tick
    std::vector<TickCount> audio; // rising ticks
    std::vector<uint64_t> prints; // rising, a tick repeated for each press
    std::vector<SyncPoint> syncs; // rising ticks
    uint64_t length;              // the last tick any line names
};

// Where a replay stands in each list of a journey.
struct JourneyPlace {
    size_t motion, audio, print, sync;
};

// Reads a journey; false, with one line on standard error naming PROGRAM, the file and the
// line's number, on an unreadable file, a malformed line or one no game could have written.
bool read_journey(const char *path, const char *program, Journey &out);
// The same from SIZE bytes in memory, called NAME in its complaints; none with PROGRAM null.
bool read_journey_text(const char *text, size_t size, const char *name, const char *program,
                       Journey &out);

// One line on standard error, naming PROGRAM, PATH and both versions, when J was recorded by
// another version than OURS: a replay goes on, but may leave the journey.
void warn_other_version(const Journey &j, const char *ours, const char *program,
                        const char *path);

// The next motion event due before TICK, or null when there is none left for it.
const Motion *next_motion(const Journey &j, JourneyPlace &at, uint64_t tick);
// The audio thread's draws recorded right before TICK (0 when none).
uint64_t audio_draws_before(const Journey &j, JourneyPlace &at, uint64_t tick);
// Whether Print Screen is pressed before TICK (again, for a second press); take_print uses the
// press up.
bool print_due(const Journey &j, const JourneyPlace &at, uint64_t tick);
void take_print(JourneyPlace &at);
// The journey's sync line for TICK, used up, or null when it has none.
const SyncPoint *sync_due(const Journey &j, JourneyPlace &at, uint64_t tick);
// False when the world (WORLD, its state hashed when WANT has hashes) is not the one a sync
// line WANT holds; WHY then says what differs, the first differing part by its name in
// PART_NAMES when only the state hash differs.
bool same_world(const SyncPoint &want, const SyncPoint &world, const char *const part_names[],
                char *why, size_t n);

// Recording: the journey of the game being played, flushed tick by tick.
// Opens PATH and writes the header, the VERSION of the game recording it and the seed; false
// (errno set) when it cannot be written.
bool start_recording(const char *path, const char *version, uint32_t seed);
bool recording_journey(); // a recording is open
// Motion delivered before TICK; written with the tick, so motion no tick took is left out.
void record_motion(uint64_t tick, int xrel, int yrel);
void record_print(uint64_t tick);
// After TICK: the motion taken before it, the audio thread's draws before it (a line only when
// there were any), SYNC as a sync line when given, and everything written so far flushed.
void record_tick(uint64_t tick, uint64_t audio_draws, const SyncPoint *sync);
// The closing sync line, LAST (unless its tick has one already), then the file closed. False
// when any of the recording could not be written.
bool finish_recording(const SyncPoint &last);
