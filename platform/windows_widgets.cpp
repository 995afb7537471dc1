// platform/windows_widgets.cpp - the widgets behind windows and dialogs: they hand Qt's paint,
// resize, activation, close and state events to the event model.
#include <QCloseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWindowStateChangeEvent>

#include "platform/windows_qt.h"

namespace qv {
namespace {

// HandleCommonEvent: input and activation, shared by client areas and dialogs; true if taken.
bool HandleCommonEvent(WindowRef record, QEvent* event) {
  if (!record) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::MouseButtonDblClick:
      DeliverMouse(record, static_cast<QMouseEvent*>(event));
      return true;
    case QEvent::Wheel:
      DeliverWheel(record, static_cast<QWheelEvent*>(event));
      return true;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
      if (record->frame && record->frame->isWindow())
        DeliverActivation(record, event->type() == QEvent::WindowActivate);
      return false;
    default:
      return false;
  }
}

// The system command behind a change of window state, or 0 for none.
int SystemCommandEvent(Qt::WindowStates before, Qt::WindowStates after) {
  if ((after & Qt::WindowMinimized) && !(before & Qt::WindowMinimized)) return WindowMinimizeEvent;
  if ((after & Qt::WindowMaximized) && !(before & Qt::WindowMaximized)) return WindowZoomEvent;
  if (!(after & (Qt::WindowMinimized | Qt::WindowMaximized)) &&
      (before & (Qt::WindowMinimized | Qt::WindowMaximized)))
    return WindowRestoreEvent;
  return 0;
}

}  // namespace

void DeliverPaint(WindowRef window, QWidget* widget, const QRegion& region) {
  QImage* surface = WindowSurface(window);
  if (!surface) return;
  if (window->flags & FlagEraseBackground) {
    QPainter eraser(surface);
    for (const QRect& r : region) eraser.fillRect(r, widget->palette().window());
  }
  window->painting = true;
  SendEvent(WindowUpdateEvent, window, 0, 0);
  if (!IsLiveWindow(window)) return;
  window->painting = false;
  QPainter painter(widget);
  painter.setClipRegion(region);
  painter.drawImage(0, 0, window->surface);
}

void DeliverResize(WindowRef window) {
  if (!window || !window->frame) return;
  WindowSurface(window);  // the surface follows the client's size before anyone draws
  MoveSizeBox(window);
  const QWidget* top = window->frame->window();
  if (top->isMinimized()) return;
  if (!top->isMaximized() && !window->client->isVisible()) return;
  SendEvent(WindowResizedEvent, window, window->client->width(), window->client->height());
}

void DeliverActivation(WindowRef window, bool active) {
  if (!active) {
    SendEvent(WindowDeactivatedEvent, window, 0, 0);
    return;
  }
  if (window == Platform().main) {
    Platform().front = window;  // dialogs never become the front window
    window->client->setFocus(Qt::ActiveWindowFocusReason);
  }
  SendEvent(WindowActivatedEvent, window, 0, 0);
}

ClientWidget::ClientWidget(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);  // moves without a button still make events
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);  // the surface covers every pixel
}

bool ClientWidget::event(QEvent* event) {
  if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && record &&
      DeliverKey(record, static_cast<QKeyEvent*>(event)))
    return true;
  return HandleCommonEvent(record, event) || QWidget::event(event);
}

void ClientWidget::paintEvent(QPaintEvent* event) {
  if (record) DeliverPaint(record, this, event->region());
}

void ClientWidget::resizeEvent(QResizeEvent*) { DeliverResize(record); }

bool MainFrame::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
    HandleCommonEvent(record, event);
  return QMainWindow::event(event);
}

void MainFrame::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (SendEvent(QuitEvent, nullptr, 0, 0) == 0) return;  // the application refused
  hide();
  deleteLater();  // its destruction ends the main loop
}

void MainFrame::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange || !record || record->changingState) return;
  const Qt::WindowStates before = static_cast<QWindowStateChangeEvent*>(event)->oldState();
  const int code = SystemCommandEvent(before, windowState());
  if (code && SendEvent(code, record, 0, 0) == 0) {
    record->changingState = true;  // refused: back to where it was
    setWindowState(before);
    record->changingState = false;
  }
}

DialogWidget::DialogWidget(QWidget* parent) : QDialog(parent) {}

void DialogWidget::reject() {
  if (record) SendEvent(ControlEvent, record, 2, PartClick);  // the Cancel item
}

bool DialogWidget::event(QEvent* event) {
  return HandleCommonEvent(record, event) || QDialog::event(event);
}

void DialogWidget::paintEvent(QPaintEvent* event) {
  if (record) DeliverPaint(record, this, event->region());
}

void DialogWidget::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  DeliverResize(record);
}

void DialogWidget::closeEvent(QCloseEvent* event) {
  event->ignore();  // the handler hides or destroys the dialog itself
  if (record && SendEvent(WindowCloseEvent, record, 0, 0) != 0) reject();
}

}  // namespace qv
