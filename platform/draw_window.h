// platform/draw_window.h - how windows show what the drawing port drew, for platform/ code only.
//
// Each window of the platform layer keeps a QImage the size of its client area and paints it
// in its paintEvent. The windows code attaches that image when it creates the window (and keeps
// it the client area's size, Format_RGB32); from then on BeginWindowDrawing(window) draws into the
// image and EndWindowDrawing(window) calls repaint so the window shows it. Detach before the image
// or the window goes away.
#pragma once

#include <QImage>
#include <functional>

#include "platform/draw.h"

namespace qv {

void AttachWindowSurface(WindowRecord* window, QImage* surface, std::function<void()> repaint);
void DetachWindowSurface(WindowRecord* window);

}  // namespace qv
