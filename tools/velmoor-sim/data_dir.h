// Where velmoor-sim finds the game's data folder when not told.
#pragma once

#include <string>

// The first of ./dat, a dat/ in the program's folder or any folder above it (the repository
// around a build tree), and ../share/velmoor/dat beside the program (an installed copy) that
// holds samples/; "dat" when none does, so that the loaders name what they could not find.
std::string find_data_dir();
