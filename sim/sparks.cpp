// The spark kinds and the sparks' ageing: each one shrinks and brightens until it dies.
#include "sim/sparks.h"

#include <cmath>

#include "base/random.h"

// A random direction at 0.01 per tick, started 25 steps back so that it passes through its
// birthplace. Three draws, z first: the third becomes the x component.
static void init_drifting_spark(Spark &s) {
    int a = random_int() % 21 - 10;
    int b = random_int() % 21 - 10;
    int c = random_int() % 21 - 10;
    float wx = static_cast<float>(c);
    float wy = static_cast<float>(b);
    float wz = static_cast<float>(a);
    float len = std::sqrt(wx * wx + wy * wy + wz * wz);
    if (len == 0.0f) return; // no direction drawn: the spark hangs where it was born
    s.vx = wx / len * 0.01f;
    s.vy = wy / len * 0.01f;
    s.vz = wz / len * 0.01f;
    s.x -= s.vx * 25.0f;
    s.y -= s.vy * 25.0f;
    s.z -= s.vz * 25.0f;
}

static void move_spark(Spark &s) {
    s.x += s.vx;
    s.y += s.vy;
    s.z += s.vz;
}

const SparkKind spark_kinds[] = {
    {init_drifting_spark, move_spark, 0.0f, -0.006f, 0.3f, 0.01f},
};
static_assert(sizeof spark_kinds / sizeof spark_kinds[0] == NUM_SPARK_KINDS,
              "one spark_kinds entry per kind");

void shed_spark(int32_t kind, float x, float y, float z) {
    const SparkKind &k = spark_kinds[kind];
    Spark s = {kind, x, y, z, 0.0f, 0.0f, 0.0f, false, k.size_start, k.glow_start};
    k.init(s);
    sparks.push_back(s);
}

// A spark that dies still makes its last move, and is freed in the same tick.
void update_sparks() {
    for (auto it = sparks.begin(); it != sparks.end();) {
        Spark &s = *it;
        if (!s.dead) {
            const SparkKind &k = spark_kinds[s.kind];
            s.glow -= k.glow_step;
            s.size -= k.size_step;
            if (s.glow <= k.glow_step || s.size <= k.size_step) s.dead = true;
            k.update(s);
        }
        if (s.dead)
            it = sparks.erase(it);
        else
            ++it;
    }
}
