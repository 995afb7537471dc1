// platform/windows.h - windows: creation with style flags, the window record's reference value
// and erase flag, visibility, geometry, invalidation and the size box.
// The first window created is the main window; later ones are tool windows inside it. All other
// windows of the program are dialogs (platform/dialogs.h).
#pragma once

#include <cstdint>

#include "platform/events.h"
#include "platform/rect.h"

namespace qv {

// Style flags of CreatePlatformWindow.
constexpr int StyleTitleBar = 1;  // otherwise a thin border only
constexpr int StyleSystemMenu = 2;
constexpr int StyleResizable = 4;
constexpr int StyleMaximizeBox = 8;
constexpr int StyleMinimizeBox = 16;
constexpr int StyleChild = 32;  // a tool window inside the main window

constexpr int SizeBoxItem = -3;  // the resize grip's item number

// CreatePlatformWindow: a coordinate or size below 1 takes the system default. The first
// window becomes the main window; a later one must carry StyleChild (else nullptr). Sends
// WindowCreatedEvent (0, 0). referenceValue is handed back by GetWindowReference.
WindowRef CreatePlatformWindow(int resourceNumber, const char* title, int left, int top, int width,
                               int height, bool visible, int styleFlags, intptr_t referenceValue,
                               EventHandler handler);
void DisposePlatformWindow(WindowRef window);

intptr_t GetWindowReference(WindowRef window);  // 0 for nullptr
int GetWindowResourceNumber(WindowRef window);
// SetEraseBackground: when off, an update repaints over the previous contents (no flicker).
void SetEraseBackground(WindowRef window, bool on);
void SetWindowTitle(WindowRef window, const char* title);

void ShowPlatformWindow(WindowRef window);  // without activating
void HidePlatformWindow(WindowRef window);
void SelectPlatformWindow(WindowRef window);  // show, then activate
void MaximizePlatformWindow(WindowRef window);
bool IsWindowMinimized(WindowRef window);
bool IsPlatformWindowVisible(WindowRef window);

// InvalidateWindow: the area (whole client for nullptr) is painted by the next update event.
void InvalidateWindow(WindowRef window, const Rect* area);
// UpdateWindowNow: a pending update is delivered at once.
void UpdateWindowNow(WindowRef window);

Rect GetClientRectangle(WindowRef window);  // {0, 0, width, height}
// SetWindowClientRectangle: moves and sizes the window so that its client area covers rect in
// its parent's coordinates (screen coordinates for top-level windows and dialogs).
void SetWindowClientRectangle(WindowRef window, const Rect& rect);
void CenterOnScreen(WindowRef window);  // keeps the size

// GetChartAreaRectangles: splits the client area of a window with scroll bars. A bar is
// reserved when its output is given: the vertical bar takes a strip of the scroll-bar width
// minus 1 at the right, the horizontal one likewise at the bottom; content is the rest.
void GetChartAreaRectangles(WindowRef window, Rect* verticalBar, Rect* horizontalBar,
                            Rect* content);

void ShowSizeBox(WindowRef window);
void HideSizeBox(WindowRef window);

}  // namespace qv
