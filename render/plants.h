// The ten plant shapes, each grown once at start-up into a display list of its own.
#pragma once

extern unsigned int plant_list_base; // the first of the ten plant display lists, one per kind

// Reserves the ten lists and grows one plant into each, in kind order. Needs the models.
void build_plant_lists();
