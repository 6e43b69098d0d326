// The game's screen and everything drawn from it that is made once: the one video set-up.
#pragma once

// Opens the 640 x 480 OpenGL screen (full screen unless windowed), then loads the models, sets
// the fog, builds the plant lists and loads the textures, in that order. False, with nothing
// else done, when the screen could not be opened (SDL_GetError says why).
bool set_up_video(bool windowed);
// What the video set-up made, released while the screen is still open: the plant lists, then
// the models, then the textures.
void tear_down_video();
