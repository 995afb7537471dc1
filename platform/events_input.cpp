// platform/events_input.cpp - keyboard and mouse: Qt's input events become KeyDown/KeyUp and
// mouse events with the classic rules (double clicks, capture, active window), and the
// asynchronous key and button state.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cstdlib>
#include <set>
#include <utility>

#include "platform/windows_qt.h"

namespace qv {
namespace {

constexpr int DoubleClickSlopPx = 4;  // the second press may be this far from the first

struct LastPress {
  WindowRef window = nullptr;
  Qt::MouseButton button = Qt::NoButton;
  uint32_t time = 0;
  QPoint at;
};

constexpr int WheelUnitsPerNotch = 120;  // Qt's angle delta: eighths of a degree, 15 a notch

LastPress lastPress;
int wheelUnits = 0;  // turned so far toward the next whole notch (touch pads give fractions)
bool pairEnded =
    false;  // the last press was a double click: Qt's own double click that may follow is that one
Qt::MouseButtons buttonsDown;  // as our windows saw them, beside the system's own state
std::set<int> keysDown;

bool IsDoubleClick(WindowRef window, const QMouseEvent* event, uint32_t now) {
  const QPoint at = event->position().toPoint();
  return lastPress.window == window && lastPress.button == event->button() &&
         now - lastPress.time <= static_cast<uint32_t>(QApplication::doubleClickInterval()) &&
         std::abs(at.x() - lastPress.at.x()) <= DoubleClickSlopPx &&
         std::abs(at.y() - lastPress.at.y()) <= DoubleClickSlopPx;
}

bool IsActiveTopLevel(WindowRef window) {
  return window->frame && window->frame->isWindow() && window->frame->isActiveWindow();
}

// The character of a typed key, or 0: Qt gives control characters for Ctrl+letter as well.
int TypedCharacter(const QKeyEvent* event) {
  const QString text = event->text();
  if (text.isEmpty()) return 0;
  const uint code = text.toUcs4().value(0);
  return code == 0x7f ? 0 : static_cast<int>(code);  // Delete is a key, not a character
}

// AcceleratorFilter: the accelerators from whichever of the program's windows has the focus,
// not only the chart. A key that the focused control edits with (Qt asks it through
// ShortcutOverride: Delete or Ctrl+C in a text field) stays the control's.
class AcceleratorFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    auto* widget = qobject_cast<QWidget*>(target);
    // Keys travel up from the focus widget: only its own delivery counts, and the chart's
    // client translates its keys itself.
    if (!widget || widget != QApplication::focusWidget() || qobject_cast<ClientWidget*>(widget) ||
        !RecordOfWidget(widget))
      return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    QKeyEvent asked(QEvent::ShortcutOverride, key->key(), key->modifiers(), key->text());
    asked.ignore();
    QCoreApplication::sendEvent(widget, &asked);
    return !asked.isAccepted() && TranslateAccelerator(key);
  }
};

}  // namespace

void InstallAcceleratorFilter(QApplication* app) {
  app->installEventFilter(new AcceleratorFilter(app));
}

int VirtualKeyOf(int key) {
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return KeyF1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace:
      return KeyBackspace;
    case Qt::Key_Tab:
      return KeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return KeyReturn;
    case Qt::Key_Shift:
      return KeyShift;
    case Qt::Key_Control:
      return KeyControl;
    case Qt::Key_Alt:
      return KeyAlt;
    case Qt::Key_Escape:
      return KeyEscape;
    case Qt::Key_Space:
      return KeySpace;
    case Qt::Key_PageUp:
      return KeyPageUp;
    case Qt::Key_PageDown:
      return KeyPageDown;
    case Qt::Key_End:
      return KeyEnd;
    case Qt::Key_Home:
      return KeyHome;
    case Qt::Key_Left:
      return KeyLeft;
    case Qt::Key_Up:
      return KeyUp;
    case Qt::Key_Right:
      return KeyRight;
    case Qt::Key_Down:
      return KeyDown;
    case Qt::Key_Insert:
      return KeyInsert;
    case Qt::Key_Delete:
      return KeyDelete;
    default:
      return 0;
  }
}

void DeliverMouse(WindowRef window, QMouseEvent* event) {
  const int x = static_cast<int16_t>(event->position().x());
  const int y = static_cast<int16_t>(event->position().y());
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      buttonsDown |= event->button();
      const uint32_t now = TickCount();
      const bool twice = IsDoubleClick(window, event, now);
      // A double click ends the pair: the next press starts a new one.
      lastPress = twice ? LastPress{}
                        : LastPress{window, event->button(), now, event->position().toPoint()};
      pairEnded = twice;
      SendEvent(twice ? DoubleClickEvent : MouseDownEvent, window, x, y);
      return;
    }
    case QEvent::MouseButtonDblClick:
      // Widgets get the second press of a double click as this event alone.
      if (std::exchange(pairEnded, false)) return;
      buttonsDown |= event->button();
      lastPress = LastPress{};
      SendEvent(DoubleClickEvent, window, x, y);
      return;
    case QEvent::MouseButtonRelease:
      buttonsDown &= ~event->button();
      SendEvent(MouseUpEvent, window, x, y);
      return;
    case QEvent::MouseMove: {
      if (Platform().capture != window && !IsActiveTopLevel(window)) return;
      const bool dragging =
          event->buttons() & (Qt::LeftButton | Qt::MiddleButton | Qt::RightButton);
      SendEvent(dragging ? MouseDraggedEvent : MouseMovedEvent, window, x, y);
      return;
    }
    default:
      return;
  }
}

void DeliverWheel(WindowRef window, QWheelEvent* event) {
  wheelUnits += event->angleDelta().y();
  const int notches = wheelUnits / WheelUnitsPerNotch;
  if (notches == 0) return;
  wheelUnits -= notches * WheelUnitsPerNotch;
  const QPoint at = event->position().toPoint();
  SendEvent(MouseWheelEvent, window, notches, PackPoint(at.x(), at.y()));
}

bool DeliverKey(WindowRef window, QKeyEvent* event) {
  const int key = VirtualKeyOf(event->key());
  if (event->type() == QEvent::KeyRelease) {
    if (event->isAutoRepeat()) return true;  // a held key repeats its down event only
    keysDown.erase(key);
    if (key) SendEvent(KeyUpEvent, window, key, 0);
    return true;
  }
  if (TranslateAccelerator(event)) return true;
  if (key) {
    keysDown.insert(key);
    SendEvent(KeyDownEvent, window, key, 0);
  }
  if (const int character = TypedCharacter(event); character && IsLiveWindow(window))
    SendEvent(KeyDownEvent, window, 0, character);
  return true;
}

bool IsMouseButtonDown(int mask) {
  const Qt::MouseButtons down = QGuiApplication::mouseButtons() | buttonsDown;
  return ((mask & 1) && (down & Qt::LeftButton)) || ((mask & 2) && (down & Qt::RightButton));
}

bool IsKeyDown(int virtualKey) {
  if (!HasDisplay()) return keysDown.count(virtualKey) > 0;  // only our own events tell
  const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
  if (virtualKey == KeyShift && (modifiers & Qt::ShiftModifier)) return true;
  if (virtualKey == KeyControl && (modifiers & Qt::ControlModifier)) return true;
  if (virtualKey == KeyAlt && (modifiers & Qt::AltModifier)) return true;
  return keysDown.count(virtualKey) > 0;
}

}  // namespace qv
