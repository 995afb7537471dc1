// app/info_window.h - the object info window (dialog 512): one object's data beside the chart,
// made once at start-up and then only shown and hidden. Its object is the selected object that
// clicks on the chart start from.
#pragma once

#include <string>

#include "objects/records.h"
#include "platform/events.h"

namespace qv {

// CreateInfoWindow: makes the window, hidden (start-up).
void CreateInfoWindow();

// ShowObjectInfo: with an object, it becomes the window's object and the texts are filled (the
// window repainted if shown); with 0, or an object that no longer exists, the window has no
// object and is hidden. A connected telescope takes the object as its target.
void ShowObjectInfo(ObjectId object);
// OpenObjectInfo: ShowObjectInfo, then the window is shown (without taking the focus).
void OpenObjectInfo(ObjectId object);
// BringInfoWindowToFront: shows and activates the window.
void BringInfoWindowToFront();
// RefreshInfoWindow: fills the texts again while the window is shown (every chart refresh).
void RefreshInfoWindow();
// CloseInfoWindow: the close request: the window is hidden and the menus updated.
void CloseInfoWindow();
bool IsInfoWindowShown();

ObjectId InfoObject();

// InfoTitleText: the name as the window's title shows it: the Greek letter of a Bayer
// designation written out ("$a Aur" is "α Aur") with the digit after it raised ("β²").
std::string InfoTitleText(const std::string& name);

// InfoWindowHandler: the window's own events (buttons, close box, the title painted).
int InfoWindowHandler(int code, WindowRef window, int p1, int p2);

}  // namespace qv
