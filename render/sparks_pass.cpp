// The sparks: small glowing spheres, drawn by their kind's entry in a table of the renderer's
// own, so that the simulation's spark kinds carry no OpenGL.
#include <GL/gl.h>

#include "render/model_calls.h"
#include "render/passes.h"
#include "sim/sparks.h"

struct SparkDraw {
    void (*draw)(const Spark &spark); // the modelview is already moved and scaled to the spark
};

// With additive blending, white at the spark's glow: a spark of glow 0 adds nothing.
static void draw_spark(const Spark &spark) {
    glColor4f(1.0f, 1.0f, 1.0f, spark.glow);
    call_model(MODEL_SPHERE_S);
}

static const SparkDraw spark_draws[] = {
    {draw_spark},
};
static_assert(sizeof spark_draws / sizeof spark_draws[0] == NUM_SPARK_KINDS,
              "one spark_draws entry per spark kind");

void draw_sparks() {
    for (const Spark &s : sparks) {
        if (s.dead) continue;
        glPushMatrix();
        glTranslatef(s.x, s.y, s.z);
        glScalef(s.size, s.size, s.size);
        spark_draws[s.kind].draw(s);
        glPopMatrix();
    }
}
