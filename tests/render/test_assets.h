// Tiny models and plain-coloured images in the asset tables' slots, for the renderer's tests.
#pragma once

// Models: an open tube for the edge, a tall box for the lighthouse, a small box for the rest;
// images: the quellorn pure red, the baby pure green, both opaque. Made once per
// process (with the ten plant lists grown from them); needs the GL window.
void use_test_assets();
// Empty tables, as before anything is loaded.
void use_no_assets();
