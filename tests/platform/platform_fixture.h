// A fresh platform for each test, and a recorder of delivered events.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <vector>

#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/windows.h"
#include "platform/windows_qt.h"

namespace qv {

struct Delivered {
  int code;
  WindowRef window;
  int p1, p2;
  friend bool operator==(const Delivered&, const Delivered&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Delivered& d) {
  return out << "{" << d.code << ", " << d.window << ", " << d.p1 << ", " << d.p2 << "}";
}

class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override { InitPlatform(); }
  void TearDown() override {
    SetModalDialogHook(nullptr);
    InitPlatform();  // destroys what the test made
  }

  // Recorder: a handler that notes every event and answers result.
  EventHandler Recorder(int result = 1) {
    return [this, result](int code, WindowRef window, int p1, int p2) {
      delivered.push_back({code, window, p1, p2});
      return result;
    };
  }
  // The events of one code, in order.
  std::vector<Delivered> Of(int code) const {
    std::vector<Delivered> out;
    for (const Delivered& d : delivered)
      if (d.code == code) out.push_back(d);
    return out;
  }
  // A shown, active main window whose handler records.
  WindowRef ShownMainWindow() {
    WindowRef main =
        CreatePlatformWindow(100, "Quorvane", 10, 10, 400, 300, true, 31, 0, Recorder());
    SelectPlatformWindow(main);
    QApplication::processEvents();
    return main;
  }

  std::vector<Delivered> delivered;
};

// Synthetic input, delivered straight to the widget as the window system would.
inline void SendMouse(QWidget* widget, QEvent::Type type, int x, int y, Qt::MouseButton button,
                      Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(x, y), widget->mapToGlobal(QPointF(x, y)), button, buttons,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}

inline void SendKey(QWidget* widget, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
                    const QString& text = {}) {
  QKeyEvent event(type, key, modifiers, text);
  QCoreApplication::sendEvent(widget, &event);
}

}  // namespace qv
