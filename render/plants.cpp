// Growing the plants into their display lists.
#include "render/plants.h"

#include <GL/gl.h>

#include "plant_grammar/plant_grammar.h"

unsigned int plant_list_base;

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
