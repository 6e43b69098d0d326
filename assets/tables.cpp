// The fixed tables of models and textures.
#include "assets/assets.h"

#include <GL/gl.h>

#include "render/plant_text.h"

unsigned int plant_list_base;

void load_models() {}

// Each plant kind's text is grown while its list is open, so that the random draws happen
// in the same order as when the lists also record the plant's drawing.
void build_plant_lists() {
    plant_list_base = glGenLists(NUM_PLANT_KINDS);
    for (int k = 0; k < NUM_PLANT_KINDS; k++) {
        glNewList(plant_list_base + k, GL_COMPILE);
        grow_plant_text(plant_texts[k]);
        glEndList();
    }
}

void load_textures() {}

void release_assets() {}
