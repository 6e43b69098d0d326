// The model and texture tables, filled at start-up and emptied at shutdown.
#pragma once

#include <vector>

#include "assets/ac3d.h"

enum ModelId {
    MODEL_SPHERE,
    MODEL_SPHERE_S,
    MODEL_BOAT,
    MODEL_OAR,
    MODEL_EDGE,
    MODEL_BOX,
    MODEL_LIGHTHOUSE,
    NUM_MODELS
};

enum TextureId { TEXTURE_BABY, TEXTURE_QUELLORN, NUM_TEXTURES };

struct Texture {
    unsigned name; // the OpenGL texture name; 0 when its file failed to load
};

extern std::vector<Model> models;     // indexed by ModelId, one entry per id even when empty
extern std::vector<Texture> textures; // indexed by TextureId, likewise

// One model file read and compiled into a display list (a current OpenGL context is needed);
// a missing or foreign file gives a model without objects and with list 0, which draws nothing
// (Mesa flags GL_INVALID_VALUE for glCallList(0), and nothing else happens).
Model load_model(const char *name);
// Deletes its display list and leaves an empty model.
void release_model(Model *model);
// One PNG file checked and made into a texture; name 0 when it is missing or fails the check.
Texture load_texture(const char *name);

void load_models();
void load_textures();
void release_assets();
