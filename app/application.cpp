// app/application.cpp - the application's event handler, start-up, quitting and idle work
// (application.h).
#include "app/application.h"

#include <clocale>
#include <string>
#include <utility>
#include <vector>

#include "app/animation.h"
#include "app/chart_mouse.h"
#include "app/chart_window.h"
#include "app/command_handlers.h"
#include "app/commands.h"
#include "app/description_dialog.h"
#include "app/info_window.h"
#include "app/open_document.h"
#include "app/red_screen.h"
#include "app/shell.h"
#include "app/telescope_control.h"
#include "app/viewpoint.h"
#include "astro/constants.h"
#include "chart/trails.h"
#include "objects/database.h"
#include "objects/messages.h"
#include "objects/site_zone.h"
#include "objects/store.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/result.h"
#include "platform/strings.h"
#include "platform/time_zone.h"
#include "platform/windows.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace qv {
namespace {

constexpr int SplashPicture = 2;
constexpr int SplashHiddenItems[] = {1, 3};  // the About box's OK button and version line
constexpr int SplashMs = 1000;
constexpr int MillisecondsPerSecond = 1000;

// ShowSplash: the About box without its button, shrunk to its picture, shown at once.
WindowRef ShowSplash() {
  WindowRef splash =
      CreateDialogWindow(AboutBoxDialog, 0, [](int, WindowRef, int, int) { return 0; });
  if (!splash) return nullptr;
  for (int item : SplashHiddenItems) ShowItem(splash, item, false);
  const Rect picture = GetItemRect(splash, SplashPicture);
  SetWindowClientRectangle(splash, Rect{0, 0, RectWidth(picture), RectHeight(picture)});
  CenterOnScreen(splash);
  ShowPlatformWindow(splash);
  UpdateWindowNow(splash);
  return splash;
}

// OpenDatabaseDirectory: the store's budget, and the database directory beside the program,
// made (after question 528) when it is missing.
bool OpenDatabaseDirectory() {
  Store().budget =
      MemoryBudget(FreePhysicalMemory(), ScreenWidth(), ScreenHeight(), ScreenColorDepth());
  const char* folder = GetString(StringDatabaseFolder);
  if (DirectoryExists(PathBesideProgram(folder ? folder : "Database"))) return true;
  return CreateDatabaseDirectory() == ResultOk;
}

// StartAtZoneSite: a first start (no default settings) in the computer's time zone, at the
// database's site that suits it.
void StartAtZoneSite(const SystemZone& zone) {
  ChartSettings& s = Settings();
  s.TimeZone = zone.standardHours * DaysPerHour;
  s.DaylightSavingsTime = zone.daylightSaving;
  const std::vector<ObjectId> ids = SiteObjects();
  std::vector<const SiteRecord*> sites;
  for (ObjectId id : ids) sites.push_back(SiteOf(*ObjectOfId(id)));
  const int chosen = SiteForZone(sites, zone);
  if (chosen < 0) return;
  const SiteRecord& site = *sites[chosen];
  s.ViewerObject = 0;
  s.ViewerSiteName = site.name.substr(0, SiteNameMaxLength);
  s.ViewerLongitude = site.longitude;
  s.ViewerLatitude = site.latitude;
  s.ViewerAltitude = site.altitude;
}

void RememberHere() {
  const ChartSettings& s = Settings();
  Shell().here = HereLocation{s.ViewerSiteName, s.ViewerLongitude, s.ViewerLatitude,
                              s.ViewerAltitude, s.TimeZone};
}

// Stepping: animating while the chart window is not minimised (a minimised animation waits).
bool Stepping() {
  const AnimationMode state = Settings().AnimationState;
  return (state == AnimationBackward || state == AnimationForward) &&
         !IsWindowMinimized(Shell().chartWindow);
}

bool PollingTelescope() {
  const ChartSettings& s = Settings();
  return s.TelescopeConnected && s.TelescopeUpdatesPerSec > 0 && Hooks().pollTelescope;
}

std::vector<std::string>& StartupDocuments() {
  static std::vector<std::string> paths;
  return paths;
}

}  // namespace

void SetStartupDocuments(std::vector<std::string> paths) { StartupDocuments() = std::move(paths); }

bool StartApplication() {
  std::setlocale(LC_NUMERIC,
                 "C");  // numbers in texts and files use "." whatever the desktop's locale
  WindowRef splash = ShowSplash();
  SetDefaultSettings(ScreenColorDepth());
  WindowRef chart = CreateChartWindow();
  bool ready = chart != nullptr;
  if (!ready) {
    Beep();
    Delay(SplashMs);
  }
  Shell().chartWindow = chart;
  ready = ready && OpenDatabaseDirectory();
  if (ready) {
    DeleteAllTrails();
    CreateInfoWindow();
    InstallTelescopeHooks();
    OpenDefaultDatabase();
    if (FileExists(DefaultSettingsPath()))
      ReadDefaultSettings(AskDescriptionOnOpening);
    else
      StartAtZoneSite(GetSystemTimeZone());
    RememberHere();
    SetTimeToNow();
    RestartAnimationClock();
    RefreshChart(false);
    UpdateMenus();
  }
  // The splash goes as soon as the chart is ready: the About box that follows shows the same
  // picture, so holding the chart back a second more would only be a wait.
  DisposeDialog(splash);
  if (!ready) return false;
  MaximizePlatformWindow(chart);
  SetArrowCursor();
  ShowAboutBoxUnlessTurnedOff();
  for (const std::string& path : StartupDocuments()) OpenDocument(path);  // failures are shown
  return true;
}

int QuitRequested() {
  SetRedScreenColors(false);
  if (Settings().TelescopeConnected && Hooks().disconnectTelescope) Hooks().disconnectTelescope();
  ShowAboutBoxUnlessTurnedOff();
  if (SaveDatabaseChanges() != ResultOk) {
    SetRedScreenColors(Settings().RedScreen);  // the program goes on as it was
    return 0;
  }
  CloseDatabase();
  ForgetDatabaseObjects();
  return 1;
}

void IdleWork() {
  const bool stepping = Stepping();
  SetContinuousIdle(stepping || PollingTelescope());
  if (stepping) AnimationStep();
  if (PollingTelescope()) {
    const uint32_t now = TickCount();
    const uint32_t interval =
        MillisecondsPerSecond / static_cast<uint32_t>(Settings().TelescopeUpdatesPerSec);
    if (now - Shell().lastTelescopeUpdateMs > interval && Hooks().pollTelescope())
      Shell().lastTelescopeUpdateMs = now;
  }
  ChartMouseIdle();
}

int ApplicationEventHandler(int code, WindowRef /*window*/, int p1, int p2) {
  switch (code) {
    case StartupEvent:
      if (!StartApplication()) {
        if (Shell().chartWindow) DisposePlatformWindow(Shell().chartWindow);
        Shell().chartWindow = nullptr;
        QuitApplication(1);
      }
      return 0;
    case IdleEvent:
      IdleWork();
      return 0;
    case SuspendEvent:
      SuspendRedScreen();
      return 0;
    case ResumeEvent:
      ResumeRedScreen();
      return 0;
    case MenuEvent:
      return DispatchMenuCommand(p1, p2);
    case QuitEvent:
      return QuitRequested();
    default:
      return 1;
  }
}

}  // namespace qv
