// The late world for the frame benchmark: stage 4 with every kind of object in play.
#pragma once

#include <cstdint>

// A fresh world brought through three lighthouse visits by the real tick, then rowed in
// circles near the middle of the sea until the wandering plants have gathered round.
void set_up_full_scene(uint32_t seed);
// One tick of rowing in circles, its voices dropped, the boat held at the middle of the sea.
// The chaser is put back 40 units away whenever it comes within 12, so that it never ends
// the stage.
void full_scene_tick(int t);
// Still stage 4 with 50 plants, 48 babies, 28 walls, the chaser and the sparks in play.
bool full_scene_intact();
// How much of the world is near enough to be drawn.
void describe_full_scene();
