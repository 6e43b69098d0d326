// The shared random source: one mt19937 for the whole process, drawn from both threads.
#pragma once

#include <cstdint>

// The game's seed: the calendar time in whole seconds, its low 32 bits.
uint32_t clock_seed();
// Seeds the engine, once per run at start-up; also zeroes the draw counter.
void seed_random(uint32_t seed);
// The first engine output that is at most 2147483647; larger outputs are skipped, never
// shifted or masked. Safe to call from the game and the audio thread.
int32_t random_int();
// N values of random_int at once, in the order N calls would give them, under one hold of the
// lock: the mixer's hiss takes a segment's draws this way.
void random_ints(int32_t *out, int n);
// Takes N values as N calls of random_int would and throws them away: where a replayed
// journey's audio thread drew.
void skip_random(uint64_t n);
// How many values this thread's stream has returned since its last seeding.
uint64_t random_draws();

// A second stream, for a mixer whose draws must not move the world's: a journey played back,
// or mixed offline by the headless driver. Every thread draws from the shared stream until it
// asks for the other; all the calls above then act on the stream the calling thread chose.
void seed_own_random(uint32_t seed);
void draw_own_random(bool own);
