// platform/button_hold.h - push buttons that report being held: a dialog layout's push button
// with the property hold = true sends ControlEvent with PartButtonPressed when it goes down and
// PartButtonReleased when it comes up (mouse or keyboard), in place of PartClick.
#pragma once

namespace qv {

constexpr int PartButtonPressed = 8;
constexpr int PartButtonReleased = 9;

}  // namespace qv
