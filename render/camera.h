// The chase camera, its lamp and the surface materials: recomputed at the start of every frame.
#pragma once

// The surface materials, one per kind of surface.
enum MaterialId {
    MATERIAL_SEA,
    MATERIAL_BOAT,
    MATERIAL_PLANT,
    MATERIAL_WALL,
    MATERIAL_LIGHTHOUSE,
    NUM_MATERIALS
};

extern float eye_x, eye_y, eye_z;  // the camera, one unit behind the boat and 1.5 above the sea
extern float billboard_matrix[16]; // column-major; turns a local x-y quad to face the camera

// Projection, view, billboard matrix and lamp for this frame; leaves GL_MODELVIEW current.
void set_camera();
// Gives both faces one row of materials: ambient, diffuse, specular, shininess.
void apply_material(int index);
