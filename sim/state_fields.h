// The world's variables and record fields, each listed once: state.h declares them from these
// lists, state.cpp defines them and builds the tables that the driver's trace and state writers
// and the journeys' state hash walk; the reset and the tests walk these lists themselves. A new
// variable is one line here.
#pragma once

// The loose variables, in the order the trace writes them:
//   X(TYPE, NAME, KEY, RESET, PART)
// KEY is the trace's key ("" for one it does not write); neighbours sharing a key are written
// as one array. RESET is the value reset_world gives, or KEPT. PART is the part of the state
// hash it falls in, or PART_NONE.
#define VELMOOR_SCALARS(X)                                                                     \
    X(int32_t, stage, "stage", 1, PART_PROGRESS)            /* lighthouse visits so far + 1 */ \
    X(float, fade, "fade", 1, PART_PROGRESS)                /* screen cover, 1 = covered */    \
    X(bool, restart_pending, "restart_pending", false, PART_PROGRESS) /* caught: fading out */ \
    X(bool, ending, "ending", false, PART_PROGRESS) /* last lighthouse reached: to white */     \
    /* the main loop ends after the frame in which this is set; Escape sets it too, so the */   \
    /* hash leaves it out: the world's own end shows in ending and fade */                     \
    X(bool, quit_requested, "quit", KEPT, PART_NONE)                                           \
    X(float, boat_x, "boat", 0, PART_BOAT)                                                     \
    X(float, boat_y, "boat", 0, PART_BOAT)                                                     \
    X(float, boat_heading, "boat", 0, PART_BOAT) /* radians, 0 along +x, counter-clockwise */  \
    X(float, boat_bob, "boat", 0, PART_BOAT)     /* smoothed sea height under the boat */      \
    X(float, row_vx, "row_v", KEPT, PART_BOAT)   /* velocity from rowing, at most 0.3 a tick */ \
    X(float, row_vy, "row_v", KEPT, PART_BOAT)                                                 \
    X(float, drift_vx, "drift_v", 0, PART_BOAT) /* velocity from shoves */                     \
    X(float, drift_vy, "drift_v", 0, PART_BOAT)                                                \
    X(float, turn_rate, "turn_rate", KEPT, PART_BOAT) /* heading change per tick */            \
    X(float, oar_sweep, "oar_sweep", 0, PART_BOAT)    /* stroke angle, degrees within +-15 */  \
    X(float, steer, "steer", 0, PART_BOAT)            /* oar balance, within +-2.5 */          \
    X(float, steer_deflection, "steer_deflection", KEPT, PART_BOAT) /* steer past dead zone */ \
    X(float, lighthouse_x, "lighthouse", 58, PART_GOAL)                                        \
    X(float, lighthouse_y, "lighthouse", 0, PART_GOAL)                                         \
    X(bool, chaser_active, "chaser", false, PART_GOAL) /* the chaser hunts the boat */         \
    X(float, chaser_x, "chaser", KEPT, PART_GOAL)                                              \
    X(float, chaser_y, "chaser", KEPT, PART_GOAL)                                              \
    X(int32_t, chaser_ramp, "chaser", KEPT, PART_GOAL) /* 0..1000, the chaser's speed ramp */  \
    /* the mouse accumulators, fed by the main loop and consumed by the tick */                \
    X(float, row_input, "", 0, PART_BOAT)   /* 0.7 a pixel of vertical motion */               \
    X(float, steer_input, "", 0, PART_BOAT) /* 0.1 a pixel of horizontal motion */

// The records' fields, in their declared order: X(TYPE, NAME).
#define VELMOOR_PLANT_FIELDS(X)                                                                \
    X(float, x) X(float, y) X(float, target_x) X(float, target_y)                              \
    X(int32_t, kind) /* which of the ten grown plant shapes is drawn */

#define VELMOOR_LIGHT_FIELDS(X)                                                                \
    X(float, x) X(float, y) X(float, z) X(float, target_x) X(float, target_y)                  \
    X(float, target_z) X(bool, emit) /* sheds a spark this tick; flips every tick */

#define VELMOOR_BABY_FIELDS(X)                                                                 \
    X(float, x) X(float, y) X(float, z) X(float, vx) X(float, vy) X(float, vz)                 \
    X(int32_t, swell) /* 0: free; n >= 1: touched n - 1 ticks ago */

#define VELMOOR_WALL_FIELDS(X)                                                                 \
    X(float, a_x) X(float, a_y) X(float, b_x) X(float, b_y) X(float, a_goal_x)                 \
    X(float, a_goal_y) X(float, b_goal_x) X(float, b_goal_y)

#define VELMOOR_SPARK_FIELDS(X)                                                                \
    X(int32_t, kind) /* index into spark_kinds */                                              \
    X(float, x) X(float, y) X(float, z) X(float, vx) X(float, vy) X(float, vz) X(bool, dead)   \
    X(float, size) X(float, glow)
