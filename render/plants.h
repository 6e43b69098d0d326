// The branching plants: ten display lists grown at start-up, and the pass that places them.
#pragma once

extern unsigned plant_list_base; // the first of the ten plant lists, one per kind; 0 until built

// Grows and records the ten plants, kind by kind; needs the models loaded (each records
// calls of the edge model's list) and takes the plants' random draws in kind order.
void build_plant_lists();
// Deletes the ten lists (at shutdown, before the models whose lists they call).
void release_plant_lists();
