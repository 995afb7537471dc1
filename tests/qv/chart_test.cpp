// qv chart: every format decodes with the chart's size; the legend, the time options and bad
// arguments.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "chart/legend.h"
#include "platform/image_files.h"
#include "settings/settings.h"
#include "tests/qv/qv_fixture.h"

namespace qv {
namespace {

constexpr int Width = 320, Height = 200;

std::vector<uint8_t> Bytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  ReadWholeFile(path, bytes);
  return bytes;
}

uint32_t LE(const std::vector<uint8_t>& b, size_t at, int size) {
  uint32_t v = 0;
  for (int i = size - 1; i >= 0; --i) v = v << 8 | b.at(at + i);
  return v;
}
uint32_t BE(const std::vector<uint8_t>& b, size_t at, int size) {
  uint32_t v = 0;
  for (int i = 0; i < size; ++i) v = v << 8 | b.at(at + i);
  return v;
}

struct Size {
  long width = -1, height = -1;
  bool operator==(const Size&) const = default;
};

// TIFF: ImageWidth (256) and ImageLength (257) from the first directory, in either byte order.
Size TiffSize(const std::vector<uint8_t>& b) {
  const bool little = b.at(0) == 'I';
  const auto get = [&](size_t at, int size) { return little ? LE(b, at, size) : BE(b, at, size); };
  Size size;
  const uint32_t directory = get(4, 4);
  for (uint32_t i = 0, n = get(directory, 2); i < n; ++i) {
    const size_t entry = directory + 2 + 12 * i;
    const uint32_t tag = get(entry, 2), type = get(entry + 2, 2);
    const long value = type == 3 ? get(entry + 8, 2) : get(entry + 8, 4);  // SHORT or LONG
    if (tag == 256) size.width = value;
    if (tag == 257) size.height = value;
  }
  return size;
}

// Two numbers after a key in a text document ("viewBox=\"0 0 " and "/MediaBox [0 0 ").
Size TextSize(const std::vector<uint8_t>& b, const char* key) {
  const std::string text(b.begin(), b.end());
  const size_t at = text.find(key);
  double width = -1, height = -1;
  if (at != std::string::npos)
    std::sscanf(text.c_str() + at + std::strlen(key), "%lf %lf", &width, &height);
  return {std::lround(width), std::lround(height)};
}

// The size each format records, read from the file's own bytes: the image formats' headers, the
// JPEG through libjpeg, the metafile's placeable bounding box, the SVG view box, the PDF page in
// points (a chart pixel is one point).
Size DecodedSize(const std::string& path, const std::string& extension) {
  const std::vector<uint8_t> b = Bytes(path);
  if (b.size() < 32) return {};
  if (extension == ".png" && BE(b, 0, 4) == 0x89504E47)
    return {long(BE(b, 16, 4)), long(BE(b, 20, 4))};
  if (extension == ".bmp" && b[0] == 'B' && b[1] == 'M')
    return {long(LE(b, 18, 4)), long(LE(b, 22, 4))};
  if (extension == ".gif" && std::memcmp(b.data(), "GIF8", 4) == 0)
    return {long(LE(b, 6, 2)), long(LE(b, 8, 2))};
  if (extension == ".tif" && (b[0] == 'I' || b[0] == 'M')) return TiffSize(b);
  if (extension == ".jpg") {
    RgbPixels pixels;
    if (DecodeJPEG(b, pixels) == ResultOk) return {pixels.width, pixels.height};
  }
  if (extension == ".wmf" && LE(b, 0, 4) == 0x9AC6CDD7) {
    return {long(int16_t(LE(b, 10, 2)) - int16_t(LE(b, 6, 2))),
            long(int16_t(LE(b, 12, 2)) - int16_t(LE(b, 8, 2)))};
  }
  if (extension == ".svg") return TextSize(b, "viewBox=\"0 0 ");
  if (extension == ".pdf") return TextSize(b, "/MediaBox [0 0 ");
  return {};
}

// A 32-bit bitmap's pixel as 0xRRGGBB; rows are stored bottom-up after a 54-byte header.
uint32_t BmpPixel(const std::vector<uint8_t>& b, int x, int y) {
  const int width = static_cast<int>(LE(b, 18, 4)), height = static_cast<int>(LE(b, 22, 4));
  const size_t at = LE(b, 10, 4) + (static_cast<size_t>(height - 1 - y) * width + x) * 4;
  return uint32_t(b.at(at + 2)) << 16 | uint32_t(b.at(at + 1)) << 8 | b.at(at);
}

bool RowIsAll(const std::vector<uint8_t>& b, int y, uint32_t color) {
  for (int x = 0; x < Width; ++x) {
    if (BmpPixel(b, x, y) != color) return false;
  }
  return true;
}

class QvChartTest : public QvTest {
 protected:
  int Chart(const std::string& file, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"chart",   "--settings", TestData("qv_observer.qvs"),
                                     "--jd",    "2460370.5",  "--size",
                                     "320x200", "--out",      scratch / file};
    args.insert(args.end(), extra.begin(), extra.end());
    return Run(args);
  }
};

TEST_F(QvChartTest, EveryFormatDecodesWithTheChartsSize) {
  for (const char* extension : {".png", ".bmp", ".gif", ".tif", ".jpg", ".wmf", ".svg", ".pdf"}) {
    SCOPED_TRACE(extension);
    const std::string file = std::string("chart") + extension;
    ASSERT_EQ(Chart(file), QvSuccess) << err;
    EXPECT_EQ(DecodedSize(scratch / file, extension), (Size{Width, Height}));
  }
}

TEST_F(QvChartTest, DefaultSizeAndUpperCaseExtension) {
  ASSERT_EQ(Run({"chart", "--jd", "2460370.5", "--out", scratch / "big.BMP"}), QvSuccess) << err;
  EXPECT_EQ(DecodedSize(scratch / "big.BMP", ".bmp"), (Size{1600, 1000}));
}

// The chart is framed in the foreground colour (white on the black sky), and the legend band's
// outline crosses the whole chart at its top.
TEST_F(QvChartTest, LegendBandAndFrame) {
  ASSERT_EQ(Chart("legend.bmp"), QvSuccess) << err;
  ASSERT_EQ(Chart("plain.bmp", {"--no-legend"}), QvSuccess) << err;
  const std::vector<uint8_t> legend = Bytes(scratch / "legend.bmp"),
                             plain = Bytes(scratch / "plain.bmp");
  constexpr uint32_t White = 0xffffff;
  for (const auto* chart : {&legend, &plain}) {
    EXPECT_TRUE(RowIsAll(*chart, 0, White));
    EXPECT_TRUE(RowIsAll(*chart, Height - 1, White));
    EXPECT_EQ(BmpPixel(*chart, 0, Height / 2), White);
    EXPECT_EQ(BmpPixel(*chart, Width - 1, Height / 2), White);
  }
  const int bandTop = Height - LegendHeight(Settings());
  EXPECT_TRUE(RowIsAll(legend, bandTop, White));
  EXPECT_FALSE(RowIsAll(plain, bandTop, White));
}

// --date is local time in the settings' zone (+1 h, no daylight saving in the test settings), so
// 01:00 local is the same instant as JD 2460370.5 (0h UT) and gives the same chart; without
// --settings the zone is 0.
TEST_F(QvChartTest, DateIsLocalTimeInTheSettingsZone) {
  ASSERT_EQ(Chart("by_jd.bmp"), QvSuccess) << err;
  const std::vector<std::string> local = {"chart", "--settings", TestData("qv_observer.qvs"),
                                          "--size", "320x200"};
  std::vector<std::string> args = local;
  args.insert(args.end(), {"--date", "2024/03/01 01:00:00", "--out", scratch / "by_date.bmp"});
  ASSERT_EQ(Run(args), QvSuccess) << err;
  args = local;
  args.insert(args.end(), {"--date", "2024/03/01 00:00:00", "--out", scratch / "hour_early.bmp"});
  ASSERT_EQ(Run(args), QvSuccess) << err;
  EXPECT_EQ(Bytes(scratch / "by_date.bmp"), Bytes(scratch / "by_jd.bmp"));
  EXPECT_NE(Bytes(scratch / "hour_early.bmp"), Bytes(scratch / "by_jd.bmp"));
}

TEST_F(QvChartTest, BadArgumentsWriteNothing) {
  struct Case {
    std::vector<std::string> extra;
    const char* file;
    const char* message;
  };
  const Case cases[] = {
      {{"--size", "320"}, "a.png", "--size needs WIDTHxHEIGHT"},
      {{"--size", "10x10"}, "a.png", "--size needs WIDTHxHEIGHT"},
      {{"--size", "320x200x3"}, "a.png", "--size needs WIDTHxHEIGHT"},
      {{"--date", "2024/03/01"}, "a.png", "either --jd or --date"},
      {{"--size", "64x20000"}, "a.png", "--size needs WIDTHxHEIGHT"},
      {{}, "a.xyz", "cannot tell the format"},
      {{}, "noextension", "cannot tell the format"},
      {{"--bogus"}, "a.png", "has no option --bogus"},
      {{"--settings", "x.qvs"}, "a.png", "--settings is given twice"},
      {{"extra"}, "a.png", "takes no arguments"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    std::vector<std::string> args = {"chart",         "--settings", TestData("qv_observer.qvs"),
                                     "--jd",          "2460370.5",  "--out",
                                     scratch / c.file};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    EXPECT_EQ(Run(args), QvUserError);
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
    EXPECT_FALSE(FileExists(scratch / c.file));
  }
  for (const char* jd : {"abc", "2460370.5x", "-1", "1e300", "nan", ""}) {
    SCOPED_TRACE(jd);
    EXPECT_EQ(Run({"chart", "--jd", jd, "--out", scratch / "b.png"}), QvUserError);
    EXPECT_NE(err.find("--jd needs a Julian date"), std::string::npos) << err;
    EXPECT_FALSE(FileExists(scratch / "b.png"));
  }
  EXPECT_EQ(Run({"chart", "--jd", "2460370.5"}), QvUserError);
  EXPECT_NE(err.find("needs --out"), std::string::npos) << err;
}

TEST_F(QvChartTest, BadDatesAndFilesGiveTheirMessages) {
  EXPECT_EQ(Run({"chart", "--date", "2024/13", "--out", scratch / "c.png"}), QvUserError);
  EXPECT_NE(err.find("The date \"2024/13\" is invalid."), std::string::npos) << err;
  EXPECT_EQ(Run({"chart", "--settings", scratch / "none.qvs", "--out", scratch / "c.png"}),
            QvFileError);
  EXPECT_NE(err.find("can't open the file \"none.qvs\""), std::string::npos) << err;
  // An output that cannot be written says why.
  const struct {
    std::string out, why;
  } outputs[] = {{"no/such/folder/c.png", "its folder does not exist"},
                 {"folder.png", "it is a folder"}};
  ASSERT_TRUE(CreateFolder(scratch / "folder.png"));
  for (const auto& o : outputs) {
    EXPECT_EQ(Chart(o.out), QvFileError);
    EXPECT_EQ(err, "qv: can't write \"" + scratch / o.out + "\": " + o.why + "\n");
  }
  EXPECT_FALSE(FileExists(scratch / "c.png"));
}

TEST_F(QvChartTest, ASettingsValueThatIsNoNameIsReportedAndKept) {
  WriteTextFile(scratch / "bogus.qvs",
                "<QuorvaneSettingsFile>\r\nFileVersion=3.5\r\n\r\n<Settings>\r\n"
                "PlanetComputation=Bogus\r\n</Settings>\r\n</QuorvaneSettingsFile>\r\n");
  ASSERT_EQ(Run({"chart", "--settings", scratch / "bogus.qvs", "--jd", "2460370.5", "--size",
                 "64x64", "--out", scratch / "b.png"}),
            QvSuccess)
      << err;
  EXPECT_NE(err.find("qv: warning: bogus.qvs: PlanetComputation=Bogus is not one of its names; "
                     "it stays VFP\n"),
            std::string::npos)
      << err;
}

// A settings file naming an object the database lacks would draw another sky: qv refuses it.
TEST_F(QvChartTest, SettingsNamingAnUnknownObjectFail) {
  const std::string settings = scratch / "centred.qvs";
  WriteTextFile(settings,
                "<QuorvaneSettingsFile>\nFileVersion=3.5\n\n<Settings>\nCenteredObject=Vulcan\n</"
                "Settings>\n");
  EXPECT_EQ(Run({"chart", "--settings", settings, "--out", scratch / "d.png"}), QvUserError);
  EXPECT_NE(err.find("no object containing the name \"Vulcan\""), std::string::npos) << err;
  EXPECT_FALSE(FileExists(scratch / "d.png"));
}

// Each command's help starts with its usage and gives every option a line of its own.
TEST_F(QvChartTest, EveryCommandExplainsEachOfItsOptions) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> commands = {
      {"chart", {"--settings", "--database", "--jd", "--date", "--size", "--no-legend", "--out"}},
      {"ephemeris",
       {"--object", "--start", "--end", "--step", "--settings", "--database", "--out"}},
      {"info", {"--object", "--settings", "--database", "--jd", "--date"}},
      {"find", {"--exact", "--case", "--database"}},
      {"import",
       {"--database", "--create", "--replace", "--rename", "--keep-going", "--satellites"}},
      {"db", {"--database"}},
  };
  for (const auto& [command, options] : commands) {
    SCOPED_TRACE(command);
    ASSERT_EQ(Run({command, "--help"}), QvSuccess) << err;
    EXPECT_TRUE(err.empty()) << err;
    EXPECT_EQ(out.rfind("Usage: qv " + command + " ", 0), 0u) << out;
    for (const std::string& option : options)
      EXPECT_NE(out.find("\n  " + option + " "), std::string::npos) << option;
  }
  ASSERT_EQ(Run({"--help"}), QvSuccess);
  for (const auto& command : commands)
    EXPECT_NE(out.find("qv " + command.first + " "), std::string::npos);
  EXPECT_EQ(Run({"plot"}), QvUserError);
  EXPECT_NE(err.find("no command \"plot\""), std::string::npos);
  EXPECT_EQ(Run({}), QvUserError);
  EXPECT_NE(err.find("Usage:"), std::string::npos);
}

}  // namespace
}  // namespace qv
