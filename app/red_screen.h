// app/red_screen.h - the red-screen mode for the dark-adapted eye: every window, menu and dialog
// is dark red on black while it is on (the platform's night colours), and the desktop's colours
// come back exactly when it goes off or another program comes to the front.
#pragma once

namespace qv {

// SetRedScreenColors: on saves the system colours and sets the night colours; off sets the
// saved colours back. Asking for the state already in force does nothing.
void SetRedScreenColors(bool on);
bool RedScreenColorsOn();

// While the program is in the background the desktop has its own colours; the red ones return
// when the program is activated again. Both do nothing while the mode is off.
void SuspendRedScreen();
void ResumeRedScreen();

}  // namespace qv
