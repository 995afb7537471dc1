// qv animate: the animated GIF decoded by giflib (frames, delays, size, looping), its frames
// moving with the time and the trail, and bad arguments.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "tests/platform/decoded_gif.h"
#include "tests/qv/qv_fixture.h"

namespace qv {
namespace {

// Pixels that differ between two frames of the same screen.
int Changed(const GifFileType* gif, int a, int b) {
  int n = 0;
  const int size = gif->SWidth * gif->SHeight;
  for (int i = 0; i < size; ++i)
    n += gif->SavedImages[a].RasterBits[i] != gif->SavedImages[b].RasterBits[i];
  return n;
}

TEST_F(QvTest, AnimateWritesOneFramePerStepThatViewersReplay) {
  const std::string path = scratch / "mars.gif";
  ASSERT_EQ(Run({"animate", "--date", "2024/11/01 00:00:00", "--step", "7", "--frames", "5",
                 "--trail", "Mars,Jupiter", "--size", "320x200", "--out", path}),
            QvSuccess)
      << err;
  EXPECT_EQ(err, "");
  DecodedGif gif(path);
  ASSERT_NE(gif.gif, nullptr);
  EXPECT_EQ(gif.version, "GIF89a");
  EXPECT_EQ(gif.gif->SWidth, 320);
  EXPECT_EQ(gif.gif->SHeight, 200);
  ASSERT_EQ(gif.Frames(), 5);
  for (int k = 0; k < 5; ++k) EXPECT_EQ(gif.Delay(k), 7);
  EXPECT_EQ(gif.LoopCount(), 0);
  EXPECT_EQ(gif.gif->SColorMap->ColorCount, 256);
  for (int k = 1; k < 5; ++k) EXPECT_GT(Changed(gif.gif, k - 1, k), 0) << k;  // the sky turns
}

TEST_F(QvTest, AnimateRefusesWhatItCannotDo) {
  const std::string path = scratch / "a.gif";
  struct Case {
    std::vector<std::string> args;
    int code;
    const char* says;
  };
  const Case cases[] = {
      {{"--step", "1", "--frames", "3", "--out", path}, QvUserError, "--jd or --date"},
      {{"--jd", "2460615.5", "--step", "0", "--frames", "3", "--out", path},
       QvUserError,
       "--step needs"},
      {{"--jd", "2460615.5", "--step", "1", "--frames", "0", "--out", path},
       QvUserError,
       "--frames needs"},
      {{"--jd", "2460615.5", "--step", "1", "--frames", "3", "--out", scratch / "a.png"},
       QvUserError,
       ".gif"},
      {{"--jd", "5373480.5", "--step", "10", "--frames", "3", "--out", path},
       QvUserError,
       "outside"},
      {{"--jd", "2460615.5", "--step", "1", "--frames", "3", "--trail", "Mars,Nowhere", "--out",
        path},
       QvUserError,
       "Nowhere"},
      {{"--jd", "2460615.5", "--step", "1", "--frames", "3", "--size", "320x200", "--out",
        scratch / "missing/a.gif"},
       QvFileError,
       "can't open"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"animate"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    SCOPED_TRACE(args.back());
    EXPECT_EQ(Run(args), c.code);
    EXPECT_NE(err.find(c.says), std::string::npos) << err;
    EXPECT_FALSE(FileExists(path));
  }
}

}  // namespace
}  // namespace qv
