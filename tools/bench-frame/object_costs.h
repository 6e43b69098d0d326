// What each kind of object costs to draw: a world held still, timed with and without it.
#pragma once

// The edge calls each plant list recorded, counted by walking the texts it was grown from.
void count_plant_edges();
// The 3D passes of the world as it stands, then without each kind of object in turn.
void print_object_costs(int frames);
