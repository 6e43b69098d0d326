// One 25 ms step of the whole game: the fifteen phases in their fixed order.
#include "sim/phases.h"

void run_tick() {
    if (!run_fades()) return;
    read_mouse();
    move_boat();
    turn_boat();
    bob_boat();
    check_lighthouse();
    push_off_plants();
    push_off_walls();
    update_sea();
    fly_lights();
    update_babies();
    hunt_boat();
    move_plants();
    move_walls();
    update_sparks();
}
