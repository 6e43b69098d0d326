// The phases of one tick, in the order run_tick calls them, and the placements they share.
#pragma once

#include "base/constants.h"
#include "sim/state.h"

bool run_fades();        // the fades; false when the tick ends here
void read_mouse();       // oars, thrust, steering; the oars' splash
void move_boat();        // move, decay, keep in the square, place the listener
void turn_boat();        // heading
void bob_boat();         // boat_bob from the sea under the boat
void check_lighthouse(); // arrival, the stage's news, the lights re-aimed
void push_off_plants();  // out of every plant's reach, with a bump
void push_off_walls();   // off every wall, the drift turned along it
void update_sea();       // the ripples spread
void fly_lights();       // lights fly, arrive and shed sparks
void update_babies();    // float, swim, touch, swell and burst
void hunt_boat();        // the chaser
void move_plants();      // rings in stage 3, wandering in stage 4
void move_walls();       // each wall's ends travel to their goals
void update_sparks();    // sparks age and move; dead ones are freed

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
