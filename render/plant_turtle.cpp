// The turtle's walk over a plant text.
#include "render/plant_turtle.h"

struct PlantTurn {
    char symbol;
    int axis;
    double degrees;
};

// u/d pitch, f/b yaw, l/r roll, fifteen degrees at a time.
static const PlantTurn plant_turns[] = {
    {'u', AXIS_X, 15.0},  {'d', AXIS_X, -15.0}, {'f', AXIS_Y, 15.0},
    {'b', AXIS_Y, -15.0}, {'l', AXIS_Z, 15.0},  {'r', AXIS_Z, -15.0},
};
constexpr int NUM_PLANT_TURNS = 6;
static_assert(sizeof plant_turns / sizeof plant_turns[0] == NUM_PLANT_TURNS,
              "one entry per turning symbol");

static const PlantTurn *find_turn(char c) {
    for (const PlantTurn &t : plant_turns)
        if (t.symbol == c) return &t;
    return nullptr;
}

// A roll leaves the growth axis where it was, and a branch grows off the side of the run.
static bool continues_run(char c) {
    return c == 'P' || c == 's' || c == '[' || c == 'l' || c == 'r';
}

// An empty run is skipped rather than drawn scaled to nothing: an open tube would cover no
// pixels anyway, a capped model would leave a flat disc with undefined normals, and every
// skipped call is one display-list call less per plant per frame.
void walk_plant_string(const char *text, int &position, const TurtleOps &ops) {
    int count = 0; // steps of this level's current run, not yet drawn
    for (;;) {
        char c = text[position];
        if (!continues_run(c)) {
            if (count > 0) ops.segment(count);
            count = 0;
        }
        if (c == '\0') return;
        position++;
        if (c == 'P' || c == 's') {
            ops.step();
            count++;
        } else if (c == '[') {
            ops.save();
            walk_plant_string(text, position, ops);
        } else if (c == ']') {
            ops.restore();
            return;
        } else if (const PlantTurn *t = find_turn(c)) {
            ops.turn(t->axis, t->degrees);
        }
    }
}
