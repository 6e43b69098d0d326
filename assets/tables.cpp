// The fixed tables of models and textures.
#include "assets/assets.h"

void load_models() {}

void build_plant_lists() {}

void load_textures() {}

void release_assets() {}
