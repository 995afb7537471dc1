// qv approach: its lines against PyEphem's events, every extremum of a range, and bad input.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "objects/textformat.h"
#include "tests/astro/ref_table.h"
#include "tests/qv/qv_fixture.h"

namespace qv {
namespace {

// Greenwich, time zone +1 h, light time, aberration and nutation on.
const std::string Observer = TestData("qv_observer.qvs");
constexpr double ZoneDays = 1.0 / 24;

struct ApproachLine {
  double jd = NAN;  // UT
  double separation = NAN;
};

class QvApproachTest : public QvTest {
 protected:
  int Approach(std::vector<std::string> extra) {
    std::vector<std::string> args = {"approach", "--settings", Observer};
    args.insert(args.end(), extra.begin(), extra.end());
    return Run(args);
  }
  // Lines: "local date<TAB>separation" read back.
  std::vector<ApproachLine> Lines() const {
    std::vector<ApproachLine> lines;
    for (const std::string& text : OutputLines()) {
      const size_t tab = text.find('\t');
      ApproachLine line;
      if (tab != std::string::npos &&
          ParseDateTime(text.substr(0, tab), ZoneDays, CalendarGregorian, line.jd)) {
        line.separation = std::stod(text.substr(tab + 1));
      }
      lines.push_back(line);
    }
    return lines;
  }
  static test::RefRow Event(const std::string& name) {
    for (const test::RefRow& row : test::LoadRefTable("approach_pyephem.tsv"))
      if (row.Text("event") == name) return row;
    ADD_FAILURE() << "no event " << name;
    return test::RefRow();
  }
};

// Reference: astro/ref/approach_pyephem.tsv (tools/make_approach_ref.py), seen from 47.5 N
// 8.5 E; from Greenwich the two planets' parallaxes differ by under 1", 0.003 day of their
// relative motion. Limits as in the library's test: 0.01 day, 1', 2e-3 of the distance; a date
// read in the wrong zone misses by 0.04 day.
TEST_F(QvApproachTest, FindsTheGreatConjunctionAndMarsNearestAsPyEphem) {
  ASSERT_EQ(Approach({"--object", "Jupiter", "--object", "Saturn", "--start", "2020/11/01", "--end",
                      "2021/01/31", "--step", "1"}),
            QvSuccess)
      << err;
  std::vector<ApproachLine> lines = Lines();
  ASSERT_EQ(lines.size(), 1u) << out;
  EXPECT_EQ(out.substr(0, 11), "2020/12/21 ");
  const test::RefRow conjunction = Event("great conjunction 2020");
  EXPECT_NEAR(lines[0].jd, conjunction.Number("jd_ut"), 0.01);
  EXPECT_NEAR(lines[0].separation, conjunction.Number("separation"), 1 / 60.0);

  ASSERT_EQ(Approach({"--object", "Earth", "--object", "Mars", "--physical", "--start",
                      "2003/07/01", "--end", "2003/10/01", "--step", "2"}),
            QvSuccess)
      << err;
  lines = Lines();
  ASSERT_EQ(lines.size(), 1u) << out;
  const test::RefRow mars = Event("Mars nearest 2003");
  EXPECT_NEAR(lines[0].jd, mars.Number("jd_ut"), 0.01);
  EXPECT_NEAR(lines[0].separation, mars.Number("separation"), 2e-3 * mars.Number("separation"));
}

// --all goes on from each extremum: over 2020 the planets also pass a least separation in May,
// when both turn back in the sky, and their widest between the two; the great conjunction is
// among the lines, in date order.
TEST_F(QvApproachTest, AllListsEveryExtremumInDateOrder) {
  const std::vector<std::string> year = {"--object", "Jupiter",    "--object", "Saturn",
                                         "--start",  "2020/01/01", "--end",    "2020/12/31",
                                         "--step",   "1",          "--all"};
  ASSERT_EQ(Approach(year), QvSuccess) << err;
  const std::vector<ApproachLine> closest = Lines();
  ASSERT_GE(closest.size(), 2u) << out;
  const double conjunction = Event("great conjunction 2020").Number("jd_ut");
  EXPECT_NEAR(closest.back().jd, conjunction, 0.01) << out;
  for (size_t i = 1; i < closest.size(); ++i) {
    EXPECT_GT(closest[i].jd, closest[i - 1].jd) << out;
    EXPECT_GT(closest[i - 1].separation, 4.0) << out;  // about 4.7 degrees in May
  }
  std::vector<std::string> widest = year;
  widest.push_back("--maximum");
  ASSERT_EQ(Approach(widest), QvSuccess) << err;
  const std::vector<ApproachLine> lines = Lines();
  ASSERT_GE(lines.size(), 1u) << out;
  EXPECT_GT(lines.front().jd, closest.front().jd) << out;
  EXPECT_LT(lines.back().jd, conjunction) << out;
  EXPECT_GT(lines.front().separation, closest.front().separation) << out;
}

TEST_F(QvApproachTest, BadInputAndEmptyRangesGiveTheirMessage) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {{"--object", "Jupiter", "--step", "1"}, "give --object twice"},
      {{"--object", "Jupiter", "--object", "Vulcan", "--step", "1"}, "\"Vulcan\""},
      {{"--object", "Jupiter", "--object", "Saturn", "--step", "0"}, "--step needs a positive"},
      {{"--object", "Jupiter", "--object", "Saturn", "--step", "1e-5"}, "more than 1,000,000"},
      {{"--object", "Jupiter", "--object", "Saturn", "--step", "1", "--maximum"},
       "no widest approach of Jupiter and Saturn"},
      {{"--object", "Mars", "--object", "Mars", "--step", "1"}, "no closest approach"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    std::vector<std::string> args = {"--start", "2020/12/01", "--end", "2021/01/01"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    EXPECT_EQ(Approach(args), QvUserError);
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
    EXPECT_TRUE(out.empty()) << out;
  }
}

}  // namespace
}  // namespace qv
