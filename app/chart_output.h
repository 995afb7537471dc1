// app/chart_output.h - the chart out of the window: exported to a file, copied to the clipboard,
// printed and previewed, with the telescope's fields over pictures and pages.
#pragma once

namespace qv {

// ExportChartCommand: File > Export > Chart As... for the window's chart.
void ExportChartCommand();

// CopyChartCommand: Edit > Copy: the chart picture on the clipboard as an image and as SVG.
void CopyChartCommand();

// PrintChartCommand: File > Print... (or, with preview, File > Print Preview...): when the
// chart uses colour or a sky that is not white, message 521 asks first: Yes prints without
// colour on a white sky (the settings stay as they are), No prints as shown, Cancel stops.
// Afterwards the window's chart is laid out again and the menus updated.
void PrintChartCommand(bool preview);

}  // namespace qv
