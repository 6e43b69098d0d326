// The files the driver is asked to write, checked before anything runs.
#pragma once

#include "options.h"

// False, with one line on standard error, when two of the input and the outputs name the same
// file (or both standard output), or when the WAV for all the ticks asked for would pass the
// 4 GiB a RIFF file can describe.
bool check_outputs(const SimOptions &opt);
