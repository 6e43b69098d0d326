// The version comes from the build: it is written once, in the project's CMake file.
#include "base/version.h"

const char *const velmoor_version = VELMOOR_VERSION;
