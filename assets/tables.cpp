// The fixed tables of models and textures.
#include "assets/assets.h"

#include <GL/gl.h>

static const char *const model_names[] = {"sphere", "sphere_s", "boat",      "oar",
                                          "edge",   "box",      "lighthouse"};
static_assert(sizeof model_names / sizeof *model_names == NUM_MODELS, "one name per model id");

static const char *const texture_names[] = {"baby", "quellorn"};
static_assert(sizeof texture_names / sizeof *texture_names == NUM_TEXTURES,
              "one name per texture id");

std::vector<Model> models;
std::vector<Texture> textures;

// A model that fails to load still takes its place, so that the ids never shift.
void load_models() {
    for (const char *name : model_names) models.push_back(load_model(name));
}

void load_textures() {
    for (const char *name : texture_names) textures.push_back(load_texture(name));
}

// Models, then textures, each in id order; a texture name of 0 is ignored by OpenGL.
void release_assets() {
    for (Model &m : models) release_model(&m);
    models.clear();
    for (Texture &t : textures) glDeleteTextures(1, &t.name);
    textures.clear();
}
