// The world's objects and sprites, passes 3 to 9; draw_frame sets the state each runs under.
#include "render/passes.h"

// The plants, the lighthouse, the sparks, the walls, the chaser, the babies and the boat come
// with the models and textures they are drawn from; until then these passes draw nothing.
void draw_lighthouse() {}
void draw_sparks() {}
void draw_walls() {}
void draw_chaser() {}
void draw_babies() {}
void draw_boat() {}
