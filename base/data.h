// Where the game's data files live.
#pragma once

// The folder holding models/, img/ and samples/: "dat", relative to the working directory,
// unless a tool was told otherwise. Loaders format their paths from it.
extern const char *data_root;
