// The model and texture tables, filled at start-up and emptied at shutdown.
#pragma once

extern unsigned int plant_list_base; // the first of the ten plant display lists, one per kind

void load_models();
void build_plant_lists();
void load_textures();
void release_assets();
