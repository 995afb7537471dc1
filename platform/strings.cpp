// platform/strings.cpp - the string table, parsed once from the text built into the program.
// Format of resources/strings.txt: one string a line, "number<TAB>text" or "number Name<TAB>text"
// (the name is for code, see generated/string_numbers.h); lines that do not start with a number
// are comments. Texts are UTF-8 and are taken as they stand (no escapes).
#include "platform/strings.h"

#include <cstdlib>
#include <map>
#include <string_view>

extern const unsigned char StringTableText[];  // resources/strings.txt, zero-terminated

namespace qv {
namespace {

std::map<int, std::string> ParseStringTable(std::string_view text) {
  std::map<int, std::string> table;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const size_t tab = line.find('\t');
    if (line.empty() || line[0] < '0' || line[0] > '9' || tab == std::string_view::npos) continue;
    const int number = std::atoi(std::string(line.substr(0, tab)).c_str());
    table[number] = std::string(line.substr(tab + 1));
  }
  return table;
}

const std::map<int, std::string>& Table() {
  static const std::map<int, std::string> table =
      ParseStringTable(reinterpret_cast<const char*>(StringTableText));
  return table;
}

}  // namespace

const char* GetString(int number) {
  const auto it = Table().find(number);
  return it == Table().end() ? nullptr : it->second.c_str();
}

bool LoadString(int number, std::string& out) {
  const char* s = GetString(number);
  out = s ? s : "";
  return s != nullptr;
}

}  // namespace qv
