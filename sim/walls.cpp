// The roaming walls: each end travels to its own goal at its own speed.
#include <cmath>

#include "base/random.h"
#include "base/trig.h"
#include "sim/phases.h"

// The angle factor is 0.0001, not 0.001: every wall's second goal lies within about
// 36 degrees of +y from its first, so the walls roam roughly parallel.
void draw_wall_goals(Wall &wall) {
    wall.a_goal_x = (random_int() % 12101 - 6050) * 0.01f;
    wall.a_goal_y = (random_int() % 12101 - 6050) * 0.01f;
    float angle = (random_int() % 1000) * 0.0001f * TWO_PI_F;
    wall.b_goal_x = wall.a_goal_x + 10.0f * sine_f(angle);
    wall.b_goal_y = wall.a_goal_y + 10.0f * cosine_f(angle);
}

void place_walls() {
    for (Wall &w : walls) {
        w.a_x = w.b_x = lighthouse_x;
        w.a_y = w.b_y = lighthouse_y;
        draw_wall_goals(w);
    }
}

// False once the end is within 1 of its goal, where it waits for the other end.
static bool move_end(float &x, float &y, float goal_x, float goal_y, float speed) {
    float dx = goal_x - x, dy = goal_y - y;
    float dd = dx * dx + dy * dy;
    if (dd <= 1.0f) return false;
    float len = std::sqrt(dd);
    x += dx / len * speed;
    y += dy / len * speed;
    return true;
}

// The ends travel at 0.12 and 0.1, so a wall stretches, shrinks and turns on its way.
void move_walls() {
    for (Wall &w : walls) {
        bool a_moving = move_end(w.a_x, w.a_y, w.a_goal_x, w.a_goal_y, 0.12f);
        bool b_moving = move_end(w.b_x, w.b_y, w.b_goal_x, w.b_goal_y, 0.1f);
        if (!a_moving && !b_moving) draw_wall_goals(w);
    }
}
