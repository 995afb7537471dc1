// platform/draw_window.cpp - drawing into windows through the surfaces their widgets paint.
#include "platform/draw_window.h"

#include <map>
#include <memory>
#include <utility>

#include "platform/draw_qt.h"

namespace qv {
namespace {

struct WindowSurface {
  QImage* surface;
  std::function<void()> repaint;
};

std::map<WindowRecord*, WindowSurface> surfaces;
std::unique_ptr<DrawTarget> windowTarget;
WindowRecord* windowDrawn = nullptr;

}  // namespace

void AttachWindowSurface(WindowRecord* window, QImage* surface, std::function<void()> repaint) {
  if (!window || !surface) return;
  surfaces[window] = WindowSurface{surface, std::move(repaint)};
}

void DetachWindowSurface(WindowRecord* window) {
  if (window == windowDrawn) EndWindowDrawing(window);
  surfaces.erase(window);
}

bool BeginWindowDrawing(WindowRecord* window) {
  const auto it = surfaces.find(window);
  if (it == surfaces.end() || it->second.surface->isNull()) return false;
  QImage& surface = *it->second.surface;
  if (surface.format() != QImage::Format_RGB32) surface.convertTo(QImage::Format_RGB32);
  EndWindowDrawing(windowDrawn);
  windowTarget = NewSurfaceTarget(surface);
  windowDrawn = window;
  BeginDrawing(windowTarget.get());
  return true;
}

void EndWindowDrawing(WindowRecord* window) {
  if (!windowTarget || window != windowDrawn) return;
  EndDrawing(windowTarget.get());
  windowTarget.reset();
  windowDrawn = nullptr;
  if (const auto it = surfaces.find(window); it != surfaces.end() && it->second.repaint) {
    it->second.repaint();
  }
}

}  // namespace qv
