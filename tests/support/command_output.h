// What an outside program makes of a file: a shell command's standard output.
#pragma once

#include <cstdio>
#include <string>

namespace qv {

inline std::string CommandOutput(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    pclose(pipe);
  }
  return text;
}

}  // namespace qv
