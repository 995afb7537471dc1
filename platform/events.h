// platform/events.h - the event model: numbered events delivered to handlers, the main loop,
// idle time, the clock, the cursor, keyboard and mouse state, the screen and its system colours.
// One thread: every event arrives on the thread that runs the main loop or a modal loop nested
// in it, so handlers may open dialogs and be re-entered by nested events.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/rect.h"

namespace qv {

struct WindowRecord;              // one per window or dialog; owned by the platform
using WindowRef = WindowRecord*;  // nullptr: no window

// Event codes: (code, window, p1, p2). Window coordinates are client pixels, origin top-left.
enum EventCode : int {
  IdleEvent = 0,            // queue empty, no modal dialog up
  StartupEvent = 1,         // once, before the main loop
  KeyDownEvent = 2,         // (virtual key, 0) when pressed; (0, character) when typed
  KeyUpEvent = 3,           // (virtual key, 0)
  SuspendEvent = 4,         // the application lost activation
  ResumeEvent = 5,          // the application was activated
  MenuEvent = 6,            // (menu number, item number); non-zero result: not handled
  QuitEvent = 10,           // the main window was asked to close; 0 refuses
  WindowCreatedEvent = 11,  // (resource number, reference value) for dialogs, else (0, 0)
  WindowResizedEvent = 12,  // (client width, client height)
  WindowActivatedEvent = 13,
  WindowDeactivatedEvent = 14,
  WindowUpdateEvent = 15,  // paint now, into the window's surface
  MouseDownEvent = 16,     // (x, y) for each of these mouse events
  MouseUpEvent = 17,
  DoubleClickEvent = 18,   // second press within the double-click time
  MouseMovedEvent = 19,    // no button down; only to the capture holder or the active window
  MouseDraggedEvent = 20,  // a button down; same rule
  WindowCloseEvent = 21,   // a window other than the main one; non-zero lets it close
  WindowZoomEvent = 22,    // maximise asked; non-zero lets it proceed
  WindowMinimizeEvent = 23,
  WindowRestoreEvent = 24,
  MouseWheelEvent = 25,  // (notches, PackPoint(x, y)); notches > 0: turned away from the user
  ControlEvent = 30,     // (control item number, part code)
};

// Part codes of ControlEvent, by control class.
constexpr int PartClick = 0;  // push button, check box, radio button
constexpr int PartButtonDoubleClick = 5;
constexpr int PartSelectionChanged = 1;  // combo box, list
constexpr int PartTextChanged = 768;     // edit field
constexpr int PartTabChanged = -551;     // tab control
constexpr int PartThumbReleased = 1;     // scroll bars: the position is already the thumb's
constexpr int PartPageUp = 2;            // page up or left
constexpr int PartPageDown = 3;
constexpr int PartLineUp = 4;  // line up or left
constexpr int PartLineDown = 5;
constexpr int PartThumbDragged = 6;

// Virtual-key codes of KeyDownEvent, KeyUpEvent and IsKeyDown (the classic numbering: letters
// and digits are their upper-case ASCII codes).
constexpr int KeyBackspace = 8, KeyTab = 9, KeyReturn = 13, KeyShift = 16, KeyControl = 17,
              KeyAlt = 18, KeyEscape = 27, KeySpace = 32, KeyPageUp = 33, KeyPageDown = 34,
              KeyEnd = 35, KeyHome = 36, KeyLeft = 37, KeyUp = 38, KeyRight = 39, KeyDown = 40,
              KeyInsert = 45, KeyDelete = 46, KeyF1 = 112;  // F2..F24 follow F1

// A pixel in one event parameter: x in the low 16 bits, y in the high 16, both signed.
inline int PackPoint(int x, int y) {
  return static_cast<int>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) |
                          static_cast<uint16_t>(x));
}
inline Point UnpackPoint(int packed) {
  const auto bits = static_cast<uint32_t>(packed);
  return Point{static_cast<int16_t>(bits & 0xffff), static_cast<int16_t>(bits >> 16)};
}

// EventHandler: the meaning of the result depends on the event; most ignore it.
using EventHandler = std::function<int(int code, WindowRef window, int p1, int p2)>;

// InitPlatform: creates the application object once (later calls reuse it) and clears the
// window list, menus, front and main window. With no display at all it runs offscreen, so the
// command-line program and the tests work anywhere.
bool InitPlatform();
// InitHeadlessPlatform: InitPlatform that never uses a display, even where one is set, for the
// command-line program: no window shows, and alerts go on to standard error.
bool InitHeadlessPlatform();
// HasDisplay: false when running offscreen; boxes then answer without asking anyone.
bool HasDisplay();

// RunEventLoop: sends StartupEvent to the handler, then delivers events until the quit message;
// returns its exit code.
int RunEventLoop(EventHandler applicationHandler);
// QuitApplication: asks the main window to close (QuitEvent may refuse); without a main
// window, ends the main loop with code.
void QuitApplication(int code);
// SendEvent: to the window's own handler if it has one, else to the application handler, else 1.
int SendEvent(int code, WindowRef window, int p1, int p2);

// Idle events come continuously while the application asks for them (animation, telescope
// polling) and IdleIntervalMs apart otherwise, so an idle program leaves the processor alone.
constexpr int IdleIntervalMs = 100;
void SetContinuousIdle(bool on);

WindowRef GetFrontWindow();
void SetFrontWindow(WindowRef window);
WindowRef GetMainWindow();
// SetMouseCapture: mouse events go to window until released (nullptr).
void SetMouseCapture(WindowRef window);

void Delay(int milliseconds);  // pauses without delivering events
// ProcessPendingEvents: delivers the events waiting now, for at most budgetMs, so that long work
// on the event thread (a search run from a dialog) lets clicks and repaints through.
void ProcessPendingEvents(int budgetMs);
uint32_t TickCount();  // milliseconds of a monotonic clock, wrapping at 2^32
void Beep();

void SetArrowCursor();
void SetWaitCursor();
// GetMousePosition: client coordinates of window, or screen coordinates for nullptr.
Point GetMousePosition(WindowRef window);
// IsMouseButtonDown: mask bit 1 left, bit 2 right; true if any asked-for button is down.
bool IsMouseButtonDown(int mask);
bool IsKeyDown(int virtualKey);

int ScreenWidth();
int ScreenHeight();
int ScreenColorDepth();  // bits per pixel

// The 21 system colours (indices 0-20, the classic order: scroll bar, desktop, active caption,
// inactive caption, menu, window, window frame, menu text, window text, caption text, active
// border, inactive border, workspace, highlight, highlight text, button face, button shadow,
// grey text, button text, inactive caption text, button highlight), as 0x00BBGGRR like Color.
constexpr int SystemColorCount = 21;
// GetSystemColorTable: stores the colours at buffer[first..first+20]; returns 21.
int GetSystemColorTable(uint32_t* buffer, int first);
// SetSystemColorTable: sets all 21 from buffer[0..20]; setting a saved table back restores the
// palette exactly. Returns 21.
int SetSystemColorTable(const uint32_t* buffer);
// GetNightColorTable: the 21 colours of the red-screen mode at buffer[0..20]: dark red on black,
// texts in red, grey texts a dimmer red that still stands apart from texts and backgrounds, no
// green or blue anywhere. Returns 21.
int GetNightColorTable(uint32_t* buffer);

}  // namespace qv
