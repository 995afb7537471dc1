// Alerts: formatting from the string table, the switch, the presenter hook and the answers.
#include "platform/alert.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/strings.h"

namespace qv {
namespace {

struct Shown {
  int kind, buttons, number;
  std::string message;
};

class AlertTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetAlertPresenter([this](int kind, int buttons, int number, const std::string& message) {
      shown.push_back({kind, buttons, number, message});
      return answer;
    });
  }
  void TearDown() override {
    SetAlertPresenter(nullptr);
    SetAlertSwitch(true);
  }
  std::vector<Shown> shown;
  int answer = AnswerNo;
};

TEST_F(AlertTest, FormatsTheNumberedStringWithItsArguments) {
  EXPECT_EQ(Caution(ButtonsYesNoCancel, 524, "stars.txt"), AnswerNo);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].kind, AlertCaution);
  EXPECT_EQ(shown[0].buttons, ButtonsYesNoCancel);
  EXPECT_EQ(shown[0].message, "Do you want to keep reading the file \"stars.txt\"?");
  Stop(ButtonsOk, 269, 10L, 2.5, 4.0);
  EXPECT_EQ(shown[1].message,
            "The total elapsed time for 10 window redrawings was 2.500 seconds (4.000 frames per "
            "second).");
}

TEST_F(AlertTest, SwitchOffOrMissingStringShowsNothing) {
  SetAlertSwitch(false);
  EXPECT_EQ(Note(ButtonsOk, 512), AnswerNone);
  SetAlertSwitch(true);
  EXPECT_EQ(Note(ButtonsOk, 9999), AnswerNone);
  EXPECT_TRUE(shown.empty());
}

TEST_F(AlertTest, LongMessagesKeepTheirTextAndCutOnlyRunawayArguments) {
  // Message 544 is longer than a file name buffer: it must reach the box whole.
  Caution(ButtonsOkCancel, 544);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].message, GetString(544));
  EXPECT_GT(shown[0].message.size(), 255u);
  const std::string name(2000, 'x');
  Stop(ButtonsOk, 257, name.c_str());
  EXPECT_EQ(shown[1].message.size(), 1023u);
}

TEST(StringTable, HoldsTheProgramTitleAndFileNames) {
  std::string s;
  ASSERT_TRUE(LoadString(268, s));
  EXPECT_EQ(s, "Quorvane");
  EXPECT_STREQ(GetString(303), "Index.qvd");
  EXPECT_STREQ(GetString(518), "Offset Dec. (\u00b0 ' \"):");
  EXPECT_FALSE(LoadString(1, s));
  EXPECT_TRUE(s.empty());
}

}  // namespace
}  // namespace qv
