// chart/animation_gif.cpp - animated GIF files of the chart (animation_gif.h).
#include "chart/animation_gif.h"

namespace qv {

constexpr int LoopForEver = 0;

GifStream* StartAnimationGif(std::string_view path, const Image* image) {
  GifStream* gif = OpenGIF(image, path, "GIF89a");
  if (gif && !WriteGIFLoop(gif, LoopForEver)) {
    CloseGIF(gif);
    return nullptr;
  }
  return gif;
}

bool AppendAnimationFrame(GifStream* gif, const Image* image) {
  return WriteGIFFrame(gif, image, false, 0, false, AnimationFrameDelay, GifDisposalNone) == 1;
}

int64_t EndAnimationGif(GifStream* gif) { return CloseGIF(gif); }

}  // namespace qv
