// Velmoor's entry: a window or the full screen, then the game until Escape or the journey's end.
#include "app/journeys.h"
#include "app/shell.h"

int main(int argc, char **argv) {
    if (answer_help_or_version(argc, argv)) return 0;
    windowed = command_line_windowed(argc, argv);
    if (command_line_user_folder(argc, argv)) enter_user_folder();
    start_up(open_journeys());
    if (start_main_loop(true))
        while (run_frame(false)) {
        }
    shut_down();
    return 0;
}
