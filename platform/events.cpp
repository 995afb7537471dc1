// platform/events.cpp - the application object, the main loop with its idle events, event
// delivery, quitting, the clock and the screen.
#include "platform/events.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QScreen>
#include <QTimer>
#include <chrono>
#include <thread>

#include "platform/boxes_qt.h"
#include "platform/windows.h"
#include "platform/windows_qt.h"

namespace qv {
namespace {

QTimer* idleTimer = nullptr;  // lives while the main loop runs
bool inIdle = false;          // an idle handler that pumps events must not get idle again
bool waitCursor = false;

// ChoosePlatformPlugin: without any display, Qt would abort; fall back to offscreen instead.
void ChoosePlatformPlugin() {
  if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
  QByteArray plugins;  // the first that connects is used
  if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) plugins += "wayland;";
  if (!qEnvironmentVariableIsEmpty("DISPLAY")) plugins += "xcb;";
  qputenv("QT_QPA_PLATFORM", plugins + "offscreen");
}

void CreateApplication() {
  static int argc = 1;
  static char name[] = "quorvane";
  static char* argv[] = {name, nullptr};
  ChoosePlatformPlugin();
  auto* app = new QApplication(argc, argv);  // lives for the rest of the run
  app->setQuitOnLastWindowClosed(false);     // the main window's destruction quits
  InstallAcceleratorFilter(app);
  QObject::connect(app, &QGuiApplication::applicationStateChanged, [](Qt::ApplicationState s) {
    if (s == Qt::ApplicationActive) SendEvent(ResumeEvent, nullptr, 0, 0);
    if (s == Qt::ApplicationInactive) SendEvent(SuspendEvent, nullptr, 0, 0);
  });
}

void SendIdle() {
  if (inIdle || IsModalDialogUp() || IsBoxUp() || Platform().quitPosted) return;
  inIdle = true;
  SendEvent(IdleEvent, nullptr, 0, 0);
  inIdle = false;
}

}  // namespace

PlatformState& Platform() {
  static PlatformState state;
  return state;
}

bool InitPlatform() {
  if (!QCoreApplication::instance()) CreateApplication();
  PlatformState& p = Platform();
  while (!p.windows.empty()) {  // destroying a window unlinks its record (and its children's)
    WindowRecord* last = p.windows.back().get();
    delete last->frame.data();
    if (!p.windows.empty() && p.windows.back().get() == last) p.windows.pop_back();
  }
  p = PlatformState{};
  ResetMenus();
  InstallBoxPresenters();
  return true;
}

namespace {

// Qt's own notes (offscreen windows that cannot be raised, a missing runtime folder) mean
// nothing to a user of the command line; its critical messages still go through.
void DropQtNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg) return;
  qt_message_output(type, context, message);
}

}  // namespace

bool InitHeadlessPlatform() {
  if (!QCoreApplication::instance()) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(DropQtNotes);
  return InitPlatform();
}

bool HasDisplay() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
  const QString name = QGuiApplication::platformName();
  return name != "offscreen" && name != "minimal";
}

int RunEventLoop(EventHandler applicationHandler) {
  PlatformState& p = Platform();
  p.application = std::move(applicationHandler);
  p.quitPosted = false;
  SendEvent(StartupEvent, nullptr, 0, 0);
  if (p.quitPosted) return p.exitCode;
  QTimer timer;
  timer.setInterval(p.continuousIdle ? 0 : IdleIntervalMs);
  QObject::connect(&timer, &QTimer::timeout, SendIdle);
  idleTimer = &timer;
  timer.start();
  QEventLoop loop;
  p.loops.push_back(&loop);
  loop.exec();
  p.loops.clear();
  idleTimer = nullptr;
  return p.exitCode;
}

void PostQuit(int code) {
  PlatformState& p = Platform();
  p.quitPosted = true;
  p.exitCode = code;
  for (QEventLoop* loop : p.loops) loop->exit(code);
}

void QuitApplication(int code) {
  if (WindowRef main = Platform().main)
    main->frame->close();  // the close request: QuitEvent may refuse
  else
    PostQuit(code);
}

int SendEvent(int code, WindowRef window, int p1, int p2) {
  if (window && IsLiveWindow(window) && window->handler)
    return window->handler(code, window, p1, p2);
  if (Platform().application) return Platform().application(code, window, p1, p2);
  return 1;
}

void SetContinuousIdle(bool on) {
  Platform().continuousIdle = on;
  if (idleTimer) idleTimer->setInterval(on ? 0 : IdleIntervalMs);
}

WindowRef GetFrontWindow() { return Platform().front; }
void SetFrontWindow(WindowRef window) { Platform().front = window; }
WindowRef GetMainWindow() { return Platform().main; }

void SetMouseCapture(WindowRef window) {
  PlatformState& p = Platform();
  if (p.capture && IsLiveWindow(p.capture) && p.capture->client) p.capture->client->releaseMouse();
  p.capture = window;
  if (window && window->client && window->client->isVisible()) window->client->grabMouse();
}

void Delay(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));  // no events meanwhile
}

void ProcessPendingEvents(int budgetMs) {
  if (QCoreApplication::instance())
    QCoreApplication::processEvents(QEventLoop::AllEvents, budgetMs);
}

uint32_t TickCount() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void Beep() { QApplication::beep(); }

void SetArrowCursor() {
  if (waitCursor) QApplication::restoreOverrideCursor();
  waitCursor = false;
}

void SetWaitCursor() {
  // Without a GUI application (qv, tests of the file code) there is no cursor to change.
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  if (!waitCursor) QApplication::setOverrideCursor(Qt::WaitCursor);
  waitCursor = true;
}

Point GetMousePosition(WindowRef window) {
  QPoint at = QCursor::pos();
  if (window && IsLiveWindow(window) && window->client) at = window->client->mapFromGlobal(at);
  return Point{static_cast<int16_t>(at.x()), static_cast<int16_t>(at.y())};
}

int ScreenWidth() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : 0;
}

int ScreenHeight() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().height() : 0;
}

int ScreenColorDepth() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->depth() : 0;
}

}  // namespace qv
