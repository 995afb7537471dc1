// Editing objects: new stars and planets from their defaults, edits written to the database file
// and found again after reopening it, read-only files, unknown orbit centres, deleting.
#include "app/edit_object.h"

#include <gtest/gtest.h>

#include <string>

#include "app_fixture.h"
#include "objects/namesearch.h"
#include "tests/support/degree.h"

namespace qv {
namespace {

// Selects the combo entry showing that text.
void ChooseType(WindowRef dialog, int combo, const std::string& text) {
  for (int k = 1; k <= CountComboItems(dialog, combo); ++k)
    if (GetComboItemText(dialog, combo, k) == text) SetItemValue(dialog, combo, k);
}

ObjectRecord* Find(const char* name) {
  ObjectId found = 0;
  return FindObjectByName(name, true, true, 0, found) == ResultOk ? ObjectOfId(found) : nullptr;
}

class EditObjectTest : public AppTest {
 protected:
  void Reopen() {
    CloseDatabase();
    ASSERT_EQ(OpenDatabase(DatabasePath("Index.qvd")), ResultOk);
  }
};

TEST_F(EditObjectTest, NewStarStartsFromItsDefaultsAndIsWrittenAtOnce) {
  std::vector<std::string> defaults;
  std::string type;
  Then([&](WindowRef d) {
    for (int item : {4, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26})
      defaults.push_back(GetItemText(d, item));
    type = GetItemText(d, 6);
    SetItemText(d, 4, "Test Variable");
    ChooseType(d, 6, "Variable star");
    SetItemText(d, 10, "06 45 08.92");
    SetItemText(d, 12, "-16 42 58.0");
    SetItemText(d, 18, "+1.50 - +2.10");
    Press(d, 1);
  });
  Choose(NewMenu, 1);
  EXPECT_EQ(defaults,
            (std::vector<std::string>{"New Star", "2000.0", "00 00 00.00", "+00 00 00.0", "+0.0000",
                                      "+0.000", "+0.00", "+0.00", "+0.0", "1.000", "0.0"}));
  EXPECT_EQ(type, "Single star");
  EXPECT_FALSE(FileOfId(DefaultFile())->modified);  // on disk already
  Reopen();
  const ObjectRecord* star = Find("Test Variable");
  ASSERT_NE(star, nullptr);
  EXPECT_EQ(star->kind, KindVariableStar);
  const SkyMagnitudes m = MagnitudesOf(*SkyObjectOf(*star));
  EXPECT_EQ(m.visual, 150);
  EXPECT_EQ(m.faintest, 210);
  const Spherical place = RectangularToSpherical(VectorFromDirection(SkyObjectOf(*star)->position));
  EXPECT_NEAR(place.lon, (6 + 45 / 60.0 + 8.92 / 3600) * 15 * test::Deg, 1e-6);
  EXPECT_NEAR(place.lat, -(16 + 42 / 60.0 + 58.0 / 3600) * test::Deg, 1e-6);
}

TEST_F(EditObjectTest, EditingKeepsTheObjectAndShowsItInTheInfoWindow) {
  const ObjectId vega = AddStar("Vega", {0.1, -0.8, 0.6}, 3);
  std::string shownName;
  Then([&](WindowRef d) {
    shownName = GetItemText(d, 4);
    SetItemText(d, 18, "+0.50");
    Press(d, 1);
  });
  EXPECT_EQ(EditObject(vega, 0), vega);
  EXPECT_EQ(shownName, "Vega");
  EXPECT_EQ(InfoObject(), vega);
  EXPECT_TRUE(IsInfoWindowShown());
  Reopen();
  ASSERT_NE(Find("Vega"), nullptr);
  EXPECT_EQ(SkyObjectOf(*Find("Vega"))->visualMagnitude, 50);
}

TEST_F(EditObjectTest, ReadOnlyFilesAreNotEdited) {
  const ObjectId vega = AddStar("Vega", {0.1, -0.8, 0.6}, 3);
  FileOfId(vega)->readOnly = true;
  EXPECT_EQ(EditObject(vega, 0), 0u);
  EXPECT_TRUE(Shown(539));
  EXPECT_TRUE(opened.empty());  // no dialog
}

TEST_F(EditObjectTest, NewPlanetNeedsAKnownOrbitCentre) {
  std::vector<std::string> defaults;
  bool stayedOpen = false;
  Then([&](WindowRef d) {
    for (int item : {4, 10, 12, 15, 17, 19, 21, 23, 25, 27})
      defaults.push_back(GetItemText(d, item));
    EXPECT_EQ(GetItemText(d, 8), "Comet");
    SetItemText(d, 4, "Rocky");
    SetItemText(d, 6, "Nowhere");
    ChooseType(d, 8, "Asteroid");
    SetItemText(d, 12, "2.5");
    SetItemText(d, 15, "0.1");
    Press(d, 1);  // no body named "Nowhere": message 523, the dialog stays
    stayedOpen = IsPlatformWindowVisible(d);
    SetItemText(d, 6, "");
    Press(d, 1);
  });
  Choose(NewMenu, 2);
  EXPECT_EQ(defaults, (std::vector<std::string>{"New Planet", "2000.0", "1.00000000", "0.00000000",
                                                "0.000000", "0.000000", "0.000000", "0.000000",
                                                "2000/01/1.50000", "0.00 0.00"}));
  EXPECT_TRUE(Shown(523));
  EXPECT_TRUE(stayedOpen);
  const ObjectRecord* rocky = Find("Rocky");
  ASSERT_NE(rocky, nullptr);
  EXPECT_EQ(rocky->kind, KindAsteroid);
  EXPECT_NEAR(OrbitOf(*rocky)->q, 2.5 * 0.9, 1e-6);
  EXPECT_EQ(OrbitOf(*rocky)->primary, 0u);
}

TEST_F(EditObjectTest, DeleteObjectAsksAndForgetsIt) {
  const ObjectId vega = AddStar("Vega", {0.1, -0.8, 0.6}, 3);
  ShowObjectInfo(vega);
  const auto selectVega = [](WindowRef d) {
    SetItemText(d, 5, "Vega");
    Press(d, 1);
    Press(d, 1);
  };
  Then(selectVega);
  answers.push_back(AnswerCancel);
  Choose(EditMenu, 10);
  EXPECT_TRUE(Shown(536));
  EXPECT_NE(ObjectOfId(vega), nullptr);
  Then(selectVega);
  answers.push_back(AnswerOk);
  Choose(EditMenu, 10);
  EXPECT_EQ(ObjectOfId(vega), nullptr);
  EXPECT_EQ(InfoObject(), 0u);
}

}  // namespace
}  // namespace qv
