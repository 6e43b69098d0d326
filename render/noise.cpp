// The film grain's noise texture: made at every reset, refilled every frame.
#include <GL/gl.h>
#include <cstdlib>

#include "render/render.h"
#include "sim/state.h"

constexpr int NOISE_SIZE = 64;

uint8_t *noise_pixels;
unsigned noise_texture;

static uint32_t noise_made_at; // world_resets when the texture was last made

// A reset replaces the old pair, so exactly one buffer and one texture are ever alive.
void make_noise_texture() {
    delete[] noise_pixels;
    if (noise_texture) glDeleteTextures(1, &noise_texture);
    noise_pixels = new uint8_t[NOISE_SIZE * NOISE_SIZE]();
    glGenTextures(1, &noise_texture);
    glBindTexture(GL_TEXTURE_2D, noise_texture);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, 1, NOISE_SIZE, NOISE_SIZE, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE,
                 noise_pixels);
}

// The C library's own generator, never seeded: the grain is the same in every run and draws
// nothing from the game's random source. Values stop at 254. A world reset since the last
// frame (at start-up too) first remakes the texture, black, before it is refilled.
void refresh_noise() {
    if (!noise_pixels || noise_made_at != world_resets) {
        make_noise_texture();
        noise_made_at = world_resets;
    }
    for (int i = 0; i < NOISE_SIZE * NOISE_SIZE; i++)
        noise_pixels[i] = static_cast<uint8_t>(std::rand() % 255);
}

// The buffer and the texture go together, so a later start finds neither.
void release_noise() {
    delete[] noise_pixels;
    noise_pixels = nullptr;
    if (noise_texture) glDeleteTextures(1, &noise_texture);
    noise_texture = 0;
}
