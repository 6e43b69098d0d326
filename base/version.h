// The version of the game and its tools, as the build was told it.
#pragma once

extern const char *const velmoor_version; // "MAJOR.MINOR.PATCH"
