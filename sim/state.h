// The game state: every variable and container the world is made of. reset_world and the tick
// write it; the main loop adds mouse motion and sets quit_requested; the renderer only reads it.
#pragma once

#include <cstdint>
#include <list>
#include <vector>

#include "base/vec3.h"

constexpr int SEA_SIZE = 110; // the sea grid is SEA_SIZE x SEA_SIZE cells and wraps at its edges
constexpr int SEA_HALF = 55;  // world x = 0 is row 55; the boat stays within +-55
constexpr int NUM_PLANTS = 50;
constexpr int NUM_LIGHTS = 14;
constexpr int NUM_BABIES = 48;
constexpr int NUM_WALLS = 28;

constexpr Vec3 up_axis = {0.0f, 0.0f, 1.0f};

struct Plant {
    float x, y;
    float target_x, target_y;
    int32_t kind; // which of the ten grown plant shapes is drawn
};

struct Light {
    float x, y, z;
    float target_x, target_y, target_z;
    bool emit; // sheds a spark this tick; flips every tick
};

struct Baby {
    float x, y, z;
    float vx, vy, vz;
    int32_t swell; // 0: free; n >= 1: touched n - 1 ticks ago
};

struct Wall {
    float a_x, a_y;
    float b_x, b_y;
    float a_goal_x, a_goal_y;
    float b_goal_x, b_goal_y;
};

struct Spark {
    int32_t kind; // index into spark_kinds
    float x, y, z;
    float vx, vy, vz;
    bool dead;
    float size;
    float glow;
};

// Progression and fades
extern int32_t stage;        // lighthouse visits so far + 1
extern float fade;           // screen cover, 1 = fully covered
extern bool restart_pending; // caught: fading out towards a reset
extern bool ending;          // last lighthouse reached: fading to white, then quit
extern bool quit_requested;  // the main loop ends after the frame in which this is set
extern bool chaser_active;   // the chaser hunts the boat

// Mouse accumulators, fed by the main loop and consumed by the tick
extern float row_input;   // 0.7 per pixel of vertical motion (positive: pulled towards you)
extern float steer_input; // 0.1 per pixel of horizontal motion

// The boat
extern float oar_sweep;        // stroke angle of both oars, degrees within +-15
extern float steer;            // oar balance, within +-2.5
extern float steer_deflection; // steer through the dead zone, within +-1
extern float boat_x, boat_y;
extern float boat_heading;       // radians, 0 along +x, counter-clockwise
extern float turn_rate;          // heading change per tick
extern float row_vx, row_vy;     // velocity from rowing, at most 0.3 per tick
extern float drift_vx, drift_vy; // velocity from shoves
extern float boat_bob;           // smoothed sea height under the boat

// The goal and the hunter
extern float lighthouse_x, lighthouse_y;
extern float chaser_x, chaser_y;
extern int32_t chaser_ramp; // 0..1000, the chaser's speed ramp

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

// Adds one mouse motion event (SDL's signed 16-bit relative motion) to the accumulators.
void add_mouse_motion(int xrel, int yrel);

void reset_world();
void run_tick();
