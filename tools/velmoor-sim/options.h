// The driver's command line.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

struct Journey;

struct SimOptions {
    uint32_t seed;      // the shared random source's seed
    uint64_t ticks;     // the most ticks to run
    bool has_seed;      // --seed was given
    bool has_ticks;     // --ticks was given
    bool help;          // --help: the usage, and nothing run
    bool version;       // --version: the version, and nothing run
    std::string input;  // a journey or a mouse script, or empty
    std::string trace;  // JSON Lines trace, "-" for standard output, or empty
    std::string state;  // the final state as one JSON object, or empty
    std::string wav;    // offline mix, "-" for standard output, or empty
    std::string data;   // the folder holding samples/, or empty to look for it
    std::string record; // the run written again as a journey, or empty
};

// False, with one line on standard error naming the problem, on any bad argument.
bool parse_options(int argc, char **argv, SimOptions &opt);
// The seed and the length the input holds, where the command line gave none; false, with one
// line on standard error, when neither says.
bool settle_options(SimOptions &opt, const Journey &input);
// The whole usage, the journey's lines included.
void print_usage(FILE *f);
// "velmoor-sim VERSION".
void print_version(FILE *f);
