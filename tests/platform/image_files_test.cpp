// Image files: every file written is read back by an independent decoder (Qt's BMP reader,
// giflib, libtiff, libjpeg) and compared with the image; failures leave no half file.
#include "platform/image_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <tiffio.h>

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>
// After the C++ headers: jpeglib.h uses FILE and size_t without declaring them.
#include <jpeglib.h>

#include "platform/draw.h"
#include "platform/image_qt.h"
#include "platform/result.h"
#include "tests/platform/decoded_gif.h"
#include "tests/platform/gui_app.h"

namespace qv {
namespace {

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t LE32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

// A test image: every pixel a different value where the depth allows (index or colour).
Image* Pattern(int width, int height, int bits) {
  Image* image = NewImage(width, height, bits);
  const uint32_t mask = bits == 32 ? 0xffffffu : (1u << bits) - 1;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t v =
          bits == 32 ? PixelValueFromRGB(x * 9, y * 13, (x * y) & 0xff) : (x + 3 * y) & mask;
      SetPixelValue(image, ImageRow(image, y), x, v);
    }
  }
  if (bits == 8) SetImagePaletteEntry(image, 77, 12, 34, 56);  // a non-default entry is kept
  return image;
}

Color ColorAt(const Image* image, int x, int y) {
  int r, g, b;
  if (image->device) {
    const QRgb p = ImageToQImage(*image).pixel(x, y);
    return MakeColor(qRed(p), qGreen(p), qBlue(p));
  }
  PixelValueToRGB(image, GetPixelValue(image, ImageRow(image, y), x), &r, &g, &b);
  return MakeColor(r, g, b);
}

class ImageFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureGuiApplication();
    ASSERT_TRUE(dir.isValid());
  }
  std::string PathOf(const char* name) { return dir.filePath(name).toStdString(); }
  QTemporaryDir dir;
};

TEST_F(ImageFilesTest, BitmapOfTenPixelWideEightBitImage) {
  Image* image = Pattern(10, 3, 8);
  const std::string path = PathOf("ten.bmp");
  const int64_t written = WriteImageBMP(image, path);
  const std::vector<uint8_t> b = FileBytes(path);
  ASSERT_EQ(b.size(), 1078u + 3 * 12);  // 14 + 40 + 1024 palette, rows of 12 bytes
  EXPECT_EQ(written, int64_t(b.size()));
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(LE32(b, 2), b.size());
  EXPECT_EQ(LE32(b, 6), 0u);
  EXPECT_EQ(LE32(b, 10), 1078u);
  EXPECT_EQ(LE32(b, 14), 40u);
  EXPECT_EQ(LE32(b, 18), 10u);
  EXPECT_EQ(LE32(b, 22), 3u);
  EXPECT_EQ(b[26] | b[27] << 8, 1);
  EXPECT_EQ(b[28] | b[29] << 8, 8);
  EXPECT_EQ(LE32(b, 34), 36u);
  // Palette entry 2 is red as blue, green, red, 0; entry 77 the one set.
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 54 + 8, b.begin() + 54 + 12),
            (std::vector<uint8_t>{0, 0, 255, 0}));
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 54 + 308, b.begin() + 54 + 312),
            (std::vector<uint8_t>{56, 34, 12, 0}));
  // The first row in the file is the image's bottom row.
  for (int x = 0; x < 10; ++x) EXPECT_EQ(b[1078 + x], GetPixelValue(image, ImageRow(image, 2), x));
  EXPECT_EQ(b[1078 + 10], 0);  // padding
  DisposeImage(image);
}

TEST_F(ImageFilesTest, BitmapsOfEveryDepthDecodeToTheImage) {
  for (const int bits : {1, 4, 8, 32, 0}) {
    SCOPED_TRACE(bits);
    Image* image = bits == 0 ? NewImage(13, 7, 0) : Pattern(13, 7, bits);
    if (bits == 0) {
      BeginImageDrawing(nullptr, image);
      SetPen(MakeColor(10, 200, 30), 0, true);
      DrawEllipse(0, 0, 13, 7);
      EndImageDrawing();
    }
    const std::string path = PathOf("depth.bmp");
    ASSERT_GT(WriteImageBMP(image, path), 0);
    QImageReader reader(QString::fromStdString(path), "bmp");
    const QImage decoded = reader.read();
    ASSERT_FALSE(decoded.isNull()) << reader.errorString().toStdString();
    ASSERT_EQ(decoded.size(), QSize(13, 7));
    for (int y = 0; y < 7; ++y) {
      for (int x = 0; x < 13; ++x) {
        const QRgb p = decoded.pixel(x, y);
        EXPECT_EQ(MakeColor(qRed(p), qGreen(p), qBlue(p)), ColorAt(image, x, y)) << x << "," << y;
      }
    }
    DisposeImage(image);
  }
}

void ExpectFrameIs(const GifFileType* gif, int frame, const Image* image) {
  const SavedImage& saved = gif->SavedImages[frame];
  ASSERT_EQ(saved.ImageDesc.Width, gif->SWidth);
  ASSERT_EQ(saved.ImageDesc.Height, gif->SHeight);
  EXPECT_FALSE(saved.ImageDesc.Interlace);
  const ColorMapObject* map = saved.ImageDesc.ColorMap ? saved.ImageDesc.ColorMap : gif->SColorMap;
  for (int y = 0; y < gif->SHeight; ++y) {
    for (int x = 0; x < gif->SWidth; ++x) {
      const int index = saved.RasterBits[y * gif->SWidth + x];
      const bool inside = x < ImageWidth(image) && y < ImageHeight(image);
      const int expected = inside ? int(GetPixelValue(image, ImageRow(image, y), x)) : 0;
      ASSERT_EQ(index, expected) << x << "," << y;
      if (inside) {
        const GifColorType c = map->Colors[index];
        EXPECT_EQ(MakeColor(c.Red, c.Green, c.Blue), ColorAt(image, x, y));
      }
    }
  }
}

TEST_F(ImageFilesTest, GifStillImagesDecodeToTheImage) {
  for (const int bits : {1, 4, 8}) {
    SCOPED_TRACE(bits);
    Image* image = Pattern(21, 9, bits);
    const std::string path = PathOf("still.gif");
    const int64_t written = WriteImageGIF(image, path);
    EXPECT_EQ(written, int64_t(FileBytes(path).size()));
    DecodedGif decoded(path);
    ASSERT_NE(decoded.gif, nullptr);
    EXPECT_EQ(decoded.version, "GIF87a");
    EXPECT_EQ(decoded.LoopCount(), -1);
    EXPECT_EQ(decoded.gif->SWidth, 21);
    EXPECT_EQ(decoded.gif->SHeight, 9);
    EXPECT_EQ(decoded.gif->SColorResolution, bits);
    EXPECT_EQ(decoded.gif->SBackGroundColor, 0);
    ASSERT_EQ(decoded.gif->SColorMap->ColorCount, 1 << bits);
    ASSERT_EQ(decoded.gif->ImageCount, 1);
    EXPECT_EQ(decoded.gif->SavedImages[0].ImageDesc.ColorMap, nullptr);
    ExpectFrameIs(decoded.gif, 0, image);
    DisposeImage(image);
  }
  // 32 bits cannot be a GIF: nothing is written.
  Image* deep = Pattern(4, 4, 32);
  EXPECT_EQ(WriteImageGIF(deep, PathOf("deep.gif")), ResultFailed);
  EXPECT_EQ(OpenGIF(deep, PathOf("deep.gif"), "GIF89a"), nullptr);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(PathOf("deep.gif"))));
  DisposeImage(deep);
}

TEST_F(ImageFilesTest, AnimatedGifCarriesControlBlocksAndEveryFrame) {
  Image* first = Pattern(16, 10, 8);
  Image* second = Pattern(16, 10, 8);
  SetPixelValue(second, ImageRow(second, 4), 4, 200);
  Image* larger = Pattern(20, 12, 8);         // cut to the screen
  Image* smaller = Pattern(6, 5, 8);          // padded with index 0
  SetImagePaletteEntry(smaller, 3, 1, 2, 3);  // own palette: a local colour map
  const std::string path = PathOf("anim.gif");
  GifStream* gif = OpenGIF(first, path, "GIF89a");
  ASSERT_NE(gif, nullptr);
  EXPECT_EQ(WriteGIFLoop(gif, 3), 1);
  struct Frame {
    const Image* image;
    bool transparent;
    int transparentIndex;
    bool userInput;
    int delay, disposal;
  };
  const Frame frames[] = {{first, false, 0, false, 7, GifDisposalNone},
                          {second, true, 5, true, 12, GifRestoreBackground},
                          {larger, false, 0, false, 7, GifKeepFrame},
                          {smaller, false, 0, false, 0, GifRestorePrevious}};
  for (const Frame& f : frames) {
    EXPECT_EQ(WriteGIFFrame(gif, f.image, f.transparent, f.transparentIndex, f.userInput, f.delay,
                            f.disposal),
              1);
  }
  EXPECT_EQ(WriteGIFLoop(gif, 0), 0);  // only before the first frame
  // Nothing is in place until the stream is closed.
  EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
  EXPECT_GT(CloseGIF(gif), 0);

  DecodedGif decoded(path);
  ASSERT_NE(decoded.gif, nullptr);
  EXPECT_EQ(decoded.version, "GIF89a");
  EXPECT_EQ(decoded.LoopCount(), 3);
  ASSERT_EQ(decoded.gif->ImageCount, 4);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    GraphicsControlBlock control;
    ASSERT_EQ(DGifSavedExtensionToGCB(decoded.gif, i, &control), GIF_OK);
    EXPECT_EQ(control.DelayTime, frames[i].delay);
    EXPECT_EQ(control.DisposalMode, frames[i].disposal);
    EXPECT_EQ(control.UserInputFlag, frames[i].userInput);
    EXPECT_EQ(control.TransparentColor,
              frames[i].transparent ? frames[i].transparentIndex : NO_TRANSPARENT_COLOR);
    ExpectFrameIs(decoded.gif, i, frames[i].image);
  }
  EXPECT_EQ(decoded.gif->SavedImages[1].ImageDesc.ColorMap, nullptr);
  ASSERT_NE(decoded.gif->SavedImages[3].ImageDesc.ColorMap, nullptr);
  EXPECT_EQ(decoded.gif->SavedImages[3].ImageDesc.ColorMap->Colors[3].Blue, 3);
  for (Image* image : {first, second, larger, smaller}) DisposeImage(image);
}

TEST_F(ImageFilesTest, TiffOfEveryDepthReadsBackWithLibtiff) {
  for (const int bits : {1, 4, 8, 32}) {
    SCOPED_TRACE(bits);
    Image* image = Pattern(11, 6, bits);
    const std::string path = PathOf("image.tif");
    ASSERT_GT(WriteImageTIFF(image, path), 0);
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    ASSERT_NE(tiff, nullptr);
    uint32_t width = 0, length = 0;
    uint16_t sampleBits = 0, samples = 0, photometric = 0, compression = 0, planar = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &length);
    TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &sampleBits);
    TIFFGetField(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
    TIFFGetField(tiff, TIFFTAG_COMPRESSION, &compression);
    TIFFGetField(tiff, TIFFTAG_PLANARCONFIG, &planar);
    EXPECT_EQ(width, 11u);
    EXPECT_EQ(length, 6u);
    EXPECT_EQ(compression, COMPRESSION_NONE);
    EXPECT_EQ(planar, PLANARCONFIG_CONTIG);
    EXPECT_EQ(sampleBits, bits == 32 ? 8 : bits);
    EXPECT_EQ(samples, bits == 32 ? 3 : 1);
    EXPECT_EQ(photometric, bits == 32  ? PHOTOMETRIC_RGB
                           : bits == 1 ? PHOTOMETRIC_MINISBLACK
                                       : PHOTOMETRIC_PALETTE);
    if (bits == 4 || bits == 8) {
      uint16_t *red, *green, *blue;
      ASSERT_TRUE(TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue));
      for (int i = 0; i < 1 << bits; ++i) {
        int r, g, b;
        GetImagePaletteEntry(image, i, &r, &g, &b);
        EXPECT_EQ(red[i], r * 257);
        EXPECT_EQ(green[i], g * 257);
        EXPECT_EQ(blue[i], b * 257);
      }
    }
    // libtiff's own RGBA conversion, which applies the photometric and colour map, gives the
    // image's colours.
    std::vector<uint32_t> rgba(11 * 6);
    ASSERT_TRUE(TIFFReadRGBAImageOriented(tiff, 11, 6, rgba.data(), ORIENTATION_TOPLEFT, 0));
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 11; ++x) {
        const uint32_t p = rgba[y * 11 + x];
        EXPECT_EQ(MakeColor(TIFFGetR(p), TIFFGetG(p), TIFFGetB(p)), ColorAt(image, x, y))
            << x << "," << y;
      }
    }
    TIFFClose(tiff);
    DisposeImage(image);
  }
}

// Qt's PNG decoder gives back every pixel.
TEST_F(ImageFilesTest, PngOfEveryDepthDecodesToTheImage) {
  for (const int bits : {1, 8, 32}) {
    SCOPED_TRACE(bits);
    Image* image = Pattern(21, 9, bits);
    const std::string path = PathOf("chart.png");
    const int64_t written = WriteImagePNG(image, path);
    EXPECT_EQ(written, int64_t(FileBytes(path).size()));
    QImageReader reader(QString::fromStdString(path), "png");
    const QImage decoded = reader.read();
    ASSERT_FALSE(decoded.isNull()) << reader.errorString().toStdString();
    ASSERT_EQ(decoded.size(), QSize(21, 9));
    for (int y = 0; y < 9; ++y) {
      for (int x = 0; x < 21; ++x) {
        const QRgb p = decoded.pixel(x, y);
        ASSERT_EQ(MakeColor(qRed(p), qGreen(p), qBlue(p)), ColorAt(image, x, y)) << x << "," << y;
      }
    }
    DisposeImage(image);
  }
}

// libjpeg's decoder, used here directly: the pixels within the loss of quality 90, and the
// luminance quantisation table of quality 90 (the standard table scaled to 20 %: 16 -> 3).
TEST_F(ImageFilesTest, JpegReadsBackWithinTheLossOfQualityNinety) {
  Image* image = NewImage(40, 24, 32);
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 40; ++x)
      SetPixelValue(image, ImageRow(image, y), x, PixelValueFromRGB(x * 6, y * 10, 128));
  }
  const std::string path = PathOf("chart.jpg");
  ASSERT_GT(WriteImageJPEG(image, path), 0);

  const std::vector<uint8_t> bytes = FileBytes(path);
  jpeg_decompress_struct codec;
  jpeg_error_mgr errors;
  codec.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&codec);
  jpeg_mem_src(&codec, bytes.data(), bytes.size());
  ASSERT_EQ(jpeg_read_header(&codec, TRUE), JPEG_HEADER_OK);
  EXPECT_FALSE(codec.progressive_mode);
  ASSERT_NE(codec.quant_tbl_ptrs[0], nullptr);
  EXPECT_EQ(codec.quant_tbl_ptrs[0]->quantval[0], 3);
  codec.out_color_space = JCS_RGB;
  jpeg_start_decompress(&codec);
  ASSERT_EQ(codec.output_width, 40u);
  ASSERT_EQ(codec.output_height, 24u);
  std::vector<uint8_t> row(40 * 3);
  double totalError = 0;
  while (codec.output_scanline < codec.output_height) {
    const int y = codec.output_scanline;
    JSAMPROW line = row.data();
    jpeg_read_scanlines(&codec, &line, 1);
    for (int x = 0; x < 40; ++x) {
      const Color c = ColorAt(image, x, y);
      const int errors3[] = {row[3 * x] - RedOf(c), row[3 * x + 1] - GreenOf(c),
                             row[3 * x + 2] - BlueOf(c)};
      for (const int e : errors3) {
        EXPECT_LE(std::abs(e), 24);
        totalError += std::abs(e);
      }
    }
  }
  jpeg_finish_decompress(&codec);
  jpeg_destroy_decompress(&codec);
  EXPECT_LT(totalError / (40 * 24 * 3), 3.0);
  DisposeImage(image);
}

TEST_F(ImageFilesTest, JpegReaderDecodesColourAndGreyAndRefusesDamage) {
  Image* image = NewImage(17, 9, 32);
  for (int y = 0; y < 9; ++y) {
    for (int x = 0; x < 17; ++x)
      SetPixelValue(image, ImageRow(image, y), x, PixelValueFromRGB(200, x * 15, y * 28));
  }
  const std::string path = PathOf("map.jpg");
  ASSERT_GT(WriteImageJPEG(image, path), 0);
  RgbPixels pixels;
  ASSERT_EQ(ReadJPEG(path, pixels), ResultOk);
  ASSERT_EQ(pixels.width, 17);
  ASSERT_EQ(pixels.height, 9);
  ASSERT_EQ(pixels.rgb.size(), 17u * 9 * 3);
  EXPECT_NEAR(pixels.rgb[(4 * 17 + 8) * 3 + 1], 8 * 15, 24);
  Image* read = ReadJPEGImage(path);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(ImageDepth(read), 32);
  const Color c = ColorAt(read, 8, 4);
  EXPECT_EQ(RedOf(c), pixels.rgb[(4 * 17 + 8) * 3]);
  EXPECT_EQ(GreenOf(c), pixels.rgb[(4 * 17 + 8) * 3 + 1]);
  DisposeImage(read);
  DisposeImage(image);

  // A grey image (one component), written with libjpeg here, comes out as equal RGB.
  std::vector<uint8_t> grey;
  {
    jpeg_compress_struct codec;
    jpeg_error_mgr errors;
    codec.err = jpeg_std_error(&errors);
    jpeg_create_compress(&codec);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&codec, &buffer, &size);
    codec.image_width = 8;
    codec.image_height = 8;
    codec.input_components = 1;
    codec.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&codec);
    jpeg_start_compress(&codec, TRUE);
    std::vector<uint8_t> line(8, 100);
    while (codec.next_scanline < 8) {
      JSAMPROW row = line.data();
      jpeg_write_scanlines(&codec, &row, 1);
    }
    jpeg_finish_compress(&codec);
    grey.assign(buffer, buffer + size);
    jpeg_destroy_compress(&codec);
    std::free(buffer);
  }
  ASSERT_EQ(DecodeJPEG(grey, pixels), ResultOk);
  EXPECT_NEAR(pixels.rgb[0], 100, 2);
  EXPECT_EQ(pixels.rgb[0], pixels.rgb[1]);
  EXPECT_EQ(pixels.rgb[1], pixels.rgb[2]);

  // Damage: each refused with a read error and no pixels.
  std::vector<uint8_t> huge = grey;  // the frame header claims 60000 x 60000
  for (size_t i = 0; i + 8 < huge.size(); ++i) {
    if (huge[i] == 0xff && huge[i + 1] == 0xc0) {
      huge[i + 5] = huge[i + 7] = 0xea;
      huge[i + 6] = huge[i + 8] = 0x60;
      break;
    }
  }
  const std::vector<uint8_t> damaged[] = {{},
                                          {0xff, 0xd8},
                                          {'G', 'I', 'F', '8', '9', 'a'},
                                          std::vector<uint8_t>(grey.begin(), grey.begin() + 20),
                                          huge};
  for (const auto& bytes : damaged) {
    SCOPED_TRACE(bytes.size());
    EXPECT_EQ(DecodeJPEG(bytes, pixels), ResultReadError);
    EXPECT_TRUE(pixels.rgb.empty());
    EXPECT_EQ(pixels.width, 0);
  }
  EXPECT_EQ(ReadJPEG(PathOf("missing.jpg"), pixels), ResultOpenError);
  EXPECT_EQ(ReadJPEGImage(PathOf("missing.jpg")), nullptr);
}

// Every writer: a folder that does not exist is an open error; a disk that fills up (here a
// file-size limit) is a write error that leaves the old file as it was and no temporary behind.
TEST_F(ImageFilesTest, FailedWritesLeaveTheOldFileWhole) {
  Image* palette = Pattern(300, 200, 8);
  Image* deep = Pattern(300, 200, 32);
  const std::function<int64_t(const std::string&)> writers[] = {
      [&](const std::string& p) { return WriteImageBMP(palette, p); },
      [&](const std::string& p) { return WriteImageBMP(deep, p); },
      [&](const std::string& p) { return WriteImageGIF(palette, p); },
      [&](const std::string& p) { return WriteImageTIFF(deep, p); },
      [&](const std::string& p) { return WriteImageJPEG(deep, p); },
      [&](const std::string& p) { return WriteImagePNG(deep, p); },
  };
  const std::string old = "the old file";
  for (size_t i = 0; i < std::size(writers); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(writers[i](PathOf("no/such/folder/x.img")), ResultOpenError);

    QTemporaryDir folder;
    const std::string path = folder.filePath("chart.img").toStdString();
    std::ofstream(path) << old;
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &small);
    const int64_t result = writers[i](path);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);

    EXPECT_EQ(result, ResultWriteError);
    const std::vector<uint8_t> now = FileBytes(path);
    EXPECT_EQ(std::string(now.begin(), now.end()), old);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
  }
  DisposeImage(palette);
  DisposeImage(deep);
}

}  // namespace
}  // namespace qv
