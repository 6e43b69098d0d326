// The browser's <GL/glu.h>: emscripten's own, with the perspective and the look-at of our
// layer, which multiply the current matrix as GLU's do (emscripten's replace it, or take their
// arguments in another order).
#pragma once

#include_next <GL/glu.h>

#include "GL/velmoor_layer.h"

#define gluPerspective web_gluPerspective
#define gluLookAt web_gluLookAt
