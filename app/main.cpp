// Velmoor's entry: a window or the full screen, then the game until Escape or the journey's end.
#include "app/journeys.h"
#include "app/shell.h"

int main(int argc, char **argv) {
    windowed = command_line_windowed(argc, argv);
    start_up(open_journeys());
    run_main_loop();
    shut_down();
    return 0;
}
