// The browser's texture upload: an image our PNG check has passed, decoded by emscripten's
// bundled decoder and handed to OpenGL as SOIL would (flags 0: no mipmaps, linear, clamped).
#include <GL/gl.h>

#include "SOIL/SOIL.h"

extern "C" {
unsigned char *stbi_load_from_memory(const unsigned char *buffer, int length, int *x, int *y,
                                     int *channels, int wanted);
void stbi_image_free(void *pixels);
const char *stbi_failure_reason();
}

static const char *last_result = "no image loaded yet";

unsigned int SOIL_load_OGL_texture_from_memory(const unsigned char *const buffer, int buffer_length,
                                               int, unsigned int, unsigned int) {
    static const GLenum formats[5] = {0, GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA};
    int width = 0, height = 0, channels = 0;
    unsigned char *pixels = stbi_load_from_memory(buffer, buffer_length, &width, &height, &channels, 0);
    if (!pixels || channels < 1 || channels > 4) {
        last_result = pixels ? "an image of an unknown kind" : stbi_failure_reason();
        stbi_image_free(pixels);
        return 0;
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, formats[channels], width, height, 0, formats[channels],
                 GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    stbi_image_free(pixels);
    last_result = "Image loaded as an OpenGL texture";
    return name;
}

const char *SOIL_last_result() {
    return last_result;
}
