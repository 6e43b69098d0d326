// The branching plants: ten display lists grown at start-up, and the pass that places them.
#pragma once

extern unsigned plant_list_base; // the first of the ten plant lists, one per kind; 0 until built

// Grows and records the ten plants, kind by kind; needs the models loaded (each records
// calls of the edge model's list) and takes the plants' random draws in kind order.
void build_plant_lists();
// One plant into the list being compiled: the text grown (kept in text), then walked.
void build_plant(char *text);
// The turtle's walk as OpenGL calls on the modelview, each straight run one stretched edge.
void draw_plant_string(const char *text, int &position);
