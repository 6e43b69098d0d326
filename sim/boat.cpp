// The boat: the oars worked by the mouse, its two velocities, heading, bob and the pushes off
// plants and walls.
#include <algorithm>
#include <cmath>

#include "audio/sound.h"
#include "base/trig.h"
#include "sim/phases.h"

// The oars swing within +-15 degrees; the part of the motion that would carry them past
// the end of their arc is lost, so a stroke begun at +15 drives nothing.
static void sweep_oars() {
    if (oar_sweep + row_input * 0.04f < -15.0f) row_input = (-15.0f - oar_sweep) / 0.04f;
    if (oar_sweep + row_input * 0.04f > 15.0f) row_input = (15.0f - oar_sweep) / 0.04f;
    oar_sweep += row_input * 0.04f;
}

// Past the dead zone a lifted oar turns part of the stroke, and from 1.5 on all of it,
// into turning; strokes turn the boat clockwise two and a half times as fast.
static void stroke() {
    float factor = 1.0f;
    if (steer < -0.5f) {
        factor = 1.0f + std::max(steer + 0.5f, -1.0f);
        turn_rate += row_input * (1.0f - factor) * 0.00002f;
    } else if (steer > 0.5f) {
        factor = 1.0f - std::min(steer - 0.5f, 1.0f);
        turn_rate -= row_input * (1.0f - factor) * 0.00005f;
    }
    row_vx += cosine_f(boat_heading) * row_input * factor * 0.0001f;
    row_vy += sine_f(boat_heading) * row_input * factor * 0.0001f;
    float speed = std::sqrt(row_vx * row_vx + row_vy * row_vy);
    if (speed > 0.3f) {
        row_vx = row_vx / speed * 0.3f;
        row_vy = row_vy / speed * 0.3f;
    }
}

static void balance_oars() {
    steer = std::clamp(steer + steer_input * 0.003f, -2.5f, 2.5f);
    if (steer < -0.5f)
        steer_deflection = std::max(steer + 0.5f, -1.0f);
    else if (steer > 0.5f)
        steer_deflection = std::min(steer - 0.5f, 1.0f);
    else
        steer_deflection = 0.0f;
}

void read_mouse() {
    row_input = std::clamp(row_input, -100.0f, 100.0f);
    steer_input = std::clamp(steer_input, -100.0f, 100.0f);
    steer_input *= 0.9f;
    row_input *= 0.8f;
    sweep_oars();
    float amount = row_input > 0.0f ? row_input * 0.0005f : -row_input * 0.0002f;
    sound_event(SOUND_ROW_SPLASH, 0.0f, 0.0f, 0.0f, amount, 0);
    if (row_input > 0.0f) stroke(); // the return sweep gives neither thrust nor turning
    balance_oars();
    steer_input = 0.0f;
    row_input = 0.0f;
}

// The edge of the sea reverses a shove but not the rowing: a boat rowed into it stays on it.
void move_boat() {
    boat_x += row_vx + drift_vx;
    boat_y += row_vy + drift_vy;
    row_vx *= 0.97f;
    row_vy *= 0.97f;
    drift_vx *= 0.98f;
    drift_vy *= 0.98f;
    if (boat_x < -55.0f) {
        boat_x = -55.0f;
        drift_vx = -drift_vx;
    }
    if (boat_y < -55.0f) {
        boat_y = -55.0f;
        drift_vy = -drift_vy;
    }
    if (boat_x > 55.0f) {
        boat_x = 55.0f;
        drift_vx = -drift_vx;
    }
    if (boat_y > 55.0f) {
        boat_y = 55.0f;
        drift_vy = -drift_vy;
    }
    place_listener(boat_x, boat_y, 0.0f);
}

void turn_boat() {
    boat_heading += turn_rate;
    turn_rate *= 0.95f;
}

void bob_boat() {
    int ix = static_cast<int>(boat_x);
    int iy = static_cast<int>(boat_y);
    float sum = 0.0f;
    for (int x = ix - 1; x <= ix + 1; x++)
        for (int y = iy - 1; y <= iy + 1; y++)
            sum += sea_height[sea_cell(x) * SEA_SIZE + sea_cell(y)];
    boat_bob += (sum / 9.0f - boat_bob) * 0.1f;
}

// A boat right on a plant's centre has no side to be pushed to: it stays, but still bumps.
void push_off_plants() {
    for (const Plant &p : plants) {
        float dx = boat_x - p.x;
        float dy = boat_y - p.y;
        float dd = dx * dx + dy * dy;
        if (dd >= 0.64f) continue;
        float d = std::sqrt(dd);
        if (d > 0.0f) {
            boat_x = p.x + 0.8f * dx / d;
            boat_y = p.y + 0.8f * dy / d;
        }
        sound_event(SOUND_PLANT_BUMP, p.x, p.y, 0.0f, 0.0f, 0);
    }
}

// The drift's component along the wall is reversed, the one across it kept. A boat exactly
// on the wall's line has no side to be put on: it stays, but the drift still turns.
static void push_off_wall(const Wall &w) {
    float px = boat_x - w.a_x, py = boat_y - w.a_y;
    float ex = w.b_x - w.a_x, ey = w.b_y - w.a_y;
    float ee = ex * ex + ey * ey;
    if (ee == 0.0f) return; // both ends in one point: no wall to meet yet
    float t = (px * ex + py * ey) / ee;
    if (t < 0.0f || t > 1.0f) return;
    float qx = px - t * ex, qy = py - t * ey;
    float qq = qx * qx + qy * qy;
    if (qq >= 0.25f) return;
    float q = std::sqrt(qq);
    if (q > 0.0f) {
        boat_x = w.a_x + t * ex + 0.5f * qx / q;
        boat_y = w.a_y + t * ey + 0.5f * qy / q;
    }
    float k = (ex * drift_vx + ey * drift_vy) / ee;
    drift_vx -= 2.0f * k * ex;
    drift_vy -= 2.0f * k * ey;
    sound_event(SOUND_WALL_BUMP, boat_x, boat_y, 0.0f, 0.0f, 0);
}

void push_off_walls() {
    for (const Wall &w : walls) push_off_wall(w);
}
