// objects/printf_text.h - a printf-formatted text in one of the program's 256-byte text buffers
// (255 characters; a longer result is cut).
#pragma once

#include <string>

namespace qv {

std::string PrintfText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace qv
