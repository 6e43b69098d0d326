// The game state's storage; everything starts at zero when the process starts.
#include "sim/state.h"

int32_t stage;
float fade;
bool restart_pending;
bool ending;
bool quit_requested;
bool chaser_active;

float row_input;
float steer_input;

float oar_sweep;
float steer;
float steer_deflection;
float boat_x, boat_y;
float boat_heading;
float turn_rate;
float row_vx, row_vy;
float drift_vx, drift_vy;
float boat_bob;

float lighthouse_x, lighthouse_y;
float chaser_x, chaser_y;
int32_t chaser_ramp;

float sea_height[SEA_SIZE * SEA_SIZE];
float sea_velocity[SEA_SIZE * SEA_SIZE];

std::vector<Plant> plants;
std::vector<Light> lights;
std::vector<Baby> babies;
std::vector<Wall> walls;
std::list<Spark> sparks;

uint32_t world_resets;
