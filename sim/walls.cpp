// The roaming walls: each end travels to its own goal at its own speed.
#include <cmath>

#include "sim/phases.h"
#include "sim/random.h"

// The angle factor is 0.0001, not 0.001: every wall's second goal lies within about
// 36 degrees of +y from its first, so the walls roam roughly parallel.
void draw_wall_goals(Wall &wall) {
    wall.a_goal_x = (random_int() % 12101 - 6050) * 0.01f;
    wall.a_goal_y = (random_int() % 12101 - 6050) * 0.01f;
    float angle = (random_int() % 1000) * 0.0001f * TWO_PI;
    wall.b_goal_x = wall.a_goal_x + 10.0f * std::sin(angle);
    wall.b_goal_y = wall.a_goal_y + 10.0f * std::cos(angle);
}

void place_walls() {
    for (Wall &w : walls) {
        w.a_x = w.b_x = lighthouse_x;
        w.a_y = w.b_y = lighthouse_y;
        draw_wall_goals(w);
    }
}

void move_walls() {}
