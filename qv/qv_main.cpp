// qv/qv_main.cpp - the entry point of qv, the command-line companion (qv/commands.h).
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "qv/commands.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const qv::QvOutput output{
      [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); },
      [](std::string_view text) { std::fwrite(text.data(), 1, text.size(), stderr); },
  };
  const int code = qv::RunQv(args, output);
  if (std::fflush(stdout) != 0) return qv::QvFileError;  // a full disk or a closed pipe
  return code;
}
