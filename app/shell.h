// The application shell: start-up, the main loop and shutdown.
#pragma once

#include <SDL/SDL.h>
#include <cstdint>

extern bool windowed; // any command-line text: a 640 x 480 window instead of full screen

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
// The main loop: start_main_loop, then run_frame while they say the game goes on (natively in
// a loop, in the browser once per animation frame). Escape ends the game when
// ESCAPE_ENDS_GAME; the browser keeps Escape for letting the pointer go.
bool start_main_loop(bool escape_ends_game);
// The events, the ticks that wall time has made due, one frame presented. HELD, the world
// stands still instead: events dropped, and no time owed when it goes on. False once the
// game is to end.
bool run_frame(bool held);
void shut_down();
void take_screenshot();
