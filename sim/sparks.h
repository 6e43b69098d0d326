// The kinds of spark: how each is born and moves, and how it glows and shrinks with age.
#pragma once

#include "sim/state.h"

struct SparkKind {
    void (*init)(Spark &spark);   // gives a newborn spark its velocity and start
    void (*update)(Spark &spark); // one tick of motion
    float glow_start;             // glow at birth
    float glow_step;              // subtracted from the glow every tick
    float size_start;             // size at birth
    float size_step;              // subtracted from the size every tick
};

constexpr int NUM_SPARK_KINDS = 1;

// Indexed by Spark::kind. The drawing of each kind lives with the renderer, in a table of
// its own indexed the same way, so that the simulation links no OpenGL.
extern const SparkKind spark_kinds[];

// A new spark of the given kind at a point, initialised and appended to the sparks list.
void shed_spark(int32_t kind, float x, float y, float z);
