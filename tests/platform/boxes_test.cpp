// Boxes: message box answers, the save dialog's extension rule, the colour picker and the
// progress box, each answered by a hook in place of a person.
#include "platform/boxes.h"

#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/alert.h"
#include "platform/boxes_qt.h"
#include "platform/progress.h"
#include "platform/strings.h"
#include "platform_fixture.h"

namespace qv {
namespace {

class Boxes : public PlatformTest {
 protected:
  void TearDown() override {
    SetBoxRunHook(nullptr);
    SetFileDialogHook(nullptr);
    SetAlertPresenter(nullptr);
    PlatformTest::TearDown();
  }
};

TEST_F(Boxes, MessageBoxAnswersMapToOkCancelNo) {
  CreatePlatformWindow(100, "Chart of tonight", 0, 0, 0, 0, false, 31, 0, nullptr);
  const struct {
    int buttons;
    QMessageBox::StandardButton click;
    int answer;
    int count;  // buttons shown
  } cases[] = {{ButtonsOk, QMessageBox::Ok, AnswerOk, 1},
               {ButtonsOkCancel, QMessageBox::Ok, AnswerOk, 2},
               {ButtonsOkCancel, QMessageBox::Cancel, AnswerCancel, 2},
               {ButtonsYesNoCancel, QMessageBox::Yes, AnswerYes, 3},
               {ButtonsYesNoCancel, QMessageBox::No, AnswerNo, 3},
               {ButtonsYesNoCancel, QMessageBox::Cancel, AnswerCancel, 3},
               {ButtonsYesNo, QMessageBox::Yes, AnswerYes, 2},
               {ButtonsYesNo, QMessageBox::No, AnswerNo, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    QString title;
    int buttonCount = 0;
    SetBoxRunHook([&](QDialog& dialog) {
      auto& box = static_cast<QMessageBox&>(dialog);
      title = box.windowTitle();
      buttonCount = static_cast<int>(box.buttons().size());
      box.button(c.click)->click();
    });
    EXPECT_EQ(ShowMessageBox(AlertCaution, c.buttons, 540, "text"), c.answer);
    EXPECT_EQ(title, "Chart of tonight");
    EXPECT_EQ(buttonCount, c.count);
  }
}

TEST_F(Boxes, SaveDialogAddsTheFilterExtensionUnlessAlreadyThere) {
  const char* settings = "Quorvane Settings (*.qvs)|*.qvs|";
  const char* charts = GetString(743);
  const char* anyFile = GetString(701);
  const struct {
    const char* filter;
    int index;
    const char* typed;
    bool add;
    const char* want;
  } cases[] = {
      {settings, 1, "/home/u/tonight", true, "/home/u/tonight.qvs"},
      {settings, 1, "/home/u/TONIGHT.QVS", true, "/home/u/TONIGHT.QVS"},
      {settings, 1, "/home/u/v1.2", true, "/home/u/v1.2.qvs"},
      {settings, 1, "/home/u/tonight", false, "/home/u/tonight"},
      {settings, 1, "/home/u.qvs/tonight", true, "/home/u.qvs/tonight.qvs"},
      {charts, 3, "/tmp/m42", true, "/tmp/m42.gif"},
      {charts, 5, "/tmp/m42.Jpg", true, "/tmp/m42.Jpg"},
      {anyFile, 2, "/tmp/notes", true, "/tmp/notes"},  // "*.*" adds nothing
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    FileDialogRequest seen;
    SetFileDialogHook([&](const FileDialogRequest& request, std::string& path, int& index) {
      seen = request;
      path = c.typed;
      index = c.index;
      return true;
    });
    int index = 1;
    const auto path = AskSaveFile("Save Settings As...", c.filter, "old.qvs", index, c.add);
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(*path, c.want);
    EXPECT_EQ(index, c.index);
    EXPECT_TRUE(seen.save);
    EXPECT_EQ(seen.title, "Save Settings As...");
    EXPECT_EQ(seen.defaultName, "old.qvs");
  }
  SetFileDialogHook([](const FileDialogRequest&, std::string&, int&) { return false; });
  int index = 1;
  EXPECT_FALSE(AskSaveFile("t", settings, "", index, true).has_value());
  EXPECT_FALSE(AskOpenFile("t", settings, index, "/tmp").has_value());
}

TEST_F(Boxes, ExtensionThatNamesAnExistingFileIsConfirmedFirst) {
  QTemporaryDir dir;
  const std::string base = (dir.path() + "/tonight").toStdString();
  QFile existing(QString::fromStdString(base + ".qvs"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.close();
  SetFileDialogHook([&](const FileDialogRequest&, std::string& path, int&) {
    path = base;
    return true;
  });
  std::vector<int> asked;
  int answer = AnswerCancel;
  SetAlertPresenter([&](int, int, int number, const std::string& message) {
    asked.push_back(number);
    EXPECT_NE(message.find("tonight.qvs"), std::string::npos);
    return answer;
  });
  int index = 1;
  EXPECT_FALSE(AskSaveFile("t", "S (*.qvs)|*.qvs|", "", index, true).has_value());
  answer = AnswerOk;
  EXPECT_EQ(AskSaveFile("t", "S (*.qvs)|*.qvs|", "", index, true), base + ".qvs");
  EXPECT_EQ(asked, (std::vector<int>{545, 545}));
}

TEST_F(Boxes, ColourPickerReturnsTheChosenColourOnlyOnOk) {
  uint32_t colour = 0x00336699;
  QColor shown;
  SetBoxRunHook([&](QDialog& dialog) {
    auto& picker = static_cast<QColorDialog&>(dialog);
    shown = picker.currentColor();
    picker.setCurrentColor(QColor(10, 20, 30));
    picker.accept();
  });
  ASSERT_TRUE(ChooseColor("Night Sky", colour));
  EXPECT_EQ(shown, QColor(0x99, 0x66, 0x33)) << "red is the low byte";
  EXPECT_EQ(colour, 0x001E140Au);
  SetBoxRunHook([](QDialog& dialog) { dialog.reject(); });
  EXPECT_FALSE(ChooseColor("Night Sky", colour));
  EXPECT_EQ(colour, 0x001E140Au);
}

class Progress : public Boxes {
 protected:
  void TearDown() override {
    CloseProgress();
    SetProgressHook(nullptr);
    Boxes::TearDown();
  }
  static int Bar() { return GetItemValue(ProgressBoxWindow(), 3); }
};

TEST_F(Progress, BarMovesOnEveryUpdateButEventsArePumpedAtMostEvery100Ms) {
  ASSERT_TRUE(OpenProgress(200, 0, 1, 0, "Importing file \"stars.txt\"...", "Quorvane", true));
  ASSERT_NE(ProgressBoxWindow(), nullptr);
  EXPECT_TRUE(IsModalDialogUp());
  EXPECT_EQ(GetItemText(ProgressBoxWindow(), 1), "Importing file \"stars.txt\"...");
  const int width = static_cast<QProgressBar*>(FindItem(ProgressBoxWindow(), 3))->maximum();
  int pumped = 0;
  QObject scope;  // a call left unpumped must not outlive this test
  QTimer::singleShot(0, &scope, [&] { ++pumped; });
  EXPECT_EQ(UpdateProgress(50), 1);
  EXPECT_EQ(pumped, 1) << "the first update pumps";
  EXPECT_EQ(Bar(), width / 4);
  QTimer::singleShot(0, &scope, [&] { ++pumped; });
  EXPECT_EQ(UpdateProgress(100), 1);
  EXPECT_EQ(pumped, 1) << "too soon to pump again";
  EXPECT_EQ(Bar(), width / 2) << "but the bar moved";
  CloseProgress();
  EXPECT_FALSE(IsModalDialogUp());
  EXPECT_FALSE(IsPlatformWindowVisible(ProgressBoxWindow()));
}

TEST_F(Progress, CancelStopsTheWorkAndTheHookStillSeesTheFraction) {
  std::vector<double> fractions;
  SetProgressHook([&](double f) {
    fractions.push_back(f);
    return true;
  });
  ASSERT_TRUE(OpenProgress(1, 10, 20, 0.5, nullptr, nullptr, true));
  EXPECT_TRUE(IsItemEnabled(ProgressBoxWindow(), 2));
  QTimer::singleShot(0, [] { PressItem(ProgressBoxWindow(), 2); });
  EXPECT_EQ(UpdateProgress(15), 0);
  EXPECT_EQ(fractions, (std::vector<double>{}));  // cancelled before the hook was asked
  CloseProgress();
  ASSERT_TRUE(OpenProgress(1, 10, 20, 0.5, nullptr, nullptr, false));
  EXPECT_EQ(UpdateProgress(10), 1) << "a new box starts uncancelled";
  EXPECT_EQ(fractions, (std::vector<double>{0.5}));  // (10 + 10 * 0.5 - 10) / 10
  EXPECT_FALSE(FindItem(ProgressBoxWindow(), 2)->isVisibleTo(ProgressBoxWindow()->frame));
}

}  // namespace
}  // namespace qv
