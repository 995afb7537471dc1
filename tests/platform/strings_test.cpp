// The string table file: well formed, every number once, and the texts other code relies on.
#include "platform/strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>

namespace qv {
namespace {

// A duplicated number silently drops one text; a line without a tab, or with anything but a
// code name between the number and the tab, never loads. Both are easy to make by hand, so the file
// is checked line by line.
TEST(StringTableFile, EveryNumberedLineIsWellFormedAscendingAndLoads) {
  std::ifstream in(QV_SOURCE_DIR "/resources/strings.txt");
  ASSERT_TRUE(in.good());
  std::string line;
  int previous = 0, count = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] < '0' || line[0] > '9') continue;
    SCOPED_TRACE(line);
    const size_t tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos);
    const size_t space = line.find(' ');
    const std::string digits = line.substr(0, std::min(space, tab));
    ASSERT_EQ(digits.find_first_not_of("0123456789"), std::string::npos);
    if (space < tab) {
      const std::string name = line.substr(space + 1, tab - space - 1);
      ASSERT_FALSE(name.empty());
      ASSERT_EQ(name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"),
                std::string::npos);
    }
    const int number = std::stoi(digits);
    EXPECT_GT(number, previous) << "numbers must ascend, each once";
    previous = number;
    const std::string text = line.substr(tab + 1);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find('\r'), std::string::npos);
    ASSERT_NE(GetString(number), nullptr);
    EXPECT_EQ(GetString(number), text);
    ++count;
  }
  EXPECT_GT(count, 100);
}

// Ranges that other code walks by number (type combo boxes, the telescope list, the legend):
// a gap inside them shows as an empty entry.
TEST(StringTableFile, NumberedRangesHaveNoGaps) {
  const struct {
    int first, last;
  } ranges[] = {{1001, 1038}, {1051, 1056}, {1061, 1065}, {2048, 2052},
                {2500, 2512}, {2600, 2601}, {2800, 2803}};
  for (const auto& r : ranges) {
    for (int n = r.first; n <= r.last; ++n) EXPECT_NE(GetString(n), nullptr) << n;
  }
  EXPECT_EQ(GetString(1039), nullptr);  // kinds 39-50 do not exist
  EXPECT_STREQ(GetString(1015), "Earth's moon");
  EXPECT_STREQ(GetString(2511), "AIM Controls Coordinate");
}

}  // namespace
}  // namespace qv
