// The info window: its title, one window reused for every object, its buttons, and objects
// that disappear while shown.
#include <gtest/gtest.h>

#include "app_fixture.h"
#include "chart/trails.h"
#include "objects/database.h"

namespace qv {
namespace {

TEST(InfoTitle, BayerLettersAreWrittenOutWithTheirSuperscripts) {
  EXPECT_EQ(InfoTitleText("Capella; $a Aur; 13 Aur"), "Capella; α Aur; 13 Aur");
  EXPECT_EQ(InfoTitleText("$b2 Cyg"), "β² Cyg");
  EXPECT_EQ(InfoTitleText("$w Cas"), "ω Cas");
  EXPECT_EQ(InfoTitleText("Price $5"), "Price $5");  // no letter after it
  EXPECT_EQ(InfoTitleText("ends with $"), "ends with $");
}

TEST_F(AppTest, OneInfoWindowServesEveryObject) {
  const ObjectId vega = AddStar("Vega", {0.1, -0.8, 0.6}, 3);
  const ObjectId deneb = AddStar("Deneb", {0.4, -0.5, 0.7}, 125);
  WindowRef window = Shell().infoWindow;
  OpenObjectInfo(vega);
  ASSERT_TRUE(IsInfoWindowShown());
  Press(window, 2);  // Close
  EXPECT_FALSE(IsInfoWindowShown());
  EXPECT_EQ(InfoObject(), vega);  // hidden, not forgotten
  OpenObjectInfo(deneb);
  EXPECT_EQ(Shell().infoWindow, window);
  EXPECT_TRUE(IsInfoWindowShown());
  // Trail on... opens the trail dialog; Trail off removes a trail.
  EXPECT_TRUE(IsItemEnabled(window, 4));
  ASSERT_NE(CreateTrail(deneb, TrailInSky, 10, 0, 0), 0);
  RefreshInfoWindow();
  EXPECT_TRUE(IsItemEnabled(window, 5));
  Press(window, 5);
  EXPECT_EQ(FindTrail(deneb), 0);
  EXPECT_FALSE(IsItemEnabled(window, 5));
  // An object removed while shown empties and hides the window at the next refresh.
  RemoveObject(deneb);
  RefreshChart(false);
  EXPECT_EQ(InfoObject(), 0u);
  EXPECT_FALSE(IsInfoWindowShown());
}

TEST_F(AppTest, TheTelescopeTakesTheShownObjectAsItsTarget) {
  const ObjectId vega = AddStar("Vega", {0.1, -0.8, 0.6}, 3);
  ObjectId target = 1;
  Hooks().targetObject = [&](ObjectId id) { target = id; };
  ShowObjectInfo(vega);
  EXPECT_EQ(target, 1u);  // no telescope connected
  Settings().TelescopeConnected = true;
  ShowObjectInfo(vega);
  EXPECT_EQ(target, vega);
  ShowObjectInfo(0);
  EXPECT_EQ(target, 0u);
  Settings().TelescopeConnected = false;
}

}  // namespace
}  // namespace qv
