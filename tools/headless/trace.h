// The driver's JSON output: one trace line per tick and the final whole state.
#pragma once

#include <cstdint>
#include <cstdio>

// Starts catching the sound events the tick raises, for the next trace line.
void watch_events();
// Forgets the events caught so far (a new tick begins).
void clear_events();
// One JSON Lines record of the state after the given tick and the events of that tick.
void write_trace_line(FILE *f, uint64_t tick);
// One JSON object with the whole game state plus every key of the trace line.
void write_state(FILE *f, uint64_t tick);
