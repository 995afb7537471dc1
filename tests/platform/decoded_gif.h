// giflib's decoder over a written GIF file, for the tests of every writer of GIFs (the platform's
// writer, animations of the program and of qv): version, screen, colour map, frames with their
// control blocks, and the looping extension.
#pragma once

#include <gif_lib.h>

#include <cstring>
#include <fstream>
#include <string>

namespace qv {

struct DecodedGif {
  std::string version;
  GifFileType* gif = nullptr;
  explicit DecodedGif(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[6] = {};
    in.read(head, sizeof head);
    version.assign(head, static_cast<size_t>(in.gcount()));
    int error = 0;
    gif = DGifOpenFileName(path.c_str(), &error);
    if (gif && DGifSlurp(gif) != GIF_OK) {
      DGifCloseFile(gif, &error);
      gif = nullptr;
    }
  }
  ~DecodedGif() {
    int error;
    if (gif) DGifCloseFile(gif, &error);
  }
  DecodedGif(const DecodedGif&) = delete;
  DecodedGif& operator=(const DecodedGif&) = delete;

  int Frames() const { return gif ? gif->ImageCount : 0; }
  // Delay: the frame's delay in hundredths of a second; -1 without a control block.
  int Delay(int frame) const {
    GraphicsControlBlock control;
    if (DGifSavedExtensionToGCB(gif, frame, &control) != GIF_OK) return -1;
    return control.DelayTime;
  }
  // LoopCount: the "NETSCAPE2.0" extension's count before the first frame (0: for ever); -1
  // when there is none.
  int LoopCount() const {
    if (!gif || gif->ImageCount == 0) return -1;
    const SavedImage& first = gif->SavedImages[0];
    for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
      const ExtensionBlock& app = first.ExtensionBlocks[i];
      const ExtensionBlock& data = first.ExtensionBlocks[i + 1];
      if (app.Function == APPLICATION_EXT_FUNC_CODE && app.ByteCount == 11 &&
          std::memcmp(app.Bytes, "NETSCAPE2.0", 11) == 0 && data.ByteCount == 3 &&
          data.Bytes[0] == 1)
        return data.Bytes[1] | data.Bytes[2] << 8;
    }
    return -1;
  }
};

}  // namespace qv
