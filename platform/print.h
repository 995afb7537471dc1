// platform/print.h - printing: the print and page set-up dialogs, and one print job at a time
// drawn page by page through the drawing port. Plain types; no Qt here.
//
//   if (!PrintDialog(nullptr, nullptr, &copies)) return;  // cancelled
//   if (OpenPrintJob("Quorvane")) {
//     for (int i = 0; i < copies && OpenPrintPage(); ++i) { ...draw into GetPrintPageRect()...;
//     ClosePrintPage(); }
//   }
//   ClosePrintJob();
//
// On the page one logical unit is one screen pixel: the page is mapped so that a chart drawn
// for the screen comes out at the size it has there. While the job runs the main window is
// disabled and the print box shows the page and offers Cancel; a cancelled job ends at its
// next page (OpenPrintPage gives false).
#pragma once

#include <functional>
#include <string>

#include "platform/rect.h"

namespace qv {

// PrintDialog: the system print dialog; false when cancelled. Reads back the page range (both 0:
// all pages) and the number of copies (the job prints each copy as its own pages).
bool PrintDialog(int* firstPage, int* lastPage, int* copies);
// PrintSetupDialog: the printer and page set-up dialog; its choices hold for later jobs.
void PrintSetupDialog();

// PrintPreviewDialog: the system's print preview of the pages printJob makes: it opens, draws and
// closes a job as for printing, on the printer the preview lends it (and again when the
// preview's own Print button is used). While it previews a job shows no print box.
void PrintPreviewDialog(const std::function<void()>& printJob);

// OpenPrintJob: starts the document under title on the printer chosen by PrintDialog; false
// when there is none or the document cannot be started.
bool OpenPrintJob(const char* title);
// OpenPrintPage: starts the next page and makes it the drawing port; false when the job was
// cancelled, has failed or does not run.
bool OpenPrintPage();
// ClosePrintPage: ends the page's drawing; false when the job has failed.
bool ClosePrintPage();
// ClosePrintJob: ends the document (unless the job was cancelled), enables the main window and
// removes the print box.
void ClosePrintJob();
// GetPrintPageRect: (0, 0, width - 1, height - 1) of the printable page in logical units.
Rect GetPrintPageRect();

// PrintDialogHook: stands in for the print dialog (tests, and printing without a person). It
// gets the default choice and returns false to cancel; an output file makes the job write a PDF
// there. An empty hook restores the dialog. Returns the previous hook.
struct PrintChoice {
  int firstPage = 0, lastPage = 0, copies = 1;
  std::string outputFile;
};
using PrintDialogHook = std::function<bool(PrintChoice& choice)>;
PrintDialogHook SetPrintDialogHook(PrintDialogHook hook);

}  // namespace qv
