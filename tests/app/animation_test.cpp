// Animation in the running program: single steps, real time from the animation clock, the time
// step box and the presets with their check marks, the trail dialog and the trail commands, the
// animated GIF (decoded by giflib), and an idle program that leaves the processor alone.
#include "app/animation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <string>

#include "app/trail_dialog.h"
#include "app_fixture.h"
#include "chart/drawing.h"
#include "chart/trails.h"
#include "platform/boxes.h"
#include "platform/files.h"
#include "tests/platform/decoded_gif.h"

namespace qv {
namespace {

constexpr double RealDaysPerMs = 1.1574074074074074e-8;
constexpr double JdRounding = 1e-9;  // days: a few ulps of a present-day Julian date

enum AnimationItem : int {
  OffItem = 1,
  BackwardItem = 2,
  ForwardItem = 3,
  StepBackwardItem = 5,
  StepForwardItem = 6,
  SetTimeStepItem = 8,
  RealTimeItem = 9,  // the presets follow: 1 Minute ... 10,000 Years
  OneDayItem = 13,
  ResetTrailsItem = 21,
  DeleteTrailsItem = 22,
};
constexpr int ExportMenuAnimationItem = 3;

using AnimationTest = AppTest;

TEST_F(AnimationTest, SingleStepsMoveOneStepAndLeaveAnimationOff) {
  Choose(AnimationMenu, OneDayItem);
  const double start = Settings().JulianDate;
  Choose(AnimationMenu, StepForwardItem);
  EXPECT_DOUBLE_EQ(Settings().JulianDate, start + 1);
  EXPECT_EQ(Settings().AnimationState, AnimationOff);
  EXPECT_TRUE(Checked(AnimationMenu, OffItem));
  Choose(AnimationMenu, StepBackwardItem);
  Choose(AnimationMenu, StepBackwardItem);
  EXPECT_DOUBLE_EQ(Settings().JulianDate, start - 1);
  // Off does nothing however often it is asked to step.
  AnimationStep();
  EXPECT_DOUBLE_EQ(Settings().JulianDate, start - 1);
}

// Each step in real time sets the date from the clock's start, so the date after k milliseconds
// is start + k x 1.1574074074074074e-8 whatever the number of steps. The milliseconds are only
// known between clock readings taken around the start and around each step.
TEST_F(AnimationTest, RealTimeFollowsTheAnimationClockHoweverManySteps) {
  Choose(AnimationMenu, RealTimeItem);
  EXPECT_EQ(Settings().AnimationTimeStep, 0);
  for (const int direction : {ForwardItem, BackwardItem}) {
    SCOPED_TRACE(direction);
    Choose(AnimationMenu, OffItem);
    const double start = Settings().JulianDate;
    const uint32_t beforeStart = TickCount();
    Choose(AnimationMenu, direction);
    const uint32_t afterStart = TickCount();
    const double sign = direction == ForwardItem ? 1 : -1;
    for (int step = 0; step < 4; ++step) {
      Delay(15);
      const uint32_t before = TickCount();
      AnimationStep();
      const uint32_t after = TickCount();
      const double moved = sign * (Settings().JulianDate - start);
      EXPECT_GE(moved, (before - afterStart) * RealDaysPerMs - JdRounding);
      EXPECT_LE(moved, (after - beforeStart) * RealDaysPerMs + JdRounding);
    }
  }
  Choose(AnimationMenu, OffItem);
}

TEST_F(AnimationTest, MenuChecksFollowTheStateAndTheStep) {
  Choose(AnimationMenu, ForwardItem);
  EXPECT_TRUE(Checked(AnimationMenu, ForwardItem));
  EXPECT_FALSE(Checked(AnimationMenu, OffItem));
  Choose(AnimationMenu, OffItem);
  EXPECT_TRUE(Checked(AnimationMenu, OffItem));
  const double presets[] = {0, 1.0 / 1440, 1.0 / 144, 1.0 / 24, 1, 7, 30, 365.25, 36525, 3652500};
  for (int k = 0; k < 10; ++k) {
    Choose(AnimationMenu, RealTimeItem + k);
    EXPECT_DOUBLE_EQ(Settings().AnimationTimeStep, presets[k]);
    for (int item = RealTimeItem; item < RealTimeItem + 10; ++item)
      EXPECT_EQ(Checked(AnimationMenu, item), item == RealTimeItem + k) << k << " " << item;
  }
}

// The Set Time Step box shows "%ld  %02hd:%02hd:%02.0f" and reads the step back from it.
TEST_F(AnimationTest, TimeStepBoxShowsDaysAndTimeAndReadsThemBack) {
  struct Case {
    double step;
    const char* shown;
    const char* typed;
    double read;  // days; NAN: the step stays
  };
  const Case cases[] = {
      {1.5, "1  12:00:00", "0  06:30:00", 6.5 / 24},
      {1.0 / 1440, "0  00:01:00", "2  00:00:30", 2 + 30 / 86400.0},
      {-1.5, "-1  -12:00:00", "-1  -12:00:00", -1.5},
      {3652500, "3652500  00:00:00", "0.25", 0.25},
      {7, "7  00:00:00", "1  12", 1.5},
      {7, "7  00:00:00", "a week", NAN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Settings().AnimationTimeStep = c.step;
    std::string shown;
    Then([&](WindowRef d) {
      shown = GetItemText(d, 4);
      SetItemText(d, 4, c.typed);
      Press(d, 1);
    });
    Choose(AnimationMenu, SetTimeStepItem);
    EXPECT_EQ(shown, c.shown);
    EXPECT_NEAR(Settings().AnimationTimeStep, std::isnan(c.read) ? c.step : c.read, 1e-12);
  }
}

TEST_F(AnimationTest, TrailDialogCreatesTheTrailAndRemembersItsChoices) {
  const ObjectId star = AddStar("Deneb", {0, 1, 0}, 125);
  std::string name, capacity, ticks, dates;
  int ticksOn = -1, datesOn = -1, type = 0;
  const auto look = [&](WindowRef d) {
    name = GetItemText(d, 4);
    capacity = GetItemText(d, 6);
    ticksOn = GetItemValue(d, 8);
    ticks = GetItemText(d, 9);
    datesOn = GetItemValue(d, 11);
    dates = GetItemText(d, 12);
    type = GetCheckedRadio(d, 14, 16);
  };
  Then([&](WindowRef d) {
    look(d);
    SetItemText(d, 6, "250");
    SetItemText(d, 12, "5");
    SendEvent(ControlEvent, d, 12, PartTextChanged);  // typing turns its box on
    ClickRadio(d, 14, 16, 16);
    Press(d, 1);
  });
  EXPECT_EQ(RunTrailDialog(star), 1);
  EXPECT_EQ(name, "Deneb");
  EXPECT_EQ(capacity, "100");
  EXPECT_EQ(ticksOn, 1);
  EXPECT_EQ(ticks, "1");
  EXPECT_EQ(datesOn, 0);
  EXPECT_EQ(dates, "");
  EXPECT_EQ(type, 15);  // in the sky
  const Trail* trail = GetTrail(FindTrail(star));
  ASSERT_NE(trail, nullptr);
  EXPECT_EQ(trail->Type, TrailInCurrentCoordinates);
  EXPECT_EQ(trail->Capacity, 250);
  EXPECT_EQ(trail->TicksInterval, 1);
  EXPECT_EQ(trail->DatesInterval, 5);
  // Opened again for an object that is gone: the choices made, and string 513; Cancel.
  Then([&](WindowRef d) {
    look(d);
    Press(d, 2);
  });
  EXPECT_EQ(RunTrailDialog(star + 1000), 0);
  EXPECT_EQ(name, "Object not selected!");
  EXPECT_EQ(capacity, "250");
  EXPECT_EQ(datesOn, 1);
  EXPECT_EQ(dates, "5");
  EXPECT_EQ(type, 16);
  EXPECT_EQ(TrailCount(), 1);
  // A capacity below 1 creates nothing (and the old trail is gone).
  Then([](WindowRef d) {
    SetItemText(d, 6, "0");
    Press(d, 1);
  });
  RunTrailDialog(star);
  EXPECT_EQ(TrailCount(), 0);
}

TEST_F(AnimationTest, ResetAndDeleteAllTrails) {
  const ObjectId star = AddStar("Deneb", {0, 1, 0}, 125);
  const int slot = CreateTrail(star, TrailInSky, 5, 1, 0);
  Choose(AnimationMenu, StepForwardItem);
  Choose(AnimationMenu, StepForwardItem);
  EXPECT_EQ(GetTrail(slot)->Points.size(), 2u);
  Choose(AnimationMenu, ResetTrailsItem);
  ASSERT_NE(GetTrail(slot), nullptr);
  EXPECT_TRUE(GetTrail(slot)->Points.empty());
  Choose(AnimationMenu, DeleteTrailsItem);
  EXPECT_EQ(TrailCount(), 0);
}

class AnimationFileTest : public AnimationTest {
 protected:
  void SetUp() override {
    AnimationTest::SetUp();
    previousHook =
        SetFileDialogHook([this](const FileDialogRequest& request, std::string& path, int& index) {
          EXPECT_TRUE(request.save);
          EXPECT_EQ(request.title, "Save animation as...");
          path = chosen;
          index = 1;
          return true;
        });
  }
  void TearDown() override {
    SetAnimationState(AnimationOff);
    SetFileDialogHook(previousHook);
    AnimationTest::TearDown();
  }
  FileDialogHook previousHook;
  std::string chosen;
};

TEST_F(AnimationFileTest, FramesGoToTheGifUntilAnimationIsOff) {
  const std::string path = scratch / "loop.gif";
  answers.push_back(AnswerOk);  // 543: start animating now
  chosen = path;
  ChooseMenuItem(MenuByNumber(ExportMenu), ExportMenuAnimationItem);
  ASSERT_TRUE(Shown(543));
  EXPECT_EQ(Settings().AnimationState, AnimationForward);
  const Image* image = WindowChartImage();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(ImageDepth(image), 8);
  for (int k = 0; k < 3; ++k) AnimationStep();
  EXPECT_FALSE(FileExists(path));  // in place only once complete
  Choose(AnimationMenu, OffItem);
  EXPECT_EQ(ImageDepth(WindowChartImage()), 32);
  {
    DecodedGif gif(path);
    ASSERT_NE(gif.gif, nullptr);
    EXPECT_EQ(gif.version, "GIF89a");
    EXPECT_EQ(gif.Frames(), 3);
    for (int k = 0; k < gif.Frames(); ++k) EXPECT_EQ(gif.Delay(k), 7);
    EXPECT_EQ(gif.LoopCount(), 0);
    EXPECT_EQ(gif.gif->SWidth, ImageWidth(WindowChartImage()));
    ASSERT_EQ(gif.gif->SColorMap->ColorCount, 256);
    const GifColorType* colors = gif.gif->SColorMap->Colors;
    EXPECT_EQ(MakeColor(colors[2].Red, colors[2].Green, colors[2].Blue), ColorRed);
    EXPECT_EQ(MakeColor(colors[8].Red, colors[8].Green, colors[8].Blue), MakeColor(192, 192, 192));
  }
  // On again: the file is not opened again.
  ASSERT_TRUE(DeleteFileAt(path));
  Choose(AnimationMenu, ForwardItem);
  AnimationStep();
  Choose(AnimationMenu, OffItem);
  EXPECT_FALSE(FileExists(path));
}

TEST_F(AnimationFileTest, ChoosingAnotherFileWhileSavingEndsTheFirst) {
  const std::string first = scratch / "first.gif", second = scratch / "second.gif";
  Choose(AnimationMenu, ForwardItem);
  chosen = first;
  ChooseMenuItem(MenuByNumber(ExportMenu), ExportMenuAnimationItem);
  EXPECT_FALSE(Shown(543));  // animating already: the file starts at once
  AnimationStep();
  answers.push_back(AnswerCancel);  // 544: keep the first file
  ChooseMenuItem(MenuByNumber(ExportMenu), ExportMenuAnimationItem);
  EXPECT_TRUE(Shown(544));
  answers.push_back(AnswerOk);
  chosen = second;
  ChooseMenuItem(MenuByNumber(ExportMenu), ExportMenuAnimationItem);
  EXPECT_TRUE(FileExists(first));
  AnimationStep();
  AnimationStep();
  Choose(AnimationMenu, OffItem);
  EXPECT_EQ(DecodedGif(first).Frames(), 1);
  EXPECT_EQ(DecodedGif(second).Frames(), 2);
}

TEST_F(AnimationFileTest, AFileThatCannotBeMadeLeavesTheAnimationRunning) {
  answers.push_back(AnswerOk);
  chosen = scratch / "no such folder/a.gif";
  ChooseMenuItem(MenuByNumber(ExportMenu), ExportMenuAnimationItem);
  EXPECT_EQ(Settings().AnimationState, AnimationForward);
  EXPECT_FALSE(SavingAnimation());
  const double before = Settings().JulianDate;
  AnimationStep();
  EXPECT_GT(Settings().JulianDate, before);
  EXPECT_EQ(ImageDepth(WindowChartImage()), 32);
}

TEST_F(AnimationFileTest, AFileChosenWhileOffWaitsForAnimationToStart) {
  const std::string path = scratch / "later.gif";
  answers.push_back(AnswerCancel);  // 543: not now
  chosen = path;
  ChooseMenuItem(MenuByNumber(ExportMenu), ExportMenuAnimationItem);
  EXPECT_EQ(Settings().AnimationState, AnimationOff);
  EXPECT_TRUE(SavingAnimation());
  Choose(AnimationMenu, StepForwardItem);  // a single step leaves the waiting file alone
  EXPECT_TRUE(SavingAnimation());
  Choose(AnimationMenu, BackwardItem);
  AnimationStep();
  Choose(AnimationMenu, OffItem);
  EXPECT_EQ(DecodedGif(path).Frames(), 1);
}

// With animation off the main loop sends idle events IdleIntervalMs apart: over half a second
// of real time the process uses a small part of a core, measured as processor time.
TEST_F(ShellTest, IdleLoopLeavesTheProcessorAloneWhileAnimationIsOff) {
  Settings().AnimationState = AnimationOff;
  int idles = 0;
  uint32_t start = 0;
  const std::clock_t cpuBefore = std::clock();
  RunEventLoop([&](int code, WindowRef window, int p1, int p2) {
    if (code == StartupEvent) {
      start = TickCount();
      return 0;
    }
    if (code == IdleEvent) {
      ++idles;
      if (TickCount() - start >= 500) QuitApplication(0);  // no main window: ends at once
    }
    return ApplicationEventHandler(code, window, p1, p2);
  });
  const double cpuMs = 1000.0 * (std::clock() - cpuBefore) / CLOCKS_PER_SEC;
  EXPECT_LT(idles, 10);   // about one per IdleIntervalMs, not a busy loop
  EXPECT_LT(cpuMs, 100);  // a fifth of the wall time at most; a spinning loop uses all of it
}

}  // namespace
}  // namespace qv
