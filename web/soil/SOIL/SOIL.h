// The browser's texture loader, in place of SOIL's (which cannot be built for it): the one
// call the game makes, with SOIL's meaning, over emscripten's bundled image decoder.
#pragma once

enum { SOIL_LOAD_AUTO = 0 };
enum { SOIL_CREATE_NEW_ID = 0 };

// Decodes the image in BUFFER into a new texture, as many channels as the file has, no
// mipmaps, linear filtering, clamped to its edges; 0 when it cannot be decoded.
unsigned int SOIL_load_OGL_texture_from_memory(const unsigned char *const buffer, int buffer_length,
                                               int force_channels, unsigned int reuse_texture_id,
                                               unsigned int flags);
// Why the last load failed.
const char *SOIL_last_result();
