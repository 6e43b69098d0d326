// Print Screen: the last presented frame saved as screen<N>.tga.
#include <GL/gl.h>
#include <cstdio>
#include <new>
#include <sys/stat.h>

#include "app/image.h"
#include "app/screenshot.h"
#include "app/shell.h"
#include "render/screen.h"

static int32_t screenshot_counter; // the next file's number; 0 at the start of every run

// Between frames the front buffer holds what was last presented. OpenGL hands the rows over
// bottom first; the flip makes the image upright.
void take_screenshot() {
    glReadBuffer(GL_FRONT);
    size_t size = static_cast<size_t>(screen_width) * screen_height * 4;
    uint8_t *buffer = size ? new (std::nothrow) uint8_t[size] : nullptr;
    Image *image = nullptr;
    if (buffer) {
        glReadPixels(0, 0, screen_width, screen_height, GL_RGBA, GL_UNSIGNED_BYTE, buffer);
        image = create_image_with_pixels(screen_width, screen_height, PIXEL_FORMAT_RGBA8, buffer);
    }
    flip_image(image, FLIP_ROWS);
    char name[32];
    next_screenshot_name(screenshot_counter, name, sizeof name);
    save_image(name, FILE_FORMAT_TGA, image);
    destroy_image(image);
    delete[] buffer;
    screenshot_counter++; // advances even when nothing could be written
}

// A player's pictures from an earlier run are never replaced: the counter passes over every
// name that is taken, whatever it is (a file, a folder, a link that leads nowhere).
void next_screenshot_name(int32_t &counter, char *name, size_t size) {
    struct stat st;
    for (;; counter++) {
        std::snprintf(name, size, "screen%d.tga", counter);
        if (lstat(name, &st) != 0 || counter == INT32_MAX) return;
    }
}
