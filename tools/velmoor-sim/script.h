// The mouse script: motion events to deliver before given ticks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Motion {
    uint64_t tick;  // delivered right before this tick runs (ticks count from 1)
    int xrel, yrel; // SDL's signed 16-bit relative motion
};

// Reads "TICK XREL YREL" lines, skipping blank lines and # comments, into tick order
// (file order within a tick). False, with one line on standard error, on an unreadable
// file or a malformed line.
bool read_script(const std::string &path, std::vector<Motion> &out);
