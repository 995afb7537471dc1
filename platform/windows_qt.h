// platform/windows_qt.h - the Qt side of windows and dialogs, for platform/ only: the window
// record, the widgets that turn Qt's events into numbered events, and the drawing seam.
//
// Drawing seam: every window and dialog has a surface, a client-sized RGB32 image. The update
// event (sent while the window paints) draws into it; the widget then shows it. Drawing at
// other times goes into the surface too and ShowWindowSurface makes it appear.
#pragma once

#include <QDialog>
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/events.h"
#include "platform/strings.h"

class QApplication;
class QEventLoop;

namespace qv {

constexpr uint32_t FlagEraseBackground = 1;  // the system erases before each update

struct WindowRecord {
  QPointer<QWidget> frame;   // the top-level widget, or the child widget of a tool window
  QPointer<QWidget> client;  // where client coordinates start and events arrive
  EventHandler handler;      // may be empty: events then go to the application
  intptr_t reference = 0;
  uint32_t flags = FlagEraseBackground;
  int resourceNumber = 0;
  bool dialog = false;
  QImage surface;
  bool painting = false;       // inside the update event: a repaint request would loop
  bool changingState = false;  // the program itself maximises: no system-command event
};

struct PlatformState {
  EventHandler application;
  WindowRef main = nullptr;
  WindowRef front = nullptr;
  WindowRef capture = nullptr;
  std::vector<std::unique_ptr<WindowRecord>> windows;  // newest last
  bool continuousIdle = false;
  bool quitPosted = false;
  int exitCode = 0;
  std::vector<QEventLoop*> loops;  // the main loop, then nested modal loops
};
PlatformState& Platform();
// PostQuit: ends the main loop (and any modal loop inside it) with code.
void PostQuit(int code);
bool IsModalDialogUp();       // dialogs.cpp
void ResetMenus();            // menus.cpp: forget the bar (InitPlatform)
void InstallBoxPresenters();  // boxes.cpp: message boxes when there is a display
// InNightColors (windows_colors.cpp): the picture as the night colours show it (its brightness
// in a dim red, transparency kept) while they are set; otherwise the picture itself.
QPixmap InNightColors(const QPixmap& picture);

// Records: found from any widget of the window through its top-level or client widget.
WindowRef AttachRecord(QWidget* frame, QWidget* client, int resourceNumber, intptr_t reference,
                       EventHandler handler, bool dialog);
WindowRef RecordOfWidget(const QWidget* widget);
bool IsLiveWindow(WindowRef window);  // still in the list (not destroyed)
void ForgetRecord(WindowRef window);  // called when its widget is destroyed

void MoveSizeBox(WindowRef window);  // on every resize, before WindowResizedEvent

// Drawing seam (see above).
QImage* WindowSurface(WindowRef window);
void ShowWindowSurface(WindowRef window, const Rect* area);

// Event translation, called by the widgets.
void DeliverPaint(WindowRef window, QWidget* widget, const QRegion& region);
void DeliverResize(WindowRef window);
void DeliverMouse(WindowRef window, QMouseEvent* event);
bool DeliverKey(WindowRef window, QKeyEvent* event);  // false: not ours
void DeliverWheel(WindowRef window, QWheelEvent* event);
void DeliverActivation(WindowRef window, bool active);
void DispatchCommand(int command);  // a menu item or accelerator: MenuEvent to front, then app
bool TranslateAccelerator(const QKeyEvent* event);  // true: a command was sent (menus.cpp)
int VirtualKeyOf(int qtKey);
// InstallAcceleratorFilter: accelerators work in every window of the program (events_input.cpp).
void InstallAcceleratorFilter(QApplication* app);

// The client area of ordinary windows.
class ClientWidget : public QWidget {
  Q_OBJECT

 public:
  explicit ClientWidget(QWidget* parent);
  WindowRef record = nullptr;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
};

// The main window's frame: the menu bar above the client.
class MainFrame : public QMainWindow {
  Q_OBJECT

 public:
  WindowRef record = nullptr;

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
};

// Every dialog: Escape and the close box act as the Cancel item (2), as dialogs always have.
class DialogWidget : public QDialog {
  Q_OBJECT

 public:
  explicit DialogWidget(QWidget* parent);
  WindowRef record = nullptr;

  void reject() override;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
};

// Controls: every child widget with an "item" property speaks through ControlEvent.
QWidget* FindItem(WindowRef window, int item);
void ConnectControl(WindowRef window, QWidget* control, int item);

// TextOf: UTF-8, cut to maxBytes without splitting a character.
std::string TextOf(const QString& text, size_t maxBytes = StringMaxLength);

// The parent of boxes: the active window, else the main window, else none.
QWidget* BoxParent();

}  // namespace qv
