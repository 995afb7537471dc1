// platform/print.cpp - print jobs on QPrinter, mapped so that one logical unit is one screen
// pixel, with the print box that shows the page and offers Cancel.
//
// The classic device calls an abort routine while it prints; here the job itself lets pending
// events through at the start and end of each page, with no drawing port current meanwhile, so
// the print box's Cancel button (and window updates) work during a long job.
#include "platform/print.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <memory>
#include <utility>

#include "platform/draw_qt.h"
#include "platform/image_qt.h"

namespace qv {
namespace {

constexpr char PrintBoxTemplate[] = "Printing \"%s\" (page %d of %d)...";
constexpr int DefaultPageMax = 65535;

struct PrintJob {
  std::unique_ptr<QPrinter> printer;  // kept between jobs: the set-up dialog's choices stay
  std::unique_ptr<QPainter> painter;
  std::unique_ptr<DrawTarget> page;
  QPointer<QWidget> box;
  QPointer<QLabel> boxText;
  QPointer<QWidget> mainWindow;
  std::string title;
  int pagesDone = 0, pageCount = 1;
  bool running = false, cancelled = false, failed = false;
  QSize logicalSize, deviceSize;
};

PrintJob job;
PrintDialogHook dialogHook;

QPrinter& Printer() {
  if (!job.printer) job.printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  return *job.printer;
}

QWidget* MainWindowWidget() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (qobject_cast<QMainWindow*>(w)) return w;
  }
  return nullptr;
}

// The box's text: the template with the title for "%s" and the page and page count for the
// two "%d", replaced as text so that no title can act as a format.
QString BoxText() {
  QString text = QString::fromUtf8(PrintBoxTemplate);
  text.replace(text.indexOf("%s"), 2, QString::fromStdString(job.title));
  for (const int n : {job.pagesDone, job.pageCount}) text.replace(text.indexOf("%d"), 2, QString::number(n));
  return text;
}

void RemoveBoxAndEnableMain() {
  if (job.box) {
    job.box->hide();
    job.box->deleteLater();  // it may be its own Cancel button's signal that got us here
  }
  job.box = nullptr;
  if (job.mainWindow) job.mainWindow->setEnabled(true);
}

void CancelJob() {
  job.cancelled = true;
  RemoveBoxAndEnableMain();
}

void ShowBox() {
  auto* box = new QWidget(nullptr, Qt::Dialog);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowTitle(job.mainWindow ? job.mainWindow->windowTitle() : QString::fromStdString(job.title));
  auto* layout = new QVBoxLayout(box);
  job.boxText = new QLabel(BoxText(), box);
  auto* cancel = new QPushButton(QObject::tr("Cancel"), box);
  layout->addWidget(job.boxText);
  layout->addWidget(cancel, 0, Qt::AlignRight);
  QObject::connect(cancel, &QPushButton::clicked, CancelJob);
  box->adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    box->move(screen->availableGeometry().center() - box->rect().center());
  }
  box->show();
  job.box = box;
}

// The abort routine: pending events run with no drawing port current.
void LetEventsThrough() {
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

PrintDialogHook SetPrintDialogHook(PrintDialogHook hook) { return std::exchange(dialogHook, std::move(hook)); }

bool PrintDialog(int* firstPage, int* lastPage, int* copies) {
  QPrinter& printer = Printer();
  PrintChoice choice;
  ApplyChoice(printer, choice);
  if (dialogHook) {
    if (!dialogHook(choice)) return false;
    ApplyChoice(printer, choice);
  } else {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
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
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
  QPageSetupDialog dialog(&Printer(), QApplication::activeWindow());
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
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
    job.mainWindow = MainWindowWidget();
    if (job.mainWindow) job.mainWindow->setEnabled(false);
    ShowBox();
  }
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
  if (job.boxText) job.boxText->setText(BoxText());
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
  RemoveBoxAndEnableMain();
}

Rect GetPrintPageRect() {
  return Rect{0, 0, job.logicalSize.width() - 1, job.logicalSize.height() - 1};
}

}  // namespace qv
