// platform/menus_resource.cpp - parsing the menu resource text into MenuResource.
#include "platform/menus_resource.h"

#include <charconv>
#include <set>

extern const unsigned char MenuResourceBytes[];  // resources/menus.txt, zero-terminated

namespace qv {
namespace {

constexpr int MaxMenuItems = 99;  // the item number is the last two digits of a command

struct Line {
  int number = 0;         // 1-based, for messages
  int depth = 0;          // leading tabs
  std::string_view word;  // keyword
  std::string_view rest;  // after the keyword and one space
};

bool ParseInt(std::string_view text, int& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  int number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view s = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    ++number;
    if (!s.empty() && s.back() == '\r') s.remove_suffix(1);
    Line line;
    line.number = number;
    while (line.depth < static_cast<int>(s.size()) && s[line.depth] == '\t') ++line.depth;
    s.remove_prefix(line.depth);
    if (s.empty() || s[0] == '#') continue;
    const size_t space = s.find_first_of(" \t");
    line.word = s.substr(0, space);
    line.rest = space == std::string_view::npos ? std::string_view{} : s.substr(space + 1);
    lines.push_back(line);
  }
  return lines;
}

class Parser {
 public:
  Parser(std::vector<Line> lines, MenuResource& out, std::string& error)
      : lines_(std::move(lines)), out_(out), error_(error) {}

  bool Parse(int resource) {
    bool foundBar = false;
    while (pos_ < lines_.size()) {
      const Line& line = lines_[pos_++];
      int number = 0;
      if (line.depth != 0) return Fail(line, "indented line outside a section");
      if (!ParseInt(line.rest, number)) return Fail(line, "section without a number");
      if (line.word == "menubar") {
        if (number == resource && !ParseBar()) return false;
        foundBar |= number == resource;
      } else if (line.word == "accelerators") {
        if (number == resource && !ParseAccelerators()) return false;
      } else {
        return Fail(line, "unknown section");
      }
      SkipDeeper(0);
    }
    if (!foundBar) error_ = "no menu bar " + std::to_string(resource);
    return foundBar;
  }

 private:
  bool Fail(const Line& line, const char* what) {
    error_ = "menus line " + std::to_string(line.number) + ": " + what;
    return false;
  }

  void SkipDeeper(int depth) {
    while (pos_ < lines_.size() && lines_[pos_].depth > depth) ++pos_;
  }

  bool ParseBar() {
    while (pos_ < lines_.size() && lines_[pos_].depth == 1) {
      const Line& line = lines_[pos_++];
      if (line.word != "menu") return Fail(line, "the bar holds only menus");
      int index = -1;
      if (!ParseMenu(line, index)) return false;
      out_.bar.push_back(index);
    }
    return true;
  }

  // ParseMenu: the menu line has been read; its items follow one tab deeper.
  bool ParseMenu(const Line& head, int& index) {
    const size_t space = head.rest.find(' ');
    ResourceMenu menu;
    if (space == std::string_view::npos || !ParseInt(head.rest.substr(0, space), menu.number) ||
        menu.number <= 0)
      return Fail(head, "menu without a number and a label");
    if (!numbers_.insert(menu.number).second) return Fail(head, "menu number used twice");
    menu.label = head.rest.substr(space + 1);
    index = static_cast<int>(out_.menus.size());
    out_.menus.push_back(menu);
    const int depth = head.depth + 1;
    while (pos_ < lines_.size() && lines_[pos_].depth >= depth) {
      const Line& line = lines_[pos_++];
      if (line.depth > depth) return Fail(line, "too deep");
      ResourceMenuItem item;
      if (line.word == "separator") {
        item.separator = true;
      } else if (line.word == "item") {
        const size_t tab = line.rest.find('\t');
        item.label = line.rest.substr(0, tab);
        if (tab != std::string_view::npos) item.hint = line.rest.substr(tab + 1);
        if (item.label.empty()) return Fail(line, "item without a label");
      } else if (line.word == "menu") {
        if (!ParseMenu(line, item.submenu)) return false;
        item.label = out_.menus[item.submenu].label;
      } else {
        return Fail(line, "unknown item keyword");
      }
      if (out_.menus[index].items.size() == MaxMenuItems) return Fail(line, "more than 99 items");
      out_.menus[index].items.push_back(item);
    }
    return true;
  }

  bool ParseAccelerators() {
    while (pos_ < lines_.size() && lines_[pos_].depth == 1) {
      const Line& line = lines_[pos_++];
      ResourceAccelerator accelerator{std::string(line.word)};
      if (!ParseInt(line.rest, accelerator.command) || accelerator.command <= 0)
        return Fail(line, "accelerator without a command");
      out_.accelerators.push_back(accelerator);
    }
    return true;
  }

  std::vector<Line> lines_;
  size_t pos_ = 0;
  std::set<int> numbers_;
  MenuResource& out_;
  std::string& error_;
};

}  // namespace

bool ParseMenuResource(std::string_view text, int resource, MenuResource& out, std::string& error) {
  out = MenuResource{};
  error.clear();
  return Parser(SplitLines(text), out, error).Parse(resource);
}

std::string_view MenuResourceText() { return reinterpret_cast<const char*>(MenuResourceBytes); }

}  // namespace qv
