// The fixed tables of models and textures.
#include "assets/assets.h"

void load_models() {}

void load_textures() {}

void release_assets() {}
