// Where the mixer hears from: the listener and the growl, placed by the game thread once a
// tick and read by the audio thread.
#pragma once

#include <atomic>

#include "base/vec3.h"

// A position one thread writes while the other reads it: each coordinate is read and written
// whole, with no ordering among them.
struct SharedVec3 {
    std::atomic<float> x{0.0f}, y{0.0f}, z{0.0f};

    void store(float nx, float ny, float nz) {
        x.store(nx, std::memory_order_relaxed);
        y.store(ny, std::memory_order_relaxed);
        z.store(nz, std::memory_order_relaxed);
    }
    Vec3 load() const {
        return {x.load(std::memory_order_relaxed), y.load(std::memory_order_relaxed),
                z.load(std::memory_order_relaxed)};
    }
};

extern SharedVec3 listener_pos; // the ears: positional voices fade with distance from here
extern SharedVec3 growl_pos;    // where the growl loop sounds from
