// Drawing from the model and texture tables, safe before they are loaded.
#include "render/model_calls.h"

#include <GL/gl.h>
#include <cstddef>

void call_model(ModelId id) {
    if (static_cast<std::size_t>(id) >= models.size() || !models[id].list) return;
    glCallList(models[id].list);
}

void bind_texture(TextureId id) {
    bool present = static_cast<std::size_t>(id) < textures.size();
    glBindTexture(GL_TEXTURE_2D, present ? textures[id].name : 0);
}
