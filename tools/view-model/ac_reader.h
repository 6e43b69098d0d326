// A small reader of our AC3D model files for the preview: the same smooth normals as the
// game's loader, compiled into a display list.
#pragma once

struct ModelStats {
    int objects, vertices, surfaces;
    float lo[3], hi[3]; // the bounding box of every vertex
};

// The display list drawing the model at PATH (0 when the file is missing or not AC3D), and
// its counts; surfaces that reference missing vertices are skipped.
unsigned load_preview_model(const char *path, ModelStats *stats);
