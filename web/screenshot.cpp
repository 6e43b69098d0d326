// Print Screen in the browser: the page saves the canvas, which holds the frame last presented,
// as screen<N>.png, N counting from 0 in every game.
#include <emscripten.h>

#include "app/shell.h"

static int screenshot_counter; // the next picture's number

void take_screenshot() {
    EM_ASM({ if (Module.velmoorScreenshot) Module.velmoorScreenshot($0); }, screenshot_counter);
    screenshot_counter++;
}
