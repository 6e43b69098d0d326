// The model and texture tables, filled at start-up and emptied at shutdown.
#pragma once

void load_models();
void load_textures();
void release_assets();
