// The plants' turtle followed without OpenGL, and the order the babies are drawn in.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/camera.h"
#include "render/plant_turtle.h"
#include "render/sprites.h"
#include "sim/state.h"

namespace {

// The turtle's frame in plant coordinates: where it stands and its three axes as columns.
struct TurtleFrame {
    double at[3];
    double axes[3][3]; // axes[row][column]: column 2 is the growth direction
};

struct Segment {
    double start[3];
    double direction[3];
    double length;
};

TurtleFrame turtle;
std::vector<TurtleFrame> saved;
std::vector<Segment> segments;

void save() {
    saved.push_back(turtle);
}

void restore() {
    turtle = saved.back();
    saved.pop_back();
}

void step() {
    for (int i = 0; i < 3; i++) turtle.at[i] += 0.5 * turtle.axes[i][2];
}

// A right-handed turn about one of the frame's own axes: the other two columns rotate.
void turn(int axis, double degrees) {
    double a = degrees * M_PI / 180.0, c = std::cos(a), s = std::sin(a);
    int u = (axis + 1) % 3, v = (axis + 2) % 3;
    for (int i = 0; i < 3; i++) {
        double cu = turtle.axes[i][u], cv = turtle.axes[i][v];
        turtle.axes[i][u] = c * cu + s * cv;
        turtle.axes[i][v] = -s * cu + c * cv;
    }
}

void segment(int steps) {
    Segment g;
    g.length = 0.5 * steps;
    for (int i = 0; i < 3; i++) {
        g.direction[i] = turtle.axes[i][2];
        g.start[i] = turtle.at[i] - g.length * g.direction[i];
    }
    segments.push_back(g);
}

const TurtleOps recorder = {save, restore, step, turn, segment};

std::vector<Segment> walk(const char *text) {
    turtle = TurtleFrame{{0, 0, 0}, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    saved.clear();
    segments.clear();
    int position = 0;
    walk_plant_string(text, position, recorder);
    EXPECT_EQ(text[position], '\0');
    EXPECT_TRUE(saved.empty());
    return segments;
}

void expect_segment(const Segment &g, double x, double y, double z, double dx, double dy, double dz,
                    double length) {
    const double want[2][3] = {{x, y, z}, {dx, dy, dz}};
    for (int i = 0; i < 3; i++) {
        EXPECT_NEAR(g.start[i], want[0][i], 1e-9) << "start " << i;
        EXPECT_NEAR(g.direction[i], want[1][i], 1e-9) << "direction " << i;
    }
    EXPECT_DOUBLE_EQ(g.length, length);
}

const double S15 = std::sin(M_PI / 12), C15 = std::cos(M_PI / 12);

// The branch's empty run (its first symbol is a turn) is skipped; the branch is one step
// tilted 15 degrees about y from one unit up; the stem's run goes on through the branch and
// the three rolls: two steps before, two after, one segment of 2.
TEST(PlantTurtle, BranchAndStemOfTheRuleOneSprout) {
    std::vector<Segment> g = walk("ss[fP]lllsP");
    ASSERT_EQ(g.size(), 2u);
    expect_segment(g[0], 0, 0, 1, S15, 0, C15, 0.5);
    expect_segment(g[1], 0, 0, 0, 0, 0, 1, 2.0);
}

// Each level keeps its own run and its own frame; a pitch ends the stem's run.
TEST(PlantTurtle, NestedBranchesKeepTheirOwnRunsAndFrames) {
    std::vector<Segment> g = walk("s[s[s]s]us");
    ASSERT_EQ(g.size(), 4u);
    expect_segment(g[0], 0, 0, 1.0, 0, 0, 1, 0.5); // innermost branch
    expect_segment(g[1], 0, 0, 0.5, 0, 0, 1, 1.0); // its parent, around it
    expect_segment(g[2], 0, 0, 0, 0, 0, 1, 0.5);   // the stem up to the pitch
    expect_segment(g[3], 0, 0, 0.5, 0, -S15, C15, 0.5);
}

void place_babies(std::initializer_list<float> distances) {
    eye_x = 3.0f, eye_y = -2.0f, eye_z = 1.5f;
    babies.clear();
    for (float d : distances) babies.push_back({eye_x + d, eye_y, eye_z, 0, 0, 0, 0});
}

std::vector<unsigned> far_to_near() {
    order_babies();
    std::vector<unsigned> order;
    for (auto it = baby_order.rbegin(); it != baby_order.rend(); ++it) order.push_back(it->index);
    return order;
}

TEST(BabyOrder, FarthestFirstAndOnlyTheFirstOfEqualDistances) {
    place_babies({2.0f, 3.0f, 1.0f}); // squared distances 4, 9, 1
    EXPECT_EQ(far_to_near(), (std::vector<unsigned>{1, 0, 2}));
    // Equal distances on different sides count as the same key: only the earliest is drawn.
    place_babies({1.0f, 3.0f, -3.0f, 3.0f, -1.0f});
    EXPECT_EQ(far_to_near(), (std::vector<unsigned>{1, 0}));
    // A frame's order does not carry over to the next.
    place_babies({5.0f});
    EXPECT_EQ(far_to_near(), (std::vector<unsigned>{0}));
}

} // namespace
