// Printing to a PDF printer through the print calls: the page in screen pixels, pages and
// copies, the print box, and cancelling.
#include "platform/print.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <memory>

#include "platform/draw.h"
#include "platform/events.h"
#include "platform/windows.h"
#include "platform/windows_qt.h"
#include "tests/platform/gui_app.h"

namespace qv {
namespace {

class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    ASSERT_TRUE(dir.isValid());
    pdf = dir.filePath("chart.pdf").toStdString();
    SetPrintDialogHook([this](PrintChoice& choice) {
      offered = choice;
      choice.outputFile = pdf;
      choice.copies = copies;
      return answer;
    });
    InitPlatform();
    main = CreatePlatformWindow(100, "Quorvane - chart", 10, 10, 300, 200, true, 31, 0, nullptr);
    ASSERT_NE(main, nullptr);
    mainWindow = main->frame;
  }
  void TearDown() override {
    SetPrintDialogHook(nullptr);
    InitPlatform();
  }
  QWidget* PrintBox() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible() && w->findChild<QLabel*>() && w != mainWindow) return w;
    }
    return nullptr;
  }
  int PagesInPdf() {
    QFile file(QString::fromStdString(pdf));
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("%PDF")) return -1;
    return int(QString::fromLatin1(bytes).count(QRegularExpression("/Type\\s*/Page(?!s)")));
  }
  QTemporaryDir dir;
  std::string pdf;
  PrintChoice offered;
  int copies = 2;
  bool answer = true;
  WindowRef main = nullptr;
  QWidget* mainWindow = nullptr;
};

TEST_F(PrintTest, PrintsEachCopyAsAPageInScreenPixels) {
  int first = -1, last = -1, n = 0;
  ASSERT_TRUE(PrintDialog(&first, &last, &n));
  EXPECT_EQ(offered.firstPage, 0);  // the defaults the dialog starts from
  EXPECT_EQ(offered.lastPage, 0);
  EXPECT_EQ(offered.copies, 1);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(last, 0);
  ASSERT_TRUE(OpenPrintJob("Chart"));
  EXPECT_FALSE(mainWindow->isEnabled());

  // The page in logical units: the printable area in inches at the screen's pixels per inch.
  QPrinter reference(QPrinter::HighResolution);
  const QRectF inches = reference.pageLayout().paintRect(QPageLayout::Inch);
  const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
  const Rect page = GetPrintPageRect();
  EXPECT_EQ(page.left, 0);
  EXPECT_NEAR(page.right + 1, inches.width() * dpi, 1.5);
  EXPECT_NEAR(page.bottom + 1, inches.height() * dpi, 1.5);

  for (int copy = 1; copy <= n; ++copy) {
    ASSERT_TRUE(OpenPrintPage());
    ASSERT_NE(PrintBox(), nullptr);
    EXPECT_EQ(PrintBox()->windowTitle(), "Quorvane - chart");
    EXPECT_EQ(PrintBox()->findChild<QLabel*>()->text().toStdString(),
              "Printing \"Chart\" (page " + std::to_string(copy) + " of 2)...");
    Color color;
    GetPen(&color, nullptr, nullptr);
    EXPECT_EQ(color, ColorBlack);  // every page starts from the default state
    SetPen(ColorRed, 2, false);
    DrawRect(page);
    DrawText("M 42", 0, 100, 100);
    EXPECT_TRUE(ClosePrintPage());
  }
  ClosePrintJob();
  EXPECT_TRUE(mainWindow->isEnabled());
  EXPECT_EQ(PrintBox(), nullptr);
  EXPECT_EQ(PagesInPdf(), 2);
}

TEST_F(PrintTest, CancelEndsTheJobAtItsNextPage) {
  copies = 3;
  ASSERT_TRUE(PrintDialog(nullptr, nullptr, nullptr));
  ASSERT_TRUE(OpenPrintJob("Chart"));
  ASSERT_TRUE(OpenPrintPage());
  QWidget* box = PrintBox();
  ASSERT_NE(box, nullptr);
  box->findChild<QPushButton*>()->click();
  EXPECT_TRUE(mainWindow->isEnabled());  // at once, not when the job ends
  ClosePrintPage();
  EXPECT_FALSE(OpenPrintPage());
  ClosePrintJob();
  EXPECT_EQ(PrintBox(), nullptr);
  // Drawing after the job reaches nothing and nothing breaks.
  DrawLine(0, 0, 10, 10);
}

TEST_F(PrintTest, CancelledDialogStartsNothing) {
  answer = false;
  int n = 7;
  EXPECT_FALSE(PrintDialog(nullptr, nullptr, &n));
  EXPECT_EQ(n, 7);
  EXPECT_FALSE(OpenPrintPage());  // no job runs
}

}  // namespace
}  // namespace qv
