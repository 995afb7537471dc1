// chart/animation_gif.h - animated GIF files of the chart: a "GIF89a" stream for the chart's
// 8-bit image that viewers replay for ever, and one frame appended per animation step.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/draw.h"
#include "platform/image_files.h"

namespace qv {

constexpr int AnimationImageDepth = 8;  // bits per pixel of the chart image while saving
constexpr int AnimationFrameDelay = 7;  // hundredths of a second from one frame to the next

// StartAnimationGif: creates the file (type "GIFf", creator "TVOD") and starts its stream for
// images of this one's size and palette, with the looping extension; none when the image is
// not a palette image or the file cannot be created. The file takes its name at the end.
GifStream* StartAnimationGif(std::string_view path, const Image* image);

// AppendAnimationFrame: the image as the next frame: no transparency, no user input, disposal
// none, AnimationFrameDelay. False when it could not be written (the stream has then failed).
bool AppendAnimationFrame(GifStream* gif, const Image* image);

// EndAnimationGif: ends the stream and puts the file in place (CloseGIF's result).
int64_t EndAnimationGif(GifStream* gif);

}  // namespace qv
