// Velmoor's entry: a window or the full screen, then the game until Escape or the journey's end.
#include "app/shell.h"
#include "base/random.h"

int main(int argc, char **argv) {
    windowed = command_line_windowed(argc, argv);
    start_up(clock_seed());
    run_main_loop();
    shut_down();
    return 0;
}
