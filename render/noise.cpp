// The film grain's noise texture: made at every reset, refilled every frame.
#include "render/render.h"

uint8_t *noise_pixels;
unsigned noise_texture;

void make_noise_texture() {}

void refresh_noise() {}

void free_noise_pixels() {
    delete[] noise_pixels;
    noise_pixels = nullptr;
}
