// The application shell: start-up, the main loop and shutdown.
#pragma once

#include <SDL/SDL.h>
#include <cstdint>

extern bool windowed;     // any command-line text: a 640 x 480 window instead of full screen
extern bool escape_quits; // Escape ends the game; not in the browser, which keeps it for the pointer

// True when the arguments, joined by blanks, hold anything but blanks.
bool command_line_windowed(int argc, char **argv);
// --help or --version as the only argument: the answer printed on standard output, and true.
bool answer_help_or_version(int argc, char **argv);
// True when --user-folder is among the arguments.
bool command_line_user_folder(int argc, char **argv);
// Goes into $XDG_DATA_HOME/velmoor (~/.local/share/velmoor), made when missing; when it cannot,
// says why in one line and stays in the working directory.
void enter_user_folder();
// Adds the wall time since `last` to the accumulator and takes out every whole 25 ms tick;
// unsigned arithmetic makes the timer's wrap-around harmless.
uint32_t take_due_ticks(uint32_t now, uint32_t last, uint32_t &accumulator);

// Seeds the random source with SEED, then brings up SDL, the screen, the sound and the world.
void start_up(uint32_t seed);
// The main loop: natively run_main_loop until the game ends; in the browser start_main_loop,
// then run_frame (or hold_world while the page holds the game) once per animation frame.
void run_main_loop();
void start_main_loop();
void run_frame();  // the events, the ticks that wall time has made due, one frame presented
void hold_world(); // events dropped and no time owed: the world stands still until the next frame
void shut_down();
void take_screenshot();
