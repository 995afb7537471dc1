// The Select Object dialog: Find, Find Next through several matches, the reset on typing, the
// remembered search choices, and Cancel.
#include "app/select_object.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "objects/database.h"
#include "objects/store.h"
#include "shell_fixture.h"

namespace qv {
namespace {

class SelectObjectTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    CreateDatabase();
    const ObjectId file = DefaultFile();
    for (const char* name : {"Sirius", "Vega", "Sirius B", "Polaris"}) {
      std::unique_ptr<ObjectRecord> star = MakeStar(name, 0.5, 0.5, 100);
      ids[name] = AddObject(star, file);
    }
  }
  std::map<std::string, ObjectId> ids;
};

TEST_F(SelectObjectTest, FindNextVisitsEveryMatchThenStartsOver) {
  std::vector<std::string> found, buttons;
  bool nextEnabledAtStart = true, nextEnabledAtEnd = true;
  Then([&](WindowRef d) {
    nextEnabledAtStart = IsItemEnabled(d, 3);
    buttons.push_back(GetItemText(d, 1));
    SetItemText(d, 5, "sirius");
    Press(d, 1);
    found.push_back(GetItemText(d, 7));
    buttons.push_back(GetItemText(d, 1));
    Press(d, 3);
    found.push_back(GetItemText(d, 7));
    Press(d, 3);  // no third match
    found.push_back(GetItemText(d, 7));
    buttons.push_back(GetItemText(d, 1));
    nextEnabledAtEnd = IsItemEnabled(d, 3);
    Press(d, 1);  // Find again from the start
    Press(d, 3);
    Press(d, 1);  // Select the second
  });
  EXPECT_EQ(SelectObject(), ids["Sirius B"]);
  EXPECT_FALSE(nextEnabledAtStart);
  EXPECT_EQ(found, (std::vector<std::string>{"Sirius", "Sirius B", "No matching object found!"}));
  EXPECT_EQ(buttons, (std::vector<std::string>{"Find", "Select", "Find"}));
  EXPECT_FALSE(nextEnabledAtEnd);
}

TEST_F(SelectObjectTest, TypingAfterAFindStartsOverAndCancelChoosesNothing) {
  std::string foundAfterTyping, button;
  Then([&](WindowRef d) {
    SetItemText(d, 5, "Vega");
    Press(d, 1);
    SetItemText(d, 5, "Vegas");
    foundAfterTyping = GetItemText(d, 7);
    button = GetItemText(d, 1);
    Press(d, 1);  // Find "Vegas": nothing
    Press(d, 2);
  });
  EXPECT_EQ(SelectObject(), 0u);
  EXPECT_EQ(foundAfterTyping, "");
  EXPECT_EQ(button, "Find");
  Then([](WindowRef d) {
    SetItemText(d, 5, "Polaris");
    Press(d, 1);
    Press(d, 2);  // found, then cancelled
  });
  EXPECT_EQ(SelectObject(), 0u);
}

TEST_F(SelectObjectTest, CaseAndExactChoicesAreRememberedBetweenUses) {
  Then([](WindowRef d) {
    Click(d, 8, 1);
    Click(d, 9, 1);
    SetItemText(d, 5, "sirius");  // exact and case-sensitive: no match
    Press(d, 1);
    SetItemText(d, 5, "Sirius B");
    Press(d, 1);
    Press(d, 1);
  });
  EXPECT_EQ(SelectObject(), ids["Sirius B"]);
  int caseShown = 0, exactShown = 0;
  Then([&](WindowRef d) {
    caseShown = GetItemValue(d, 8);
    exactShown = GetItemValue(d, 9);
    Click(d, 8, 0);
    Click(d, 9, 0);
    Press(d, 2);
  });
  SelectObject();
  EXPECT_EQ(caseShown, 1);
  EXPECT_EQ(exactShown, 1);
}

}  // namespace
}  // namespace qv
