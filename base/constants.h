// Constants every layer shares.
#pragma once

constexpr double TWO_PI = 6.283185307179586;
// The tick's angles are single precision from end to end: TWO_PI rounded once, to float.
constexpr float TWO_PI_F = static_cast<float>(TWO_PI);
static_assert(TWO_PI_F == 6.28318530717958647692f, "the float TWO_PI is 2 pi rounded to float");
