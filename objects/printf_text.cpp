// objects/printf_text.cpp - printf-formatted texts (printf_text.h).
#include "objects/printf_text.h"

#include <cstdarg>
#include <cstdio>

namespace qv {

std::string PrintfText(const char* format, ...) {
  char buffer[256];  // the program's text buffers: 255 characters
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

}  // namespace qv
