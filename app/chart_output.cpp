// app/chart_output.cpp - export, clipboard and printing of the window's chart (chart_output.h).
#include "app/chart_output.h"

#include <optional>

#include "app/chart_window.h"
#include "app/commands.h"
#include "app/shell.h"
#include "chart/chart_export.h"
#include "chart/chart_print.h"
#include "chart/drawing.h"
#include "generated/string_numbers.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/events.h"
#include "settings/settings.h"

namespace qv {
namespace {

// The telescope's fields over pictures and printed pages, while it is connected and they are
// shown.
void DrawTelescopeFields() {
  const ChartSettings& s = Settings();
  if (s.TelescopeConnected && s.TelescopeShowFields && Hooks().drawTelescopeFields)
    Hooks().drawTelescopeFields();
}

// The options the window's chart is drawn with on this screen.
ChartOptions ScreenOptions() { return DrawingOptions(Settings(), ScreenColorDepth()); }

// AskPrintOptions: the options a print uses; none when 521 is cancelled.
std::optional<ChartOptions> AskPrintOptions() {
  ChartOptions options = Settings();
  if (!options.ShowColors && options.SkyBackground == SkyWhite) return options;
  switch (Note(ButtonsYesNoCancel, MessagePrintWithoutColor)) {
    case AnswerYes:
      options.ShowColors = false;
      options.SkyBackground = SkyWhite;
      return options;
    case AnswerNo:
      return options;
    default:
      return std::nullopt;
  }
}

// A chart drawn for a file or the clipboard left its own frame behind: the window's chart is
// laid out again so that the mouse finds what the window shows.
void RelayoutWhenDrawnSince(uint32_t redraws) {
  if (Store().redrawCounter != redraws) RelayoutAndRedraw();
}

}  // namespace

void ExportChartCommand() {
  const uint32_t redraws = Store().redrawCounter;
  ExportChart(ChartRectangle(), ScreenOptions(),
              ChartSources{ChartWindowImage(), ScreenColorDepth(), DrawTelescopeFields});
  RelayoutWhenDrawnSince(redraws);
}

void CopyChartCommand() {
  const uint32_t redraws = Store().redrawCounter;
  SetWaitCursor();
  Picture* picture =
      MakeChartPicture(ChartRectangle(), ScreenOptions(), ChartWindowImage(), DrawTelescopeFields);
  if (picture) CopyPictureToClipboard(picture);
  DisposePicture(picture);
  SetArrowCursor();
  RelayoutWhenDrawnSince(redraws);
}

void PrintChartCommand(bool preview) {
  const std::optional<ChartOptions> options = AskPrintOptions();
  if (!options) return;
  if (preview)
    PreviewChartPrint(*options, DrawTelescopeFields);
  else
    PrintChart(*options, DrawTelescopeFields);
  RelayoutAndRedraw();
  UpdateMenus();
}

}  // namespace qv
