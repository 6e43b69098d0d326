// One frame's passes, in their fixed order.
#include "render/render.h"
#include "render/screen.h"

int32_t screen_width;
int32_t screen_height;
float aspect_ratio;

void draw_frame() {}
