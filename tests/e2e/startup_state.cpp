// The game's own start-up with a given seed, then its world written as velmoor-sim writes its
// state after tick 0, then the game's own shutdown.
#include <cstdio>
#include <cstdlib>

#include "app/shell.h"
#include "headless/trace.h"

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: startup_state SEED\n");
        return 2;
    }
    windowed = true;
    start_up(static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)));
    write_state(stdout, 0);
    bool written = std::fflush(stdout) == 0 && !std::ferror(stdout);
    shut_down();
    return written ? 0 : 1;
}
