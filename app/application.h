// app/application.h - the application: the one event handler the platform's main loop is given,
// with start-up, quitting, idle work, and leaving and coming back to the program.
#pragma once

#include <string>
#include <vector>

#include "platform/events.h"

namespace qv {

// ApplicationEventHandler: start-up (1), idle (0), suspend (4) and resume (5), menu commands
// (6) and quitting (10); 1 for every other event.
int ApplicationEventHandler(int code, WindowRef window, int p1, int p2);

// StartApplication: the start-up sequence: splash, defaults, chart window and menus, the object
// store and its database directory, the info window, the default database and settings, the
// home site, the present time, the first chart, the menus, and the About box. False when the
// program cannot go on (no chart window, or no database directory); it then ends.
bool StartApplication();

// SetStartupDocuments: files named on the command line, opened as documents (OpenDocument) at
// the end of start-up, in order.
void SetStartupDocuments(std::vector<std::string> paths);

// QuitRequested: red screen off, telescope disconnected, the About box, and every changed
// database file and the index written before the database closes. Returns 0 - the program goes
// on, nothing closed - when a file could not be written.
int QuitRequested();

// IdleWork: one animation step while animating, the telescope polled when it is due, the name
// label of a held click.
void IdleWork();

}  // namespace qv
