// platform/print.cpp - print jobs on QPrinter, mapped so that one logical unit is one screen
// pixel, with the print box that shows the page and offers Cancel.
//
// The classic device calls an abort routine while it prints; here the job itself lets pending
// events through at the start and end of each page, with no drawing port current meanwhile, so
// the print box's Cancel button (and window updates) work during a long job.
#include "platform/print.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <memory>
#include <utility>

#include "platform/dialogs.h"
#include "platform/draw_qt.h"
#include "platform/image_qt.h"
#include "platform/windows.h"
#include "platform/windows_qt.h"

namespace qv {
namespace {

constexpr int DefaultPageMax = 65535;
constexpr int BoxTextItem = 1;  // holds the template: Printing "%s" (page %d of %d)...
constexpr int BoxCancelItem = 2;

struct PrintJob {
  std::unique_ptr<QPrinter> printer;  // kept between jobs: the set-up dialog's choices stay
  std::unique_ptr<QPainter> painter;
  std::unique_ptr<DrawTarget> page;
  WindowRef box = nullptr;
  std::string boxTemplate;
  std::string title;
  int pagesDone = 0, pageCount = 1;
  bool running = false, cancelled = false, failed = false;
  bool previewing = false;  // drawn for the preview dialog, which is modal itself
  QSize logicalSize, deviceSize;
};

PrintJob job;
PrintDialogHook dialogHook;

bool HaveWidgets() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

QPrinter& Printer() {
  if (!job.printer) job.printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *job.printer;
}

void EnableMainWindow(bool on) {
  const WindowRef main = GetMainWindow();
  if (main && main->frame) main->frame->setEnabled(on);
}

// The box's text: the template with the title for "%s" and the page and page count for the
// two "%d", replaced as text so that no title can act as a format.
std::string BoxText() {
  std::string text = job.boxTemplate;
  const auto put = [&text](const char* mark, const std::string& value) {
    if (const size_t at = text.find(mark); at != std::string::npos) text.replace(at, 2, value);
  };
  put("%s", job.title);
  put("%d", std::to_string(job.pagesDone));
  put("%d", std::to_string(job.pageCount));
  return text;
}

// Cancel: the job stops at its next page; the main window works again at once.
int PrintBoxHandler(int code, WindowRef box, int item, int /*part*/) {
  if (code != ControlEvent || item != BoxCancelItem) return 1;
  job.cancelled = true;
  EnableMainWindow(true);
  HidePlatformWindow(box);  // disposed when the job closes: its own button is calling
  return 0;
}

void ShowBox() {
  job.box = CreateNamedDialog(PrintBoxLayout, 0, PrintBoxHandler);
  if (!job.box) return;
  job.boxTemplate = GetItemText(job.box, BoxTextItem);
  const WindowRef main = GetMainWindow();
  if (main && main->frame) SetWindowTitle(job.box, main->frame->windowTitle().toUtf8().constData());
  SetItemText(job.box, BoxTextItem, BoxText().c_str());
  ShowPlatformWindow(job.box);
}

// The abort routine: pending events run with no drawing port current.
void LetEventsThrough() {
  if (job.previewing) return;  // the preview paints from its own events
  DrawTarget* saved = GetPort();
  SetPort(nullptr);
  QCoreApplication::processEvents();
  SetPort(saved);
}

void ApplyChoice(QPrinter& printer, const PrintChoice& choice) {
  if (!choice.outputFile.empty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(choice.outputFile));
  }
  printer.setFromTo(choice.firstPage, choice.lastPage);
  printer.setCopyCount(choice.copies);
}

}  // namespace

PrintDialogHook SetPrintDialogHook(PrintDialogHook hook) {
  return std::exchange(dialogHook, std::move(hook));
}

bool PrintDialog(int* firstPage, int* lastPage, int* copies) {
  QPrinter& printer = Printer();
  PrintChoice choice;
  ApplyChoice(printer, choice);
  if (dialogHook) {
    if (!dialogHook(choice)) return false;
    ApplyChoice(printer, choice);
  } else {
    if (!HaveWidgets()) return false;
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setMinMax(0, DefaultPageMax);
    if (dialog.exec() != QDialog::Accepted) return false;
  }
  if (firstPage) *firstPage = printer.fromPage();
  if (lastPage) *lastPage = printer.toPage();
  if (copies) *copies = printer.copyCount();
  job.pageCount = (printer.toPage() - printer.fromPage() + 1) * printer.copyCount();
  printer.setCopyCount(1);  // the application prints each copy itself
  return true;
}

void PrintSetupDialog() {
  if (!HaveWidgets()) return;
  QPageSetupDialog dialog(&Printer(), QApplication::activeWindow());
  dialog.exec();
}

void PrintPreviewDialog(const std::function<void()>& printJob) {
  if (!HaveWidgets()) return;
  QPrintPreviewDialog dialog(&Printer(), QApplication::activeWindow());
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&printJob](QPrinter*) {
    job.previewing = true;
    printJob();
    job.previewing = false;
  });
  dialog.exec();
}

bool OpenPrintJob(const char* title) {
  if (!job.printer || job.running) return false;
  job.title = title ? title : "";
  job.pagesDone = 0;
  job.cancelled = job.failed = false;
  job.printer->setDocName(QString::fromStdString(job.title));
  job.painter = std::make_unique<QPainter>();
  if (!job.painter->begin(job.printer.get())) {
    job.painter.reset();
    return false;
  }
  const int printerDpi = job.printer->resolution();
  job.deviceSize = QSize(job.printer->width(), job.printer->height());
  job.logicalSize = QSize(job.deviceSize.width() * ScreenDotsPerInch() / printerDpi,
                          job.deviceSize.height() * ScreenDotsPerInch() / printerDpi);
  job.running = true;
  if (job.previewing) return true;
  EnableMainWindow(false);
  if (HaveWidgets()) ShowBox();
  return true;
}

bool OpenPrintPage() {
  LetEventsThrough();
  if (!job.running || job.cancelled || job.failed) return false;
  if (job.pagesDone > 0 && !job.printer->newPage()) {
    job.failed = true;
    return false;
  }
  ++job.pagesDone;
  if (job.box) SetItemText(job.box, BoxTextItem, BoxText().c_str());
  job.painter->setWindow(0, 0, job.logicalSize.width(), job.logicalSize.height());
  job.painter->setViewport(0, 0, job.deviceSize.width(), job.deviceSize.height());
  job.page = NewPainterTarget(*job.painter);
  BeginDrawing(job.page.get());
  return true;
}

bool ClosePrintPage() {
  if (job.page) {
    EndDrawing(job.page.get());
    job.page.reset();
  }
  LetEventsThrough();
  return job.running && !job.failed;
}

void ClosePrintJob() {
  ClosePrintPage();
  if (job.painter) {
    if (job.cancelled || job.failed) job.printer->abort();
    job.painter->end();
    job.painter.reset();
  }
  job.running = false;
  DisposeDialog(job.box);
  job.box = nullptr;
  EnableMainWindow(true);
}

Rect GetPrintPageRect() {
  return Rect{0, 0, job.logicalSize.width() - 1, job.logicalSize.height() - 1};
}

}  // namespace qv
