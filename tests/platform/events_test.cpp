// The event model: the main loop and idle, quitting, delivery rules, input translation, the
// window events, accelerators and the system colours.
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "platform/draw.h"
#include "platform/menus.h"
#include "platform_fixture.h"

namespace qv {
namespace {

using EventLoop = PlatformTest;

TEST_F(EventLoop, StartsThenDeliversIdleRepeatedlyUntilQuit) {
  SetContinuousIdle(true);
  int idles = 0;
  const int code = RunEventLoop([&](int event, WindowRef window, int, int) {
    delivered.push_back({event, window, 0, 0});
    if (event == IdleEvent && ++idles == 5) QuitApplication(7);  // no main window: ends at once
    return 1;
  });
  EXPECT_EQ(code, 7);
  ASSERT_FALSE(delivered.empty());
  EXPECT_EQ(delivered.front().code, StartupEvent);
  EXPECT_EQ(Of(IdleEvent).size(), 5u);  // none after the quit
}

TEST_F(EventLoop, NoIdleWhileAModalDialogIsUp) {
  SetContinuousIdle(true);
  bool modal = false;
  int idlesDuringModal = 0, idles = 0;
  SetModalDialogHook([](WindowRef, int) { QTimer::singleShot(40, [] { EndModalDialog(1); }); });
  RunEventLoop([&](int event, WindowRef, int, int) {
    if (event != IdleEvent) return 1;
    idlesDuringModal += modal;
    if (++idles == 1) {
      modal = true;
      EXPECT_EQ(RunModalDialog(AboutBoxDialog, 0, nullptr), 1);
      modal = false;
    }
    if (idles == 3) QuitApplication(0);
    return 1;
  });
  EXPECT_EQ(idlesDuringModal, 0);
  EXPECT_EQ(idles, 3);
}

TEST_F(EventLoop, CloseRequestBecomesQuitEventWhichMayRefuse) {
  int quitEvents = 0, idles = 0;
  const int code = RunEventLoop([&](int event, WindowRef, int, int) {
    if (event == StartupEvent) ShownMainWindow();
    if (event == QuitEvent) return ++quitEvents == 1 ? 0 : 1;  // refuse the first
    if (event == IdleEvent && ++idles <= 2) {
      QuitApplication(5);
      if (idles == 1) {
        EXPECT_NE(GetMainWindow(), nullptr) << "a refused quit keeps the window";
      }
    }
    return 1;
  });
  EXPECT_EQ(quitEvents, 2);
  EXPECT_EQ(code, 0);  // the destroyed main window quits with 0
  EXPECT_EQ(GetMainWindow(), nullptr);
}

using Delivery = PlatformTest;

TEST_F(Delivery, WindowHandlerThenApplicationThenOne) {
  EXPECT_EQ(SendEvent(MenuEvent, nullptr, 1, 2), 1);  // nobody to ask
  Platform().application = [](int, WindowRef, int, int) { return 9; };
  WindowRef main = CreatePlatformWindow(100, "t", 0, 0, 0, 0, false, 31, 0,
                                        [](int, WindowRef, int, int) { return 4; });
  WindowRef tool = CreatePlatformWindow(101, "t", 0, 0, 0, 0, false, StyleChild, 0, nullptr);
  EXPECT_EQ(SendEvent(MenuEvent, main, 1, 2), 4);
  EXPECT_EQ(SendEvent(MenuEvent, tool, 1, 2), 9);  // no handler of its own
  EXPECT_EQ(SendEvent(MenuEvent, nullptr, 1, 2), 9);
}

TEST_F(Delivery, SecondTopLevelWindowIsRefusedAndCreationIsAnnounced) {
  WindowRef main = CreatePlatformWindow(100, "t", 0, 0, 0, 0, false, 31, 1234, Recorder());
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(GetMainWindow(), main);
  EXPECT_EQ(GetWindowReference(main), 1234);
  EXPECT_EQ(CreatePlatformWindow(100, "t", 0, 0, 0, 0, false, 31, 0, nullptr), nullptr);
  EXPECT_EQ(Of(WindowCreatedEvent), (std::vector<Delivered>{{WindowCreatedEvent, main, 0, 0}}));
}

using Input = PlatformTest;

TEST_F(Input, MousePressesReleasesDoubleClicksAndDrags) {
  WindowRef main = ShownMainWindow();
  ASSERT_TRUE(main->frame->isActiveWindow());
  QWidget* client = main->client;
  delivered.clear();
  SendMouse(client, QEvent::MouseButtonPress, 10, 20, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(IsMouseButtonDown(1));
  EXPECT_FALSE(IsMouseButtonDown(2));
  SendMouse(client, QEvent::MouseButtonRelease, 10, 20, Qt::LeftButton, Qt::NoButton);
  SendMouse(client, QEvent::MouseButtonPress, 12, 21, Qt::LeftButton,
            Qt::LeftButton);  // within 4 px
  SendMouse(client, QEvent::MouseButtonDblClick, 12, 21, Qt::LeftButton, Qt::LeftButton);
  SendMouse(client, QEvent::MouseButtonRelease, 12, 21, Qt::LeftButton, Qt::NoButton);
  SendMouse(client, QEvent::MouseButtonPress, 12, 21, Qt::LeftButton,
            Qt::LeftButton);  // a third: new pair
  SendMouse(client, QEvent::MouseMove, 30, 40, Qt::NoButton, Qt::LeftButton);
  SendMouse(client, QEvent::MouseButtonRelease, 30, 40, Qt::LeftButton, Qt::NoButton);
  SendMouse(client, QEvent::MouseMove, 31, 41, Qt::NoButton, Qt::NoButton);
  SendMouse(client, QEvent::MouseButtonPress, 100, 100, Qt::RightButton, Qt::RightButton);
  SendMouse(client, QEvent::MouseButtonPress, 120, 100, Qt::RightButton,
            Qt::RightButton);  // too far
  const std::vector<Delivered> want = {
      {MouseDownEvent, main, 10, 20},   {MouseUpEvent, main, 10, 20},
      {DoubleClickEvent, main, 12, 21}, {MouseUpEvent, main, 12, 21},
      {MouseDownEvent, main, 12, 21},   {MouseDraggedEvent, main, 30, 40},
      {MouseUpEvent, main, 30, 40},     {MouseMovedEvent, main, 31, 41},
      {MouseDownEvent, main, 100, 100}, {MouseDownEvent, main, 120, 100}};
  EXPECT_EQ(delivered, want);
}

// Widgets get the second press of a double click as Qt's double-click event alone.
TEST_F(Input, DoubleClickWithoutItsSecondPressIsStillADoubleClick) {
  WindowRef main = ShownMainWindow();
  QWidget* client = main->client;
  delivered.clear();
  SendMouse(client, QEvent::MouseButtonPress, 50, 60, Qt::LeftButton, Qt::LeftButton);
  SendMouse(client, QEvent::MouseButtonRelease, 50, 60, Qt::LeftButton, Qt::NoButton);
  SendMouse(client, QEvent::MouseButtonDblClick, 51, 60, Qt::LeftButton, Qt::LeftButton);
  EXPECT_TRUE(IsMouseButtonDown(1));
  SendMouse(client, QEvent::MouseButtonRelease, 51, 60, Qt::LeftButton, Qt::NoButton);
  SendMouse(client, QEvent::MouseButtonPress, 51, 60, Qt::LeftButton,
            Qt::LeftButton);  // a third: new pair
  const std::vector<Delivered> want = {{MouseDownEvent, main, 50, 60},
                                       {MouseUpEvent, main, 50, 60},
                                       {DoubleClickEvent, main, 51, 60},
                                       {MouseUpEvent, main, 51, 60},
                                       {MouseDownEvent, main, 51, 60}};
  EXPECT_EQ(delivered, want);
}

TEST_F(Input, MovesReachOnlyTheActiveWindowOrTheCaptureHolder) {
  WindowRef main = ShownMainWindow();
  WindowRef tool =
      CreatePlatformWindow(101, "tool", 0, 0, 100, 100, true, StyleChild, 0, Recorder());
  delivered.clear();
  SendMouse(tool->client, QEvent::MouseMove, 5, 6, Qt::NoButton, Qt::NoButton);
  EXPECT_TRUE(delivered.empty()) << "a tool window is never the active window";
  SetMouseCapture(tool);
  SendMouse(tool->client, QEvent::MouseMove, 5, 6, Qt::NoButton, Qt::NoButton);
  SetMouseCapture(nullptr);
  SendMouse(tool->client, QEvent::MouseMove, 7, 8, Qt::NoButton, Qt::NoButton);
  SendMouse(main->client, QEvent::MouseMove, 9, 9, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(delivered,
            (std::vector<Delivered>{{MouseMovedEvent, tool, 5, 6}, {MouseMovedEvent, main, 9, 9}}));
}

TEST_F(Input, KeysArriveAsVirtualKeysThenTypedCharacters) {
  WindowRef main = ShownMainWindow();
  delivered.clear();
  SendKey(main->client, QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
  EXPECT_TRUE(IsKeyDown(KeyShift));
  SendKey(main->client, QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, "A");
  SendKey(main->client, QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier, "A");
  SendKey(main->client, QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
  EXPECT_FALSE(IsKeyDown(KeyShift));
  SendKey(main->client, QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  SendKey(main->client, QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  SendKey(main->client, QEvent::KeyPress, Qt::Key_T, Qt::NoModifier, "t");
  const std::vector<Delivered> want = {
      {KeyDownEvent, main, KeyShift, 0},  {KeyDownEvent, main, 'A', 0},
      {KeyDownEvent, main, 0, 'A'},       {KeyUpEvent, main, 'A', 0},
      {KeyUpEvent, main, KeyShift, 0},    {KeyDownEvent, main, KeyLeft, 0},
      {KeyDownEvent, main, KeyReturn, 0}, {KeyDownEvent, main, 0, '\r'},
      {KeyDownEvent, main, 'T', 0},       {KeyDownEvent, main, 0, 't'}};
  EXPECT_EQ(delivered, want);
}

TEST_F(Input, WheelTurnsArriveAsWholeNotchesAtThePointer) {
  WindowRef main = ShownMainWindow();
  delivered.clear();
  const auto turn = [&](int units, int x, int y) {
    QWheelEvent event(QPointF(x, y), main->client->mapToGlobal(QPointF(x, y)), QPoint(),
                      QPoint(0, units), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(main->client, &event);
  };
  turn(120, 30, 40);   // one notch away from the user
  turn(-240, 5, 300);  // two toward
  turn(60, 7, 8);      // half a notch (a touch pad) is kept until the next half
  turn(60, 9, 10);
  EXPECT_EQ(Of(MouseWheelEvent),
            (std::vector<Delivered>{{MouseWheelEvent, main, 1, PackPoint(30, 40)},
                                    {MouseWheelEvent, main, -2, PackPoint(5, 300)},
                                    {MouseWheelEvent, main, 1, PackPoint(9, 10)}}));
  EXPECT_EQ(UnpackPoint(PackPoint(-3, 300)), (Point{-3, 300}));
}

TEST_F(Input, AcceleratorsSendMenuCommandsUnlessTheItemIsGrayed) {
  WindowRef main = ShownMainWindow();
  ASSERT_EQ(GetFrontWindow(), main);
  std::vector<Delivered> app;
  Platform().application = [&](int code, WindowRef w, int p1, int p2) {
    app.push_back({code, w, p1, p2});
    return 1;
  };
  ASSERT_NE(LoadMenuBar(MenuBarResource), nullptr);
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    int menu, item;
  } keys[] = {
      {Qt::Key_O, Qt::ControlModifier, 12, 1},      {Qt::Key_N, Qt::ControlModifier, 261, 6},
      {Qt::Key_3, Qt::ControlModifier, 34, 3},      {Qt::Key_PageUp, Qt::NoModifier, 259, 10},
      {Qt::Key_Backspace, Qt::AltModifier, 258, 1}, {Qt::Key_Insert, Qt::ShiftModifier, 258, 5},
      {Qt::Key_F1, Qt::NoModifier, 264, 1}};
  for (const auto& k : keys) {
    SCOPED_TRACE(k.key);
    delivered.clear();
    app.clear();
    SendKey(main->client, QEvent::KeyPress, k.key, k.modifiers);
    // The front window sees it first and leaves it unhandled; then the application gets it.
    EXPECT_EQ(delivered, (std::vector<Delivered>{{MenuEvent, main, k.menu, k.item}}));
    EXPECT_EQ(app, (std::vector<Delivered>{{MenuEvent, nullptr, k.menu, k.item}}));
  }
  EnableItem(GetMenuHandle(3), 10, false);  // Zoom In grayed
  delivered.clear();
  SendKey(main->client, QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
  EXPECT_TRUE(delivered.empty());
}

TEST_F(Input, AcceleratorsWorkFromAModelessDialogExceptForKeysItsFieldEdits) {
  ShownMainWindow();
  ASSERT_NE(LoadMenuBar(MenuBarResource), nullptr);
  std::vector<Delivered> app;
  Platform().application = [&](int code, WindowRef w, int p1, int p2) {
    app.push_back({code, w, p1, p2});
    return 1;
  };
  WindowRef dialog = CreateDialogWindow(258, 0, Recorder());
  ShowPlatformWindow(dialog);
  QApplication::setActiveWindow(dialog->frame);
  auto* field = dialog->frame->findChild<QLineEdit*>();
  ASSERT_NE(field, nullptr);
  field->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(QApplication::focusWidget(), field);
  field->setText("12");
  field->setCursorPosition(0);
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    bool command;  // else the field edits with it
  } keys[] = {{Qt::Key_O, Qt::ControlModifier, true},
              {Qt::Key_PageUp, Qt::NoModifier, true},
              {Qt::Key_Delete, Qt::NoModifier, false},
              {Qt::Key_C, Qt::ControlModifier, false}};
  for (const auto& k : keys) {
    SCOPED_TRACE(k.key);
    app.clear();
    SendKey(field, QEvent::KeyPress, k.key, k.modifiers);
    EXPECT_EQ(app.size(), k.command ? 1u : 0u);
  }
  EXPECT_EQ(field->text(), "2") << "Delete went to the field";
}

using WindowEvents = PlatformTest;

TEST_F(WindowEvents, ResizeIsReportedOnlyWhenVisibleOrMaximised) {
  WindowRef main = CreatePlatformWindow(100, "t", 10, 10, 300, 200, false, 31, 0, Recorder());
  main->frame->resize(320, 240);
  QApplication::processEvents();
  EXPECT_TRUE(Of(WindowResizedEvent).empty()) << "hidden";
  ShowPlatformWindow(main);
  QApplication::processEvents();
  delivered.clear();
  main->frame->resize(350, 260);
  QApplication::processEvents();
  const Rect client = GetClientRectangle(main);
  ASSERT_EQ(Of(WindowResizedEvent).size(), 1u);
  EXPECT_EQ(Of(WindowResizedEvent)[0],
            (Delivered{WindowResizedEvent, main, client.right, client.bottom}));
  delivered.clear();
  main->frame->showMinimized();
  main->frame->resize(200, 150);
  QApplication::processEvents();
  EXPECT_TRUE(Of(WindowResizedEvent).empty()) << "minimised";
}

TEST_F(WindowEvents, UpdatePaintsTheSurfaceAndEraseFlagDecidesTheBackground) {
  WindowRef main = ShownMainWindow();
  // The update event draws into the surface; what it draws is what the window shows.
  Platform().main->handler = [](int code, WindowRef w, int, int) {
    if (code == WindowUpdateEvent) WindowSurface(w)->setPixel(5, 5, qRgb(255, 0, 0));
    return 1;
  };
  WindowSurface(main)->fill(qRgb(0, 0, 255));
  SetEraseBackground(main, false);
  UpdateWindowNow(main);
  QImage shown = main->client->grab().toImage();
  EXPECT_EQ(shown.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(6, 6), qRgb(0, 0, 255)) << "kept: no erase";
  SetEraseBackground(main, true);
  UpdateWindowNow(main);
  shown = main->client->grab().toImage();
  EXPECT_EQ(shown.pixel(6, 6), main->client->palette().window().color().rgb()) << "erased";
  EXPECT_EQ(shown.pixel(5, 5), qRgb(255, 0, 0));
}

TEST_F(WindowEvents, DrawingIntoAWindowShowsAtOnceAndSurvivesResizing) {
  WindowRef main = ShownMainWindow();
  SetEraseBackground(main, false);
  ASSERT_TRUE(BeginWindowDrawing(main));
  SetPen(ColorRed, 0, true);
  DrawRect(Rect{10, 10, 20, 20});
  EndWindowDrawing(main);
  QImage shown = main->client->grab().toImage();
  EXPECT_EQ(shown.pixel(19, 19), qRgb(255, 0, 0));
  EXPECT_NE(shown.pixel(20, 20), qRgb(255, 0, 0)) << "right and bottom are exclusive";
  main->frame->resize(500, 400);
  QApplication::processEvents();
  EXPECT_EQ(WindowSurface(main)->size(), main->client->size());
  ASSERT_TRUE(BeginWindowDrawing(main));
  SetPen(ColorRed, 0, true);
  DrawRect(Rect{450, 300, 460, 310});  // beyond the old size
  EndWindowDrawing(main);
  shown = main->client->grab().toImage();
  EXPECT_EQ(shown.pixel(455, 305), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(15, 15), qRgb(255, 0, 0)) << "kept across the resize";
}

TEST_F(WindowEvents, ChartAreaLeavesStripsForTheScrollBars) {
  WindowRef main = CreatePlatformWindow(100, "t", 10, 10, 400, 300, true, 31, 0, nullptr);
  SetWindowClientRectangle(main, Rect{50, 60, 450, 360});
  const Rect client = GetClientRectangle(main);
  ASSERT_EQ(client, (Rect{0, 0, 400, 300}));
  const int bar = main->client->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  Rect v, h, content;
  GetChartAreaRectangles(main, &v, &h, &content);
  EXPECT_EQ(content, (Rect{0, 0, 400 - (bar - 1), 300 - (bar - 1)}));
  EXPECT_EQ(v, (Rect{content.right, 0, 400, content.bottom}));
  EXPECT_EQ(h, (Rect{0, content.bottom, content.right, 300}));
  GetChartAreaRectangles(main, nullptr, nullptr, &content);
  EXPECT_EQ(content, client);
}

using SystemColors = PlatformTest;

// The brightest green or blue of any pixel, and the red of the darkest and the brightest.
struct Light {
  int greenBlue = 0, darkest = 255, brightest = 0;
};
Light LightOf(const QImage& image) {
  Light light;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      light.greenBlue = std::max({light.greenBlue, qGreen(p), qBlue(p)});
      light.darkest = std::min(light.darkest, qRed(p));
      light.brightest = std::max(light.brightest, qRed(p));
    }
  return light;
}

TEST_F(SystemColors, NightColorsPaintWindowsMenusAndDialogsDarkRedAndRestoreExactly) {
  const QPalette before = QApplication::palette();
  WindowRef main = ShownMainWindow();
  ASSERT_NE(LoadMenuBar(MenuBarResource), nullptr);
  MenuRef draw = GetMenuHandle(4);
  EnableItem(draw, 20, false);
  WindowRef dialog = CreateDialogWindow(262, 0, Recorder());
  ASSERT_NE(dialog, nullptr);
  EnableItem(dialog, 1, false);
  uint32_t saved[SystemColorCount], night[SystemColorCount], readBack[SystemColorCount + 2] = {};
  ASSERT_EQ(GetSystemColorTable(saved, 0), SystemColorCount);
  ASSERT_EQ(GetNightColorTable(night), SystemColorCount);
  ASSERT_EQ(SetSystemColorTable(night), SystemColorCount);
  GetSystemColorTable(readBack, 2);
  EXPECT_TRUE(std::equal(night, night + SystemColorCount, readBack + 2));

  QMenu* menu = nullptr;
  for (QMenu* m : main->frame->findChildren<QMenu*>())
    if (m->title().remove('&') == "Draw") menu = m;
  ASSERT_NE(menu, nullptr);
  menu->popup(QPoint(0, 0));
  SelectPlatformWindow(dialog);
  QApplication::processEvents();
  // The style blends a fixed faint white into bevels and the size grip (up to 44 of 255 seen);
  // a palette colour with green or blue in it would show 80 and more.
  constexpr int MostGreenBlue = 48;
  for (QWidget* shown : {main->frame.data(), static_cast<QWidget*>(menu), dialog->frame.data()}) {
    SCOPED_TRACE(shown->metaObject()->className());
    const Light light = LightOf(shown->grab().toImage());
    EXPECT_LE(light.greenBlue, MostGreenBlue);
    EXPECT_LE(light.darkest, 20) << "a dark background";
    EXPECT_GE(light.brightest, 120) << "readable text";
  }
  menu->hide();
  const QPalette shown = QApplication::palette();
  const int text = qRed(shown.color(QPalette::Active, QPalette::Text).rgb());
  const int grey = qRed(shown.color(QPalette::Disabled, QPalette::Text).rgb());
  const int back = qRed(shown.color(QPalette::Active, QPalette::Window).rgb());
  EXPECT_GE(text - grey, 50) << "greyed items stand apart from the others";
  EXPECT_GE(grey - back, 50) << "and from the background";
  // The desktop's coloured pictures (alert icons) turn dim red, their transparency kept.
  QImage picture(4, 1, QImage::Format_ARGB32);
  for (const auto& [x, c] : {std::pair{0, qRgba(0, 0, 255, 255)},
                             {1, qRgba(255, 255, 0, 255)},
                             {2, qRgba(0, 0, 0, 0)},
                             {3, qRgba(255, 255, 255, 128)}})
    picture.setPixel(x, 0, c);
  const QImage shownPicture = InNightColors(QPixmap::fromImage(picture)).toImage();
  for (int x = 0; x < 4; ++x) {
    const QRgb p = shownPicture.pixel(x, 0);
    EXPECT_EQ(qGreen(p) | qBlue(p), 0) << x;
    EXPECT_EQ(qAlpha(p), qAlpha(picture.pixel(x, 0))) << x;
  }
  SetSystemColorTable(saved);
  EXPECT_TRUE(QApplication::palette() == before);
  EXPECT_EQ(InNightColors(QPixmap::fromImage(picture)).toImage().pixel(1, 0), qRgb(255, 255, 0));
}

}  // namespace
}  // namespace qv
