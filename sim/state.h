// The game state: every variable and container the world is made of. reset_world and the tick
// write it; the main loop adds mouse motion and sets quit_requested; the renderer only reads it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <vector>

#include "base/vec3.h"
#include "sim/state_fields.h"

constexpr int SEA_SIZE = 110; // the sea grid is SEA_SIZE x SEA_SIZE cells and wraps at its edges
constexpr int SEA_HALF = 55;  // world x = 0 is row 55; the boat stays within +-55
constexpr int NUM_PLANTS = 50;
constexpr int NUM_LIGHTS = 14;
constexpr int NUM_BABIES = 48;
constexpr int NUM_WALLS = 28;

constexpr Vec3 up_axis = {0.0f, 0.0f, 1.0f};

#define VELMOOR_DECLARE_FIELD(type, name) type name;
struct Plant {
    VELMOOR_PLANT_FIELDS(VELMOOR_DECLARE_FIELD)
};

struct Light {
    VELMOOR_LIGHT_FIELDS(VELMOOR_DECLARE_FIELD)
};

struct Baby {
    VELMOOR_BABY_FIELDS(VELMOOR_DECLARE_FIELD)
};

struct Wall {
    VELMOOR_WALL_FIELDS(VELMOOR_DECLARE_FIELD)
};

struct Spark {
    VELMOOR_SPARK_FIELDS(VELMOOR_DECLARE_FIELD)
};
#undef VELMOOR_DECLARE_FIELD

// The loose variables: progression and fades, the mouse accumulators, the boat, the goal and
// the hunter (each with its comment in state_fields.h).
#define VELMOOR_DECLARE_SCALAR(type, name, key, reset, part) extern type name;
VELMOOR_SCALARS(VELMOOR_DECLARE_SCALAR)
#undef VELMOOR_DECLARE_SCALAR

// The sea, row-major: cell (r, c) at r * SEA_SIZE + c; the row follows x, the column y
extern float sea_height[SEA_SIZE * SEA_SIZE];
extern float sea_velocity[SEA_SIZE * SEA_SIZE];

// The world's objects, walked in index order
extern std::vector<Plant> plants;
extern std::vector<Light> lights;
extern std::vector<Baby> babies;
extern std::vector<Wall> walls;
extern std::list<Spark> sparks; // each spark its own heap node; survives a reset

extern uint32_t world_resets; // reset_world calls so far; the renderer remakes its grain after one

// The state as tables, for the driver's trace and state writers and the state hash; the reset
// walks the lists in state_fields.h itself.
struct Kept {}; // a RESET of KEPT: reset_world leaves the variable as it is
constexpr Kept KEPT{};

// The parts of the state hash a journey's sync lines carry, in this order.
enum StatePart : uint8_t {
    PART_PROGRESS, // stage and fades
    PART_BOAT,     // the boat, its oars and the mouse accumulators
    PART_GOAL,     // the lighthouse and the chaser
    PART_SEA,      // both sea grids
    PART_PLANTS,
    PART_LIGHTS,
    PART_BABIES,
    PART_WALLS,
    PART_SPARKS,
    NUM_STATE_PARTS,
    PART_NONE = NUM_STATE_PARTS // not hashed
};
extern const char *const state_part_names[NUM_STATE_PARTS]; // "the boat", "the plants", ...

enum FieldType : uint8_t { FIELD_FLOAT, FIELD_INT, FIELD_BOOL }; // float, int32_t, bool

struct StateField {
    const char *key; // the trace's key; "" when it is not written
    FieldType type;
    StatePart part;
    void *where;
};

struct RecordField {
    FieldType type;
    size_t offset; // within its record
};

#define VELMOOR_COUNT(...) +1
constexpr int NUM_STATE_FIELDS = 0 VELMOOR_SCALARS(VELMOOR_COUNT);
constexpr int NUM_PLANT_FIELDS = 0 VELMOOR_PLANT_FIELDS(VELMOOR_COUNT);
constexpr int NUM_LIGHT_FIELDS = 0 VELMOOR_LIGHT_FIELDS(VELMOOR_COUNT);
constexpr int NUM_BABY_FIELDS = 0 VELMOOR_BABY_FIELDS(VELMOOR_COUNT);
constexpr int NUM_WALL_FIELDS = 0 VELMOOR_WALL_FIELDS(VELMOOR_COUNT);
constexpr int NUM_SPARK_FIELDS = 0 VELMOOR_SPARK_FIELDS(VELMOOR_COUNT);
#undef VELMOOR_COUNT

extern const StateField state_fields[NUM_STATE_FIELDS]; // the loose variables, in list order
extern const RecordField plant_fields[NUM_PLANT_FIELDS];
extern const RecordField light_fields[NUM_LIGHT_FIELDS];
extern const RecordField baby_fields[NUM_BABY_FIELDS];
extern const RecordField wall_fields[NUM_WALL_FIELDS];
extern const RecordField spark_fields[NUM_SPARK_FIELDS];

// Calls F(KEY, PART, GRID, CELLS) for each sea grid, then F(KEY, PART, CONTAINER, FIELDS, COUNT)
// for each container of records, in the order the state writer writes them.
template <class Grids, class Records> void visit_world(Grids &&grid, Records &&records) {
    grid("sea_height", PART_SEA, sea_height, SEA_SIZE * SEA_SIZE);
    grid("sea_velocity", PART_SEA, sea_velocity, SEA_SIZE * SEA_SIZE);
    records("plants", PART_PLANTS, plants, plant_fields, NUM_PLANT_FIELDS);
    records("lights", PART_LIGHTS, lights, light_fields, NUM_LIGHT_FIELDS);
    records("babies", PART_BABIES, babies, baby_fields, NUM_BABY_FIELDS);
    records("walls", PART_WALLS, walls, wall_fields, NUM_WALL_FIELDS);
    records("sparks", PART_SPARKS, sparks, spark_fields, NUM_SPARK_FIELDS);
}

// Adds one mouse motion event (SDL's signed 16-bit relative motion) to the accumulators.
void add_mouse_motion(int xrel, int yrel);

void reset_world();
void run_tick();
// The ending's fade is complete: the next tick asks to quit and changes nothing else, nor do
// the ticks after it.
bool world_at_its_end();
