// The game's journeys: recorded as they are played (VELMOOR_RECORD=FILE), played back
// (VELMOOR_PLAY=FILE, VELMOOR_PLAY_SPEED=N ticks per 25 ms).
#pragma once

#include <cstdint>

// Reads the environment, opens the journey to play and the recording; returns the seed to
// start from: the journey's, else the clock's. A bad journey or an unwritable recording ends
// the program with one line on standard error.
uint32_t open_journeys();
// The world's first reset, with the audio thread held off. DRAWN_BEFORE_AUDIO: the values
// drawn before the device started, so that the audio thread's draws since can be told apart.
void start_world(uint64_t drawn_before_audio);
// The mouse and the Print Screen key as the main loop hands them on.
void take_mouse_motion(int xrel, int yrel);
void take_print_screen();
// Runs the ticks of N whole 25 ms steps of wall time (N times the speed in playback), each
// with the audio thread held off, so that its draws fall between two ticks and never inside one.
void run_due_ticks(uint32_t n);
void frame_presented(); // a frame showing the world after the last tick is on the screen
// The recording's closing line; said once when it could not all be written.
void close_journeys();
