// The fog, set once for the whole run: linear to black between 10 and 30 units.
#include <GL/gl.h>

#include "render/render.h"

void set_fog() {
    static const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, black);
    glHint(GL_FOG_HINT, GL_DONT_CARE);
    glFogf(GL_FOG_START, 10.0f);
    glFogf(GL_FOG_END, 30.0f);
    glEnable(GL_FOG);
}
