// The chart out of the window: which image each file format is written from (counted in chart
// drawings), vector files read back by outside readers, and printed copies.
#include <gtest/gtest.h>

#include <string>

#include "chart/chart_files.h"
#include "chart/chart_print.h"
#include "chart/drawing.h"
#include "objects/store.h"
#include "platform/print.h"
#include "platform/result.h"
#include "tests/chart/sky_fixture.h"
#include "tests/support/command_output.h"
#include "tests/support/scratch_folder.h"

namespace qv {
namespace {

constexpr int W = 400, H = 300;
constexpr Rect Chart{0, 0, W, H};

// Bright named stars around the centre of the fixture's chart (90°, +20°).
struct TestStar {
  double ra, dec, magnitude;
  const char* name;
};
constexpr TestStar Stars[] = {
    {90, 20, 1.0, "Alpha Testis"}, {97, 24, 2.0, "Beta Testis"},    {84, 15, 2.5, "Gamma Testis"},
    {93, 10, 1.5, "Delta Testis"}, {86, 28, 3.0, "Epsilon Testis"},
};

class ChartOutputTest : public SkyFixture {
 protected:
  void SetUp() override {
    SkyFixture::SetUp();
    const ObjectId file = NewFile("stars.qvd");
    for (const TestStar& s : Stars)
      AddSkyObject(file, KindSingleStar, s.ra, s.dec, s.magnitude, 0.65, 0, s.name);
    test::Options().ShowObjectLabels = true;
    test::Options().ShowGridLines = false;
  }
  void TearDown() override {
    SetPrintDialogHook(nullptr);
    SkyFixture::TearDown();
  }

  // Drawings: how many charts were drawn so far.
  static uint32_t Drawings() { return Store().redrawCounter; }

  ScratchFolder folder;
};

TEST_F(ChartOutputTest, ImagesAreDrawnAnewOnlyWhenTheWindowImageDoesNotSuitTheFormat) {
  test::Options().ShowRenderedObjects = true;
  struct Case {
    int windowDepth, width;  // the window image (depth 0: none)
    ChartFileFormat format;
    int screenDepth;
    uint32_t newDrawings;
  } cases[] = {
      {32, W, ChartFormatGIF, 32, 1},  // GIF needs 8 bits: drawn again without rendered objects
      {32, W, ChartFormatJPEG, 32, 0}, {32, W, ChartFormatTIFF, 32, 0},
      {32, W, ChartFormatBMP, 32, 0},  {32, W, ChartFormatPNG, 32, 0},
      {8, W, ChartFormatJPEG, 8, 1},  // JPEG needs 32 bits: drawn again with rendered objects
      {8, W, ChartFormatGIF, 8, 0},    {8, W, ChartFormatTIFF, 8, 0},
      {0, W, ChartFormatTIFF, 8, 1},   {32, W - 1, ChartFormatBMP, 32, 1},  // no or another size
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.windowDepth << " bits " << c.width << " wide, format " << c.format);
    Image* window = c.windowDepth ? RenderChartImage(Rect{0, 0, c.width, H}, c.windowDepth, nullptr,
                                                     test::Options())
                                  : nullptr;
    const uint32_t before = Drawings();
    const std::string path = folder / "chart";
    EXPECT_GT(WriteChartFile(path, c.format, PaperOfFrame, Chart, test::Options(),
                             ChartSources{window, c.screenDepth, {}}),
              0);
    EXPECT_EQ(Drawings() - before, c.newDrawings);
    DisposeImage(window);
  }
}

TEST_F(ChartOutputTest, VectorFilesHoldStarsAsCirclesAndLabelsAsText) {
  const std::string svg = folder / "chart.svg", pdf = folder / "chart.pdf", a4 = folder / "a4.pdf";
  int overlays = 0;
  const ChartSources sources{nullptr, 32, [&] { ++overlays; }};
  ASSERT_GT(WriteChartFile(svg, ChartFormatSVG, PaperOfFrame, Chart, test::Options(), sources), 0);
  ASSERT_GT(WriteChartFile(pdf, ChartFormatPDF, PaperOfFrame, Chart, test::Options(), sources), 0);
  ASSERT_GT(WriteChartFile(a4, ChartFormatPDF, PaperA4, Chart, test::Options(), sources), 0);
  EXPECT_EQ(overlays, 3);

  // Every star is one circle and every label one text element.
  EXPECT_EQ(
      std::stoul(CommandOutput("xmllint --xpath 'count(//*[local-name()=\"circle\"])' " + svg)),
      std::size(Stars));
  const std::string svgTexts = CommandOutput("xmllint --xpath '//*[local-name()=\"text\"]' " + svg);
  const std::string pdfText = CommandOutput("pdftotext " + pdf + " -"),
                    a4Text = CommandOutput("pdftotext " + a4 + " -");
  for (const TestStar& s : Stars) {
    EXPECT_NE(svgTexts.find(s.name), std::string::npos) << s.name;
    EXPECT_NE(pdfText.find(s.name), std::string::npos) << s.name;
    EXPECT_NE(a4Text.find(s.name), std::string::npos) << s.name;
  }
  EXPECT_NE(CommandOutput("pdfinfo " + pdf + " | tr -s ' '").find("Page size: 400 x 300 pts"),
            std::string::npos);
  EXPECT_NE(CommandOutput("pdfinfo " + a4 + " | tr -s ' '").find("842 x 595 pts (A4)"),
            std::string::npos);
}

TEST_F(ChartOutputTest, CopiesWithRenderedObjectsAreDrawnOnceAndPrintedAlike) {
  for (const bool rendered : {true, false}) {
    SCOPED_TRACE(rendered);
    test::Options().ShowRenderedObjects = rendered;
    const std::string pdf = folder / (rendered ? "rendered.pdf" : "vectors.pdf");
    SetPrintDialogHook([&](PrintChoice& choice) {
      choice.copies = 2;
      choice.outputFile = pdf;
      return true;
    });
    int overlays = 0;
    const uint32_t before = Drawings();
    EXPECT_EQ(PrintChart(test::Options(), [&] { ++overlays; }), ResultOk);
    EXPECT_EQ(Drawings() - before, rendered ? 1u : 2u);
    EXPECT_EQ(overlays, 2);
    EXPECT_NE(CommandOutput("pdfinfo " + pdf + " | tr -s ' '").find("Pages: 2"), std::string::npos);
  }
  SetPrintDialogHook([](PrintChoice&) { return false; });
  const uint32_t before = Drawings();
  EXPECT_EQ(PrintChart(test::Options(), {}), ResultCancelled);
  EXPECT_EQ(Drawings(), before);
}

}  // namespace
}  // namespace qv
