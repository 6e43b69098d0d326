// Where the game's data files live, and how the game and its tools find them.
#pragma once

#include <string>

// The folder holding models/, img/ and samples/; loaders format their paths from it. "dat",
// relative to the working directory, until find_data_root has chosen.
extern const char *data_root;
// The source tree's dat/ of this build, fixed when it was configured; empty when the build was
// told not to look there (a package's).
extern std::string source_data_dir;
// The installed data folder, found from where the program lies; empty when that is unknown.
extern std::string installed_data_dir;

// Points data_root at the first of these that is a folder: dat/ under the working directory;
// ASKED (VELMOOR_DATA for the game, --data for the tools; null or empty for none);
// source_data_dir; installed_data_dir. A tool's --data is what its user typed for this run:
// with COMMAND_LINE it comes before dat/, so that it is never passed over in silence. When none
// is, data_root stays "dat", so that each loader names the file it misses, PROGRAM says on
// standard error in one line where it looked, and the result is false.
bool find_data_root(const char *program, const char *asked, bool command_line);
// The one line on standard error for a data file that is missing or refused: the file stays an
// empty slot and the game runs on.
void say_not_loaded(const char *path, const char *why);
