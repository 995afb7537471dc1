// qv/qv_main.cpp - the entry point of qv, the command-line companion (qv/commands.h).
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/memory.h"
#include "qv/commands.h"

// Leave: ends the process without the libraries' teardown. By now every file qv wrote is
// closed and in place, the database closed and standard output flushed (standard error is
// unbuffered): freeing each record and Qt's fonts one by one would only cost time.
[[noreturn]] void Leave(int code) { std::_Exit(code); }

int main(int argc, char** argv) {
  qv::ReserveLargeHeapPages(size_t{64} << 20);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const qv::QvOutput output{
      [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); },
      [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stderr); },
  };
  const int code = qv::RunQv(args, output);
  const bool flushed = std::fflush(stdout) == 0;
  if (flushed && !std::ferror(stdout)) Leave(code);
  // A full disk or a closed pipe: what was printed did not all arrive.
  std::fprintf(stderr, "qv: can't write to standard output: %s\n",
               flushed ? "a write failed" : std::strerror(errno));
  Leave(qv::QvFileError);
}
