// chart/sphere_math.h - the fast arithmetic of rendered globes: arc tangent and arc cosine
// accurate to a ten-millionth of a radian (far below a texel of any surface map: 0.003 radian at
// 2048 columns), and the c^0.72 light response from a table. Used once or more per pixel, where
// the library functions would cost most of a drawing.
// [A&S] M. Abramowitz, I. A. Stegun, Handbook of Mathematical Functions (1964), 4.4.46, 4.4.49.
#pragma once

namespace qv {

// FastAtan2: the angle of (x, y) in (-pi, pi], within 1e-7 radian of std::atan2; 0 at (0, 0).
double FastAtan2(double y, double x);

// FastAcos: the arc cosine of z in [0, pi], within 1e-7 radian of std::acos; z is clamped to
// [-1, 1].
double FastAcos(double z);

// LightFactor: c^0.72 for 0 <= c <= 1 (0 below, 1 above), interpolated in a table: within 1e-5
// of std::pow from c = 0.01 up, within 1e-3 below (a third of a colour step at most).
double LightFactor(double c);

}  // namespace qv
