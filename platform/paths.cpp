// platform/paths.cpp - path strings: separators, file titles and extensions, the program's place.
// Pure string work except GetProgramPath, which asks the system once.
#include <unistd.h>

#include <algorithm>
#include <climits>

#include "platform/files.h"

namespace qv {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

size_t LastSeparator(std::string_view path) { return path.find_last_of("/\\"); }

std::string& ProgramPathOverride() {
  static std::string path;
  return path;
}

std::string ReadProgramPath() {
  char buffer[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
  return n > 0 && static_cast<size_t>(n) < sizeof buffer
             ? std::string(buffer, static_cast<size_t>(n))
             : std::string();
}

}  // namespace

std::string GetProgramPath() {
  if (!ProgramPathOverride().empty()) return ProgramPathOverride();
  static const std::string path = ReadProgramPath();
  return path;
}

void SetProgramPath(std::string path) { ProgramPathOverride() = std::move(path); }

std::string PathBesideProgram(std::string_view name) {
  std::string path = GetProgramPath();
  ReplaceFileName(path, name);
  return path;
}

void ReplaceFileName(std::string& path, std::string_view name) {
  const size_t sep = LastSeparator(path);
  path.erase(sep == std::string::npos ? 0 : sep + 1);
  path.append(name);
}

void AppendPathComponent(std::string& path, std::string_view name) {
  if (!path.empty() && !IsSeparator(path.back())) path.push_back('/');
  path.append(name);
}

void StripLastComponent(std::string& path) {
  const size_t sep = LastSeparator(path);
  if (sep == std::string::npos) return;
  path.erase(sep == 0 ? 1 : sep);  // "/Database" keeps its root
}

std::string GetFileTitle(std::string_view path) {
  const size_t sep = LastSeparator(path);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string GetFileExtension(std::string_view path) {
  const std::string title = GetFileTitle(path);
  const size_t dot = title.rfind('.');
  return dot == std::string::npos ? title : title.substr(dot);
}

std::string DiskPath(std::string_view path) {
  std::string out(path);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

bool SamePath(std::string_view a, std::string_view b) {
  const auto fold = [](char c) {
    if (IsSeparator(c)) return '/';
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;  // ASCII only: no locale
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return fold(x) == fold(y); });
}

}  // namespace qv
