// platform/windows.cpp - window records, creation, visibility and geometry.
#include "platform/windows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QScreen>
#include <QSizeGrip>
#include <QStyle>
#include <QWindow>
#include <algorithm>

#include "platform/draw_window.h"
#include "platform/windows_qt.h"

namespace qv {
namespace {

constexpr char RecordProperty[] = "qvRecord";
constexpr int ExposeWaitMs = 500;  // a display server slower than this shows the window late
constexpr int ExposeWaitStepMs = 10;
constexpr char ExposeWaitedProperty[] = "qvExposeWaited";  // the wait is done once per window

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

Qt::WindowFlags FlagsFromStyle(int style) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
  if (style & StyleTitleBar) flags |= Qt::WindowTitleHint;
  if (style & StyleSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (style & StyleMaximizeBox) flags |= Qt::WindowMaximizeButtonHint;
  if (style & StyleMinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  return flags;
}

void CreateSizeBox(QWidget* client) {
  auto* grip = new QSizeGrip(client);
  const int size = client->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  grip->setProperty("item", SizeBoxItem);
  grip->resize(size, size);
  grip->hide();
}

QSizeGrip* SizeBoxOf(WindowRef window) {
  return window && window->client ? window->client->findChild<QSizeGrip*>() : nullptr;
}

// Geometry of a new window: coordinates or sizes below 1 keep the system's defaults.
void PlaceNewWindow(QWidget* frame, int left, int top, int width, int height) {
  if (width >= 1 && height >= 1) frame->resize(width, height);
  if (left >= 1 && top >= 1) frame->move(left, top);
}

WindowRef CreateMainWindow(int resourceNumber, const char* title, int style, intptr_t reference,
                           EventHandler handler) {
  auto* frame = new MainFrame;
  frame->setWindowFlags(FlagsFromStyle(style));
  if (!(style & StyleResizable)) frame->setFixedSize(frame->size());
  auto* client = new ClientWidget(frame);
  frame->setCentralWidget(client);
  frame->setWindowTitle(QString::fromUtf8(title ? title : ""));
  WindowRef record =
      AttachRecord(frame, client, resourceNumber, reference, std::move(handler), false);
  frame->record = record;
  client->record = record;
  Platform().main = record;
  return record;
}

WindowRef CreateToolWindow(int resourceNumber, intptr_t reference, EventHandler handler) {
  auto* client = new ClientWidget(Platform().main->client);
  WindowRef record =
      AttachRecord(client, client, resourceNumber, reference, std::move(handler), false);
  client->record = record;
  return record;
}

}  // namespace

WindowRef AttachRecord(QWidget* frame, QWidget* client, int resourceNumber, intptr_t reference,
                       EventHandler handler, bool dialog) {
  auto record = std::make_unique<WindowRecord>();
  record->frame = frame;
  record->client = client;
  record->handler = std::move(handler);
  record->reference = reference;
  record->resourceNumber = resourceNumber;
  record->dialog = dialog;
  WindowRef ref = record.get();
  const QVariant value = QVariant::fromValue(reinterpret_cast<quintptr>(ref));
  frame->setProperty(RecordProperty, value);
  client->setProperty(RecordProperty, value);
  QObject::connect(frame, &QObject::destroyed, [ref] { ForgetRecord(ref); });
  Platform().windows.push_back(std::move(record));
  WindowSurface(ref);  // sized to the client from the start
  AttachWindowSurface(ref, &ref->surface, [ref] { ShowWindowSurface(ref, nullptr); });
  return ref;
}

WindowRef RecordOfWidget(const QWidget* widget) {
  for (; widget; widget = widget->parentWidget()) {
    const QVariant value = widget->property(RecordProperty);
    if (value.isValid()) return reinterpret_cast<WindowRef>(value.value<quintptr>());
  }
  return nullptr;
}

bool IsLiveWindow(WindowRef window) {
  const auto& list = Platform().windows;
  return std::any_of(list.begin(), list.end(),
                     [window](const auto& r) { return r.get() == window; });
}

void ForgetRecord(WindowRef window) {
  PlatformState& p = Platform();
  auto it = std::find_if(p.windows.begin(), p.windows.end(),
                         [window](const auto& r) { return r.get() == window; });
  if (it == p.windows.end()) return;
  DetachWindowSurface(window);
  if (p.front == window) p.front = nullptr;
  if (p.capture == window) p.capture = nullptr;
  const bool wasMain = p.main == window;
  if (wasMain) p.main = nullptr;
  p.windows.erase(it);
  if (wasMain) PostQuit(0);
}

WindowRef CreatePlatformWindow(int resourceNumber, const char* title, int left, int top, int width,
                               int height, bool visible, int styleFlags, intptr_t referenceValue,
                               EventHandler handler) {
  if (Platform().main && !(styleFlags & StyleChild)) return nullptr;  // only one top level
  WindowRef record =
      Platform().main
          ? CreateToolWindow(resourceNumber, referenceValue, std::move(handler))
          : CreateMainWindow(resourceNumber, title, styleFlags, referenceValue, std::move(handler));
  PlaceNewWindow(record->frame, left, top, width, height);
  WindowSurface(record);
  CreateSizeBox(record->client);
  SendEvent(WindowCreatedEvent, record, 0, 0);
  if (visible && IsLiveWindow(record)) record->frame->show();
  return IsLiveWindow(record) ? record : nullptr;
}

void DisposePlatformWindow(WindowRef window) {
  if (window && IsLiveWindow(window)) delete window->frame.data();
}

intptr_t GetWindowReference(WindowRef window) { return window ? window->reference : 0; }
int GetWindowResourceNumber(WindowRef window) { return window ? window->resourceNumber : 0; }

void SetEraseBackground(WindowRef window, bool on) {
  if (!window) return;
  window->flags =
      on ? (window->flags | FlagEraseBackground) : (window->flags & ~FlagEraseBackground);
}

void SetWindowTitle(WindowRef window, const char* title) {
  if (window && window->frame) window->frame->setWindowTitle(QString::fromUtf8(title ? title : ""));
}

void ShowPlatformWindow(WindowRef window) {
  if (!window || !window->frame) return;
  window->frame->setAttribute(Qt::WA_ShowWithoutActivating);
  window->frame->show();
  window->frame->setAttribute(Qt::WA_ShowWithoutActivating, false);
}

void HidePlatformWindow(WindowRef window) {
  if (window && window->frame) window->frame->hide();
}

void SelectPlatformWindow(WindowRef window) {
  if (!window || !window->frame) return;
  window->frame->show();
  window->frame->raise();
  window->frame->activateWindow();
}

void MaximizePlatformWindow(WindowRef window) {
  if (!window || !window->frame) return;
  window->changingState = true;
  window->frame->showMaximized();
  window->changingState = false;
}

bool IsWindowMinimized(WindowRef window) {
  return window && window->frame && window->frame->isMinimized();
}

bool IsPlatformWindowVisible(WindowRef window) {
  return window && window->frame && window->frame->isVisible();
}

void InvalidateWindow(WindowRef window, const Rect* area) {
  if (!window || !window->client) return;
  if (area)
    window->client->update(ToQRect(*area));
  else
    window->client->update();
}

void UpdateWindowNow(WindowRef window) {
  if (!window || !window->client || !window->client->isVisible()) return;
  // A window just shown is not on the screen until the display server maps it, and a paint
  // before that is lost: the window would stay blank through any work that follows. So wait
  // (briefly, without user input) for it to be exposed, once: a window minimised later is not
  // exposed either, and each redraw of an animation would wait for nothing.
  if (!window->client->property(ExposeWaitedProperty).toBool()) {
    window->client->setProperty(ExposeWaitedProperty, true);
    const QWindow* handle = window->client->window()->windowHandle();
    QElapsedTimer waited;
    waited.start();
    while (handle && !handle->isExposed() && waited.elapsed() < ExposeWaitMs)
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, ExposeWaitStepMs);
  }
  window->client->repaint();
}

Rect GetClientRectangle(WindowRef window) {
  if (!window || !window->client) return Rect{};
  return Rect{0, 0, window->client->width(), window->client->height()};
}

void SetWindowClientRectangle(WindowRef window, const Rect& rect) {
  if (!window || !window->frame) return;
  QWidget* frame = window->frame;
  // The client may sit below a menu bar: move the frame by the client's offset in it.
  const QPoint offset = window->client->mapTo(frame, QPoint(0, 0));
  const QSize extra = frame->size() - window->client->size();
  frame->setGeometry(rect.left - offset.x(), rect.top - offset.y(), RectWidth(rect) + extra.width(),
                     RectHeight(rect) + extra.height());
}

void CenterOnScreen(WindowRef window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!window || !window->frame || !screen) return;
  QWidget* frame = window->frame;
  const QRect outer = frame->frameGeometry();
  const QPoint corner = screen->geometry().center() - QPoint(outer.width() / 2, outer.height() / 2);
  frame->move(corner);
}

void GetChartAreaRectangles(WindowRef window, Rect* verticalBar, Rect* horizontalBar,
                            Rect* content) {
  const Rect client = GetClientRectangle(window);
  const int bar = window && window->client
                      ? window->client->style()->pixelMetric(QStyle::PM_ScrollBarExtent)
                      : 0;
  Rect area = client;
  if (verticalBar) area.right -= bar - 1;
  if (horizontalBar) area.bottom -= bar - 1;
  if (verticalBar) *verticalBar = Rect{area.right, client.top, client.right, area.bottom};
  if (horizontalBar) *horizontalBar = Rect{client.left, area.bottom, area.right, client.bottom};
  if (content) *content = area;
}

void ShowSizeBox(WindowRef window) {
  if (QSizeGrip* grip = SizeBoxOf(window)) grip->show();
}

void HideSizeBox(WindowRef window) {
  if (QSizeGrip* grip = SizeBoxOf(window)) grip->hide();
}

// Called on every resize, before the resize event: the grip stays in the corner.
void MoveSizeBox(WindowRef window) {
  QSizeGrip* grip = SizeBoxOf(window);
  if (!grip) return;
  grip->move(window->client->width() - grip->width(), window->client->height() - grip->height());
  grip->setEnabled(!window->frame->window()->isMaximized());
}

QImage* WindowSurface(WindowRef window) {
  if (!window || !IsLiveWindow(window) || !window->client) return nullptr;
  const QSize size = window->client->size();
  if (window->surface.size() != size) {
    QImage grown(size, QImage::Format_RGB32);
    grown.fill(window->client->palette().window().color());
    QPainter(&grown).drawImage(0, 0, window->surface);  // keep what was drawn
    window->surface = std::move(grown);
  }
  return &window->surface;
}

void ShowWindowSurface(WindowRef window, const Rect* area) {
  if (!window || !IsLiveWindow(window) || window->painting || !window->client) return;
  // At once, as drawing into a window always showed; inside another window's paint Qt allows
  // no nested repaint, so there it waits for the next paint.
  const bool anyPainting = std::any_of(Platform().windows.begin(), Platform().windows.end(),
                                       [](const auto& r) { return r->painting; });
  if (anyPainting || !window->client->isVisible())
    InvalidateWindow(window, area);
  else if (area)
    window->client->repaint(ToQRect(*area));
  else
    window->client->repaint();
}

QWidget* BoxParent() {
  if (QWidget* active = QApplication::activeWindow()) return active;
  return Platform().main ? Platform().main->frame.data() : nullptr;
}

}  // namespace qv
