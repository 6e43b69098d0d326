// The driver's command line.
#pragma once

#include <cstdint>
#include <string>

struct SimOptions {
    uint32_t seed;     // the shared random source's seed
    uint64_t ticks;    // the most ticks to run
    std::string input; // mouse script, or empty
    std::string trace; // JSON Lines trace, "-" for standard output, or empty
    std::string state; // the final state as one JSON object, or empty
    std::string wav;   // offline mix, "-" for standard output, or empty
    std::string data;  // the folder holding samples/, or empty to look for it
};

// False, with one line on standard error naming the problem, on any bad argument.
bool parse_options(int argc, char **argv, SimOptions &opt);
