// The preview's scenes: what each draws, and the models they draw with.
#pragma once

#include "ac_reader.h"

enum PreviewModel { M_SPHERE, M_SPHERE_S, M_BOAT, M_OAR, M_EDGE, M_BOX, M_LIGHTHOUSE, NUM_MODELS };

struct PreviewOptions {
    const char *data;           // the data folder: models/ and img/
    const char *model;          // the model an orbit view shows
    float sweep, deflection;    // the oars' stroke angle and balance
    float yaw, pitch, distance; // the orbit camera; the lighthouse's or quellorn's distance
};

extern unsigned preview_lists[NUM_MODELS];   // display lists, 0 for a model that did not load
extern ModelStats preview_stats[NUM_MODELS]; // their counts and bounding boxes
extern const char *const MODEL_NAMES[NUM_MODELS];

// Each draws a whole frame into the back buffer.
void draw_boat_scene(const PreviewOptions &o);
void draw_lighthouse_scene(const PreviewOptions &o);
void draw_plant_scene(const PreviewOptions &o);
void draw_sprite_scene(const PreviewOptions &o);
void draw_orbit_scene(const PreviewOptions &o);
