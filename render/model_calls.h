// Drawing from the model and texture tables, safe before they are loaded.
#pragma once

#include "assets/assets.h"

// Calls the model's display list; nothing when the table has no such model or its file failed.
void call_model(ModelId id);
// Binds the texture for GL_TEXTURE_2D; a missing one binds 0, so the sprite is drawn untextured.
void bind_texture(TextureId id);
