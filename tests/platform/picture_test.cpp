// Pictures: a recording replays to exactly the pixels of drawing directly; the clipboard gets
// an image and an SVG; placeable metafiles have the published header and convert with libwmf.
#include "platform/picture.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/draw.h"
#include "platform/draw_qt.h"
#include "platform/image_qt.h"
#include "platform/result.h"
#include "tests/platform/gui_app.h"

namespace qv {
namespace {

constexpr int Width = 90, Height = 60;

// Every kind of call, with changes of pen, font, mode and clip between them.
void DrawScene(const Image* sprite) {
  SetPen(MakeColor(0, 0, 63), 0, true);
  DrawRect(Rect{0, 0, Width, Height});
  SetPen(ColorWhite, 1, false);
  MoveTo(2, 2);
  LineTo(40, 9);
  LineTo(5, 30);
  DrawLine(80, 2, 60, 40);
  DrawPoint(45, 45);
  SetPen(MakeColor(255, 255, 88), 0, true);
  DrawEllipse(50, 20, 71, 41);
  SetPen(MakeColor(164, 210, 255), 2, false);
  DrawEllipse(10, 35, 40, 55);
  const int16_t xs[] = {60, 85, 75}, ys[] = {50, 45, 58};
  Polygon* polygon = NewPolygon(3, xs, ys);
  SetPen(ColorRed, 1, true);
  DrawPolygon(polygon);
  DisposePolygon(polygon);
  SetFont("Arial", 12, FontBold);
  DrawText("M31 10°", 0, 20, 12);
  SetFont("Symbol", 12, 0);
  DrawText("a", 0, 5, 40);
  DrawIcon(LoadIcon(306), 50, 0);
  SetClipRect(Rect{0, 0, 30, 30});
  SetDrawingMode(DrawXor);
  SetPen(MakeColor(0x55, 0xaa, 0x0f), 1, true);
  DrawRect(Rect{20, 20, 50, 50});
  SetDrawingMode(DrawCopy);
  ClearClip();
  const Rect half{0, 0, 4, 2}, to{70, 2, 86, 10};
  CopyImage(sprite, &half, &to);
}

Image* Sprite() {
  Image* sprite = NewImage(8, 4, 32);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x)
      SetPixelValue(sprite, ImageRow(sprite, y), x, PixelValueFromRGB(x * 30, y * 60, 200));
  }
  return sprite;
}

std::vector<uint8_t> FileBytes(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}
uint16_t LE16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
uint32_t LE32(const std::vector<uint8_t>& b, size_t at) {
  return LE16(b, at) | uint32_t(LE16(b, at + 2)) << 16;
}

class PictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    sprite = Sprite();
  }
  void TearDown() override { DisposeImage(sprite); }
  Picture* RecordScene(const Rect& frame) {
    Picture* picture = NewPicture(frame);
    EXPECT_NE(picture, nullptr);
    DrawScene(sprite);
    ClosePicture();
    return picture;
  }
  Image* sprite = nullptr;
};

TEST_F(PictureTest, ReplayGivesTheSamePixelsAsDrawingDirectly) {
  Image* direct = NewImage(Width, Height, 32);
  BeginImageDrawing(nullptr, direct);
  DrawScene(sprite);
  EndImageDrawing();

  Picture* picture = RecordScene(Rect{0, 0, Width, Height});
  QImage replayed(Width, Height, QImage::Format_RGB32);
  replayed.fill(Qt::black);
  ReplayPicture(*picture, replayed);
  EXPECT_EQ(replayed, ImageToQImage(*direct));
  // Drawing after the recording closed reaches neither the picture nor anything else.
  const size_t calls = picture->ops.size();
  DrawLine(0, 0, 5, 5);
  EXPECT_EQ(picture->ops.size(), calls);
  DisposePicture(picture);
  DisposeImage(direct);
}

TEST_F(PictureTest, FrameTopLeftIsTheOriginOfTheReplay) {
  Picture* picture = NewPicture(Rect{100, 50, 120, 60});
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(GetPictureFrame(picture), (Rect{100, 50, 120, 60}));
  SetPen(ColorWhite, 1, false);
  DrawPoint(101, 52);
  SetClipRect(Rect{105, 50, 120, 60});
  DrawLine(100, 55, 119, 55);
  ClosePicture();
  QImage replayed(20, 10, QImage::Format_RGB32);
  replayed.fill(Qt::black);
  ReplayPicture(*picture, replayed);
  EXPECT_EQ(replayed.pixel(1, 2), qRgb(255, 255, 255));
  EXPECT_EQ(replayed.pixel(4, 5), qRgb(0, 0, 0));  // clipped
  EXPECT_EQ(replayed.pixel(5, 5), qRgb(255, 255, 255));
  DisposePicture(picture);
  EXPECT_EQ(NewPicture(Rect{0, 0, 0, 10}), nullptr);
}

TEST_F(PictureTest, ClipboardHoldsTheImageAndAnSvg) {
  Picture* picture = RecordScene(Rect{0, 0, Width, Height});
  ASSERT_TRUE(CopyPictureToClipboard(picture));
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  ASSERT_TRUE(data->hasImage());
  const QImage image = qvariant_cast<QImage>(data->imageData());
  QImage replayed(Width, Height, QImage::Format_RGB32);
  replayed.fill(Qt::white);
  ReplayPicture(*picture, replayed);
  EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), replayed);
  ASSERT_TRUE(data->hasFormat("image/svg+xml"));
  QSvgRenderer svg(data->data("image/svg+xml"));
  ASSERT_TRUE(svg.isValid());
  EXPECT_EQ(svg.viewBox(), QRect(0, 0, Width, Height));
  DisposePicture(picture);
}

// The vector files of a picture: an SVG whose view box is the frame, and a one-page PDF whose
// page is the frame with a pixel as one point.
TEST_F(PictureTest, SvgAndPdfFilesHoldTheFrame) {
  QTemporaryDir dir;
  Picture* picture = RecordScene(Rect{0, 0, Width, Height});
  const QString svgPath = dir.filePath("chart.svg"), pdfPath = dir.filePath("chart.pdf");
  const int64_t svgBytes = WritePictureSVG(svgPath.toStdString(), picture);
  EXPECT_EQ(svgBytes, int64_t(FileBytes(svgPath).size()));
  QSvgRenderer svg(svgPath);
  ASSERT_TRUE(svg.isValid());
  EXPECT_EQ(svg.viewBox(), QRect(0, 0, Width, Height));

  EXPECT_GT(WritePicturePDF(pdfPath.toStdString(), picture), 0);
  const std::vector<uint8_t> pdf = FileBytes(pdfPath);
  const std::string text(pdf.begin(), pdf.end());
  EXPECT_EQ(text.rfind("%PDF-", 0), 0u);
  double width = 0, height = 0;
  const size_t box = text.find("/MediaBox [0 0 ");
  ASSERT_NE(box, std::string::npos);
  ASSERT_EQ(std::sscanf(text.c_str() + box + 15, "%lf %lf", &width, &height), 2);
  EXPECT_DOUBLE_EQ(width, Width);
  EXPECT_DOUBLE_EQ(height, Height);
  size_t pages = 0;
  for (size_t at = 0; (at = text.find("/Type /Page\n", at)) != std::string::npos; ++at) ++pages;
  EXPECT_EQ(pages, 1u);

  EXPECT_EQ(WritePictureSVG(dir.filePath("none/chart.svg").toStdString(), picture),
            ResultOpenError);
  EXPECT_EQ(WritePicturePDF(pdfPath.toStdString(), nullptr), ResultFailed);
  EXPECT_EQ(FileBytes(pdfPath), pdf);  // a failed write leaves the old file
  DisposePicture(picture);
}

TEST_F(PictureTest, MetafileHasThePlaceableHeaderAndWellFormedRecords) {
  QTemporaryDir dir;
  const QString path = dir.filePath("chart.wmf");
  Picture* picture = RecordScene(Rect{0, 0, Width, Height});
  const int64_t written = WritePictureWMF(path.toStdString(), picture);
  const std::vector<uint8_t> b = FileBytes(path);
  ASSERT_GT(b.size(), 40u);
  EXPECT_EQ(written, int64_t(b.size()));

  EXPECT_EQ(LE32(b, 0), 0x9AC6CDD7u);
  EXPECT_EQ(LE16(b, 4), 0);
  EXPECT_EQ(std::vector<uint16_t>({LE16(b, 6), LE16(b, 8), LE16(b, 10), LE16(b, 12)}),
            std::vector<uint16_t>({0, 0, Width, Height}));
  EXPECT_GT(LE16(b, 14), 0);  // the screen's pixels per inch
  uint16_t checksum = 0;
  for (size_t i = 0; i < 20; i += 2) checksum ^= LE16(b, i);
  EXPECT_EQ(LE16(b, 20), checksum);

  // Metafile header, then records whose sizes add up to the file and end with end-of-file.
  EXPECT_EQ(LE16(b, 22), 1);
  EXPECT_EQ(LE16(b, 24), 9);
  EXPECT_EQ(LE16(b, 26), 0x0300);
  EXPECT_EQ(size_t(LE32(b, 28)) * 2, b.size() - 22);
  size_t at = 22 + 18;
  uint32_t largest = 0, last = 0xffff;
  bool anisotropic = false, degreeSign = false;
  while (at + 6 <= b.size()) {
    const uint32_t words = LE32(b, at);
    ASSERT_GE(words, 3u);
    last = LE16(b, at + 4);
    if (last == 0x0103) anisotropic = LE16(b, at + 6) == 8;
    if (last == 0x0521)
      degreeSign |=
          std::find(b.begin() + at, b.begin() + at + 2 * words, 0xB0) != b.begin() + at + 2 * words;
    largest = std::max(largest, words);
    at += 2 * size_t(words);
  }
  EXPECT_EQ(at, b.size());
  EXPECT_EQ(last, 0u);
  EXPECT_EQ(LE32(b, 34), largest);
  EXPECT_TRUE(anisotropic);
  EXPECT_TRUE(degreeSign);  // the text in the Latin-1 set of the device

  // libwmf reads it all.
  QProcess convert;
  convert.start("wmf2svg", {"-o", dir.filePath("chart.svg"), path});
  ASSERT_TRUE(convert.waitForFinished(60000));
  EXPECT_EQ(convert.exitCode(), 0) << convert.readAllStandardError().toStdString();
  const QByteArray svg = [&] {
    QFile f(dir.filePath("chart.svg"));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }();
  EXPECT_TRUE(svg.contains("<svg"));
  EXPECT_TRUE(svg.contains("ellipse"));
  EXPECT_TRUE(svg.contains("M31"));
  DisposePicture(picture);
}

}  // namespace
}  // namespace qv
