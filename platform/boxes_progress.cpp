// platform/boxes_progress.cpp - the progress box: PROGRESSBOX made once and reused, modal while
// open, pumping events at most every 100 ms so that Cancel and repaints get through.
#include <QApplication>
#include <QProgressBar>
#include <algorithm>

#include "platform/alert.h"
#include "platform/boxes_qt.h"
#include "platform/dialogs.h"
#include "platform/windows.h"
#include "platform/windows_qt.h"

namespace qv {
namespace {

constexpr int TextItem = 1, CancelItem = 2, BarItem = 3;
constexpr uint32_t PumpIntervalMs = 101;  // a call sooner than this after the last pump skips it
constexpr int PumpBudgetMs = 100;         // a pump stops after this long

QPointer<QWidget> boxFrame;  // the record goes with the widget: a WindowRef alone could dangle
bool cancelled = false;
uint32_t lastPump = 0;
int barWidth = 0;

int ProgressBoxHandler(int code, WindowRef, int p1, int) {
  if (code == ControlEvent && p1 == CancelItem) {
    cancelled = true;
    return 0;
  }
  return code == WindowCloseEvent ? 0 : 1;  // the box closes only through CloseProgress
}

QProgressBar* Bar() { return qobject_cast<QProgressBar*>(FindItem(ProgressBoxWindow(), BarItem)); }

}  // namespace

WindowRef ProgressBoxWindow() { return boxFrame ? RecordOfWidget(boxFrame) : nullptr; }

bool ProgressBoxOpen(const char* message, const char* title, bool cancellable) {
  if (!QApplication::instance()) return false;
  WindowRef box = ProgressBoxWindow();
  if (!box) box = CreateNamedDialog(ProgressBoxLayout, 0, ProgressBoxHandler);
  if (!box) return false;
  boxFrame = box->frame;
  if (title) SetWindowTitle(box, title);
  if (message) SetItemText(box, TextItem, message);
  ShowItem(box, CancelItem, cancellable);
  cancelled = false;
  lastPump = TickCount() - PumpIntervalMs;  // the first update pumps
  if (QProgressBar* bar = Bar()) {
    barWidth = std::max(1, bar->width());
    bar->setRange(0, barWidth);  // one step per pixel
    bar->setValue(0);
  }
  CenterOnScreen(box);
  BeginModal(box);
  return true;
}

bool ProgressBoxMove(double fraction) {
  if (!ProgressBoxWindow()) return true;
  QProgressBar* bar = Bar();
  const int position = static_cast<int>(barWidth * std::clamp(fraction, 0.0, 1.0));
  if (bar && bar->value() != position) bar->setValue(position);
  const uint32_t now = TickCount();
  if (now - lastPump >= PumpIntervalMs) {
    lastPump = now;
    QCoreApplication::processEvents(QEventLoop::AllEvents, PumpBudgetMs);
  }
  return !cancelled;
}

void ProgressBoxClose() {
  WindowRef box = ProgressBoxWindow();
  if (!box) return;
  EndModal(box);
  HidePlatformWindow(box);
}

}  // namespace qv
