// A second mt19937 with the game's discard rule, so tests can predict each draw independently.
#pragma once

#include <boost/random/mersenne_twister.hpp>
#include <cstdint>

#include "sim/state.h"

// One world reset's draws: a height for every sea cell, a kind and a place for every plant,
// a place, a height and a target height for every light.
constexpr uint64_t RESET_DRAWS = SEA_SIZE * SEA_SIZE + 3 * NUM_PLANTS + 4 * NUM_LIGHTS;

struct ReferenceDraws {
    boost::random::mt19937 engine;

    explicit ReferenceDraws(uint32_t seed) : engine(seed) {}
    int32_t next() {
        for (;;) {
            uint32_t v = engine();
            if (v <= 2147483647u) return static_cast<int32_t>(v);
        }
    }
    void skip(int n) {
        while (n-- > 0) next();
    }
    float coordinate() { return (next() % 11001 - 5500) * 0.01f; } // [-55, 55] by 0.01
    float height() { return (next() % 100) * 0.01f + 1.0f; }       // [1, 1.99] by 0.01
};
