// The data folder's default: the game reads dat/ under its working directory.
#include "base/data.h"

const char *data_root = "dat";
