// The turtle that walks a grown plant text: straight runs, turns and branches, told to a table
// of operations, so that one walk both records the display lists and can be followed in tests.
#pragma once

enum TurtleAxis { AXIS_X, AXIS_Y, AXIS_Z };

// What the turtle asks for as it reads. Its frame's +z is the growth direction.
struct TurtleOps {
    void (*save)();                         // a branch starts: keep the frame
    void (*restore)();                      // the branch ends: back to the kept frame
    void (*step)();                         // half a unit along +z
    void (*turn)(int axis, double degrees); // about the frame's own x, y or z axis
    void (*segment)(int steps);             // a straight run of that many steps ends here
};

// Reads from position (left just past what was read) to the end of the text or to the ']'
// that closes the branch it was called for. Each level counts its own run: a branch's steps
// never lengthen the stem around it. Rolls and branch starts do not end a run; empty runs are
// not told at all.
void walk_plant_string(const char *text, int &position, const TurtleOps &ops);
