// The 640 x 480 double-buffered OpenGL screen the game draws on.
#include "render/screen.h"

#include <SDL/SDL.h>

int32_t screen_width;
int32_t screen_height;
float aspect_ratio;

bool open_screen(bool windowed) {
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    aspect_ratio = 4.0f / 3.0f;
    screen_width = 640;
    screen_height = 480;
    Uint32 flags = windowed ? SDL_OPENGL : SDL_OPENGL | SDL_FULLSCREEN;
    return SDL_SetVideoMode(screen_width, screen_height, 32, flags) != nullptr;
}
