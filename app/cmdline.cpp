// The command-line rules: --help or --version alone answers and ends; any other text at all
// asks for a window; --user-folder also moves the game into the player's folder.
#include <cstdio>
#include <cstring>

#include "app/shell.h"
#include "base/version.h"

bool windowed;

bool command_line_windowed(int argc, char **argv) {
    for (int i = 1; i < argc; i++)
        for (const char *c = argv[i]; *c; c++)
            if (*c != ' ' && *c != '\t') return true;
    return false;
}

bool command_line_user_folder(int argc, char **argv) {
    for (int i = 1; i < argc; i++)
        if (!std::strcmp(argv[i], "--user-folder")) return true;
    return false;
}

static void print_help() {
    std::printf(
        "usage: velmoor [TEXT...]\n"
        "Row a boat across a dark sea to the lighthouse, with the mouse alone.\n"
        "  (nothing)       full screen\n"
        "  TEXT...         any text at all: a 640x480 window\n"
        "  --user-folder   a window, the game run in $XDG_DATA_HOME/velmoor\n"
        "                  (~/.local/share/velmoor), made when missing\n"
        "  --help          this text\n"
        "  --version       the version\n"
        "The mouse forwards and back rows, left and right turns. Print Screen saves\n"
        "screen<N>.tga in the working directory, never over a file; Escape quits.\n"
        "VELMOOR_DATA=DIR: the data folder, when the working directory has no dat/.\n"
        "VELMOOR_RECORD=FILE records the game as a journey; VELMOOR_PLAY=FILE plays one\n"
        "back, VELMOOR_PLAY_SPEED=N ticks per 25 ms, and the mouse rows on once it runs\n"
        "out. More in velmoor(6).\n");
}

bool answer_help_or_version(int argc, char **argv) {
    if (argc != 2) return false;
    if (!std::strcmp(argv[1], "--help"))
        print_help();
    else if (!std::strcmp(argv[1], "--version"))
        std::printf("velmoor %s\n", velmoor_version);
    else
        return false;
    return true;
}
