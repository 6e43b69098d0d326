// gen-samples: writes the game's two recordings, growl.wav and baby.wav, into a directory
// (dat/samples by default). The same bytes on every run.
#include <cstdio>
#include <string>

#include "synth.h"

int main(int argc, char **argv) {
    std::string dir = argc > 1 ? argv[1] : "dat/samples";
    bool ok = write_wav16(dir + "/growl.wav", make_growl());
    ok = write_wav16(dir + "/baby.wav", make_baby()) && ok;
    if (!ok) {
        std::fprintf(stderr, "gen-samples: cannot write into %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
