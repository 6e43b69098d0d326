// The game state's storage, and its tables; everything starts at zero when the process starts.
#include "sim/state.h"

#define VELMOOR_DEFINE_SCALAR(type, name, key, reset, part) type name;
VELMOOR_SCALARS(VELMOOR_DEFINE_SCALAR)
#undef VELMOOR_DEFINE_SCALAR

float sea_height[SEA_SIZE * SEA_SIZE];
float sea_velocity[SEA_SIZE * SEA_SIZE];

std::vector<Plant> plants;
std::vector<Light> lights;
std::vector<Baby> babies;
std::vector<Wall> walls;
std::list<Spark> sparks;

uint32_t world_resets;

const char *const state_part_names[NUM_STATE_PARTS] = {
    "the stage and fades", "the boat", "the lighthouse and chaser", "the sea",  "the plants",
    "the lights",          "the babies", "the walls",               "the sparks",
};

static constexpr FieldType type_of(const float *) {
    return FIELD_FLOAT;
}
static constexpr FieldType type_of(const int32_t *) {
    return FIELD_INT;
}
static constexpr FieldType type_of(const bool *) {
    return FIELD_BOOL;
}

#define VELMOOR_SCALAR_ENTRY(type, name, key, reset, part) \
    {key, type_of(&name), part, &name},
const StateField state_fields[NUM_STATE_FIELDS] = {VELMOOR_SCALARS(VELMOOR_SCALAR_ENTRY)};
#undef VELMOOR_SCALAR_ENTRY

#define VELMOOR_RECORD_ENTRY(type, name) \
    {type_of(static_cast<type *>(nullptr)), offsetof(RECORD, name)},
#define RECORD Plant
const RecordField plant_fields[NUM_PLANT_FIELDS] = {VELMOOR_PLANT_FIELDS(VELMOOR_RECORD_ENTRY)};
#undef RECORD
#define RECORD Light
const RecordField light_fields[NUM_LIGHT_FIELDS] = {VELMOOR_LIGHT_FIELDS(VELMOOR_RECORD_ENTRY)};
#undef RECORD
#define RECORD Baby
const RecordField baby_fields[NUM_BABY_FIELDS] = {VELMOOR_BABY_FIELDS(VELMOOR_RECORD_ENTRY)};
#undef RECORD
#define RECORD Wall
const RecordField wall_fields[NUM_WALL_FIELDS] = {VELMOOR_WALL_FIELDS(VELMOOR_RECORD_ENTRY)};
#undef RECORD
#define RECORD Spark
const RecordField spark_fields[NUM_SPARK_FIELDS] = {VELMOOR_SPARK_FIELDS(VELMOOR_RECORD_ENTRY)};
#undef RECORD
#undef VELMOOR_RECORD_ENTRY
