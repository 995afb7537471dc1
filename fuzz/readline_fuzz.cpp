// fuzz/readline_fuzz.cpp - ReadLine over arbitrary bytes with small buffers. The first byte picks
// the buffer size (0-16), the rest is the file. Every call must consume exactly its text and
// ending, keep the text within the buffer, and the pieces must rebuild the file byte for byte.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t bufferSize = data[0] % 17;
  const std::span<const uint8_t> bytes(data + 1, size - 1);
  qv::FileHandle file = qv::OpenMemoryFile(bytes);
  if (!file) std::abort();
  std::string text, ending, rebuilt;
  const size_t room = bufferSize < 2 ? 1 : bufferSize - 1;
  while (const size_t consumed = qv::ReadLine(*file, text, bufferSize, &ending)) {
    if (consumed != text.size() + ending.size() || text.size() > room) std::abort();
    if (text.find_first_of("\r\n") != std::string::npos) std::abort();
    rebuilt += text + ending;
  }
  if (rebuilt != std::string(bytes.begin(), bytes.end())) std::abort();
  return 0;
}
