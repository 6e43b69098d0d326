// A journey: everything needed to replay a game tick for tick, as lines of text.
//
//   seed N                  the random source's seed (0 to 4294967295), at most once
//   TICK XREL YREL          one mouse motion event delivered before tick TICK (from 1)
//   audio TICK N            the audio thread drew N values right before tick TICK
//                           (TICK 0: before the world's first reset)
//   print TICK              Print Screen pressed right before tick TICK (from 1)
//   sync TICK DRAWS X Y     after tick TICK: the values drawn so far and the boat's position
//
// Blank lines and # comments are skipped. A mouse script is a journey with motion lines only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

struct Motion {
    uint64_t tick;  // delivered right before this tick runs (ticks count from 1)
    int xrel, yrel; // SDL's signed 16-bit relative motion
};

struct TickCount {
    uint64_t tick;  // taken right before this tick runs; 0: before the first reset
    uint64_t count; // values the audio thread drew since the previous tick
};

struct SyncPoint {
    uint64_t tick;  // checked after this tick; 0: after the first reset
    uint64_t draws; // values drawn from the shared stream by then, both threads together
    float x, y;     // the boat
};

struct Journey {
    bool has_seed;
    uint32_t seed;
    std::vector<Motion> motions;  // tick order, file order within a tick
    std::vector<TickCount> audio; // rising ticks
    std::vector<uint64_t> prints; // rising, a tick repeated for each press
    std::vector<SyncPoint> syncs; // rising ticks
    uint64_t length;              // the last tick a motion, audio or sync line names
};

// Where a replay stands in each list of a journey.
struct JourneyPlace {
    size_t motion, audio, print, sync;
};

// Reads a journey; false, with one line on standard error naming PROGRAM, the file and the
// line's number, on an unreadable file or a malformed line.
bool read_journey(const char *path, const char *program, Journey &out);

// The next motion event due before TICK, or null when there is none left for it.
const Motion *next_motion(const Journey &j, JourneyPlace &at, uint64_t tick);
// The audio thread's draws recorded right before TICK (0 when none).
uint64_t audio_draws_before(const Journey &j, JourneyPlace &at, uint64_t tick);
// Whether Print Screen is pressed before TICK (again, for a second press); take_print uses the
// press up.
bool print_due(const Journey &j, const JourneyPlace &at, uint64_t tick);
void take_print(JourneyPlace &at);
// After TICK, with DRAWS values taken from the shared stream: false when the journey has a
// sync line for the tick that the world does not match; WHY then says what differs.
bool journey_in_sync(const Journey &j, JourneyPlace &at, uint64_t tick, uint64_t draws, char *why,
                     size_t n);

// Recording: the journey of the game being played, flushed tick by tick.
extern FILE *journey_record; // where the game is recorded; null when it is not

// Opens PATH and writes the header and the seed; false (errno set) when it cannot be written.
bool start_recording(const char *path, uint32_t seed);
// Motion delivered before TICK; written with the tick, so motion no tick took is left out.
void record_motion(uint64_t tick, int xrel, int yrel);
void record_print(uint64_t tick);
// After TICK: the audio thread's draws before it (a line only when there were any), a sync
// line every 100 ticks, and everything written so far flushed.
void record_tick(uint64_t tick, uint64_t audio_draws, uint64_t draws);
// A sync line after TICK out of the every-100 rhythm (unless the tick has one already), so
// that a replay straying at a moment that matters is named at that tick.
void record_sync(uint64_t tick, uint64_t draws);
// The closing sync line after the last tick run (unless it has one already), then the file
// closed. False when any of the recording could not be written.
bool finish_recording(uint64_t tick, uint64_t draws);
