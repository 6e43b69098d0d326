// The command-line rule: any text at all asks for a window.
#include "app/shell.h"

bool windowed;

bool command_line_windowed(int argc, char **argv) {
    for (int i = 1; i < argc; i++)
        for (const char *c = argv[i]; *c; c++)
            if (*c != ' ' && *c != '\t') return true;
    return false;
}
