// File > Export > Chart As... and File > Print... of the running program: every format of the
// save dialog read back by an outside reader, the remembered name and format, the message of a
// missing folder, and the colour question before printing.
#include <gtest/gtest.h>

#include <string>

#include "app/chart_window.h"
#include "generated/string_numbers.h"
#include "platform/boxes.h"
#include "platform/print.h"
#include "tests/app/app_fixture.h"
#include "tests/support/command_output.h"

namespace qv {
namespace {

class ChartOutputTest : public AppTest {
 protected:
  void TearDown() override {
    SetFileDialogHook(nullptr);
    SetPrintDialogHook(nullptr);
    AppTest::TearDown();
  }

  // Export: Chart As... answered with the path and the format number; what the dialog was
  // asked to show is kept in `asked`.
  void Export(const std::string& path, int format) {
    SetFileDialogHook([=, this](const FileDialogRequest& request, std::string& chosen, int& index) {
      asked = request;
      askedFormat = index;
      chosen = path;
      index = format;
      return true;
    });
    Choose(ExportMenu, 2);
  }

  FileDialogRequest asked;
  int askedFormat = 0;
};

TEST_F(ChartOutputTest, EveryExportFormatReadsBackInAnOutsideReader) {
  const Rect chart = ChartRectangle();
  const std::string w = std::to_string(RectWidth(chart)), h = std::to_string(RectHeight(chart));
  const std::string size = w + " by " + h;
  struct Case {
    int format;
    std::string file, reader, expected;
  } cases[] = {
      {1, "chart.wmf", "wmf2svg -o /dev/stdout $F | xmllint --xpath 'name(/*)' -", "svg"},
      {2, "chart.bmp", "bmptopnm $F | pnmfile", size},
      {3, "chart.gif", "giftopnm $F | pnmfile", size},
      {4, "chart.tif", "tiffinfo $F", "Image Width: " + w + " Image Length: " + h},
      {5, "chart.jpg", "djpeg $F | pnmfile", size},
      {6, "chart.png", "pngtopnm $F | pnmfile", size},
      {7, "chart.svg", "xmllint --xpath 'string(/*/@viewBox)' $F", "0 0 " + w + " " + h},
      {8, "chart.pdf", "pdfinfo $F | tr -s ' '", "Page size: " + w + " x " + h + " pts"},
      {10, "a3.pdf", "pdfinfo $F | tr -s ' '", "1191 x 842 pts (A3)"},
  };
  std::string previous;
  int previousFormat = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = scratch / c.file;
    Export(path.substr(0, path.rfind('.')), c.format);  // the dialog adds the extension
    EXPECT_EQ(asked.title, "Save Chart as...");
    EXPECT_EQ(asked.defaultName, previous);  // where the last export left off
    EXPECT_EQ(askedFormat, previousFormat);
    std::string reader = c.reader;
    reader.replace(reader.find("$F"), 2, path);
    EXPECT_NE(CommandOutput(reader + " 2>&1").find(c.expected), std::string::npos) << reader;
    previous = path;
    previousFormat = c.format;
  }
  EXPECT_TRUE(shown.empty());
}

TEST_F(ChartOutputTest, AnExportIntoAMissingFolderNamesTheFile) {
  for (const int format : {2, 6, 8}) {  // an image writer, and vectors through a picture
    SCOPED_TRACE(format);
    const std::string missing = scratch / "no/such/folder/chart";
    Export(missing, format);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].number, MessageCannotOpen);
    EXPECT_NE(shown[0].message.find(missing), std::string::npos);
    shown.clear();
  }
}

TEST_F(ChartOutputTest, PrintingAsksAboutColourAndLeavesTheSettingsAsTheyWere) {
  Settings().ShowColors = true;
  Settings().SkyBackground = SkyBlack;
  const std::string pdf = scratch / "page.pdf";
  SetPrintDialogHook([&](PrintChoice& choice) {
    choice.outputFile = pdf;
    return true;
  });
  struct Case {
    int answer;
    bool printed;
  } cases[] = {{AnswerCancel, false}, {AnswerYes, true}, {AnswerNo, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    std::remove(pdf.c_str());
    answers.push_back(c.answer);
    Choose(FileMenu, 14);
    EXPECT_TRUE(Shown(MessagePrintWithoutColor));
    shown.clear();
    EXPECT_EQ(CommandOutput("pdfinfo " + pdf + " 2>/dev/null | tr -s ' '").find("Pages: 1") !=
                  std::string::npos,
              c.printed);
    EXPECT_TRUE(Settings().ShowColors);
    EXPECT_EQ(Settings().SkyBackground, SkyBlack);
  }
}

}  // namespace
}  // namespace qv
