// The phases of one tick, in the order run_tick calls them, and the placements they share.
#pragma once

#include "base/constants.h"
#include "sim/state.h"

bool run_fades();        // step 1: false when the tick ends here
void read_mouse();       // step 2: oars, thrust, steering; event 0
void move_boat();        // step 3: move, decay, keep in the square, listener_pos
void turn_boat();        // step 4: heading
void bob_boat();         // step 5: boat_bob from the sea under the boat
void check_lighthouse(); // step 6: arrival, the stage's news, the lights re-aimed
void push_off_plants();  // step 7
void push_off_walls();   // step 8
void update_sea();       // step 9
void fly_lights();       // step 10: lights fly, arrive and shed sparks
void update_babies();    // step 11
void hunt_boat();        // step 12: the chaser
void move_plants();      // step 13: rings in stage 3, wandering in stage 4
void move_walls();       // step 14
void update_sparks();    // step 15: sparks age and move; dead ones are freed

// A sea grid index for a world cell: cell + 55, wrapped once into 0..109.
int sea_cell(int u);

// A random place on the sea for a light, aimed at the lighthouse: four draws.
void aim_light(Light &light);
// The 48 babies spill out at the lighthouse: three draws each.
void release_babies();
// The 28 walls start at the lighthouse with random goals: three draws each.
void place_walls();
// A wall's two goals, ten apart: three draws.
void draw_wall_goals(Wall &wall);
