// Name matching: exact and substring matches, case, alternatives and words, and the search over
// the store with Find Next and cancelling.
#include "objects/namesearch.h"

#include <vector>

#include "platform/progress.h"
#include "tests/objects/database_fixture.h"

namespace qv {
namespace {

TEST(NameMatching, ExactSubstringCaseAndAlternatives) {
  struct Case {
    const char* search;
    bool caseSensitive, exact;
    const char* name;
    bool matches;
  };
  const Case cases[] = {
      {"Orion neb", false, false, "M42; Orion Nebula", true},
      {"Orion neb", false, false, "Orion; Nebula", false},  // the words must meet in one part
      {"Orion neb", false, true, "M42; Orion Nebula", false},
      {"Orion neb", false, true, "Orion; Nebula", false},
      {"Orion neb", true, false, "M42; Orion Nebula", false},  // "neb" is not "Neb"
      {"nebula orion", false, false, "Orion Nebula", true},    // words in any order
      {"sirius; alpha cma", false, true, "Alpha CMa; Sirius", true},
      {"sirius; beta cma", false, true, "Alpha CMa; Sirius", false},  // exact: every alternative
      {"Vega; sirius", false, false, "Alpha CMa; Sirius", true},      // otherwise: any one
      {"Sirius", true, true, "  Sirius;", true},
      {"HR 2491", false, false, "HR2491", true},  // a typed blank still finds the designation
      {"HR 2491", false, true, "HR2491", false},
      {"HR2491", false, false, "$a CMa; HR2491", true},
      {"", false, false, "Sirius", false},
      {" ; ;", false, true, "Sirius", false},
      {"s", false, false, "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.search) + " / " + c.name);
    EXPECT_EQ(NameMatches(MakeNameQuery(c.search, c.caseSensitive, c.exact), c.name), c.matches);
  }
}

class NameSearchTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    CreateDatabase();
    for (const char* name : {"Sirius; HR 2491", "Vega", "Orion Nebula"}) {
      auto star = MakeStar(name, 0, 0, 0);
      ids.push_back(AddObject(star, DefaultFile()));
    }
    auto file = NewDatabaseFile("more.qvd");
    const ObjectId more = RegisterFile(file);
    auto last = MakeStar("Sirius B", 0, 0, 850);
    ids.push_back(AddObject(last, more));
  }
  void TearDown() override {
    SetProgressHook(nullptr);
    DatabaseTest::TearDown();
  }
  std::vector<ObjectId> ids;
};

TEST_F(NameSearchTest, FindNextWalksTheStoreInOrder) {
  ObjectId found = 0;
  ASSERT_EQ(FindObjectByName("sirius", false, false, 0, found), ResultOk);
  EXPECT_EQ(found, ids[0]);
  ASSERT_EQ(FindObjectByName("sirius", false, false, found, found), ResultOk);
  EXPECT_EQ(found, ids[3]) << "the search crosses into the next file";
  EXPECT_EQ(FindObjectByName("sirius", false, false, found, found), ResultNotFound);
  ASSERT_EQ(FindObjectByName("SIRIUS B", false, true, 0, found), ResultOk);
  EXPECT_EQ(found, ids[3]);
  EXPECT_EQ(FindObjectByName("Sirius", true, true, 0, found), ResultOk);
  EXPECT_EQ(found, ids[0]);
  EXPECT_EQ(FindObjectByName("", false, false, 0, found), ResultNotFound);
  EXPECT_EQ(FindObjectByName(nullptr, false, false, 0, found), ResultNotFound);
}

TEST_F(NameSearchTest, LongSearchShowsProgressAndCanBeCancelled) {
  std::vector<double> fractions;
  SetProgressHook([&fractions](double fraction) {
    fractions.push_back(fraction);
    return fractions.size() < 2;
  });
  ObjectId found = 0;
  EXPECT_EQ(FindObjectByName("no such name", false, false, 0, found, 0), ResultCancelled);
  EXPECT_EQ(found, ids[1]) << "the object reached is remembered";
  ASSERT_EQ(fractions.size(), 2u);
  EXPECT_DOUBLE_EQ(fractions[0], 1.0 / 4);
  EXPECT_DOUBLE_EQ(fractions[1], 2.0 / 4);

  fractions.clear();  // a quick search shows no box at all
  EXPECT_EQ(FindObjectByName("no such name", false, false, 0, found), ResultNotFound);
  EXPECT_TRUE(fractions.empty());
}

}  // namespace
}  // namespace qv
