// Dialogs: creation from layouts, item operations by class, control events with the button
// guard, the modal stack, and the ask box.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "platform/boxes.h"
#include "platform_fixture.h"

namespace qv {
namespace {

using Dialogs = PlatformTest;

// AddControl: a control placed into a dialog at run time, as a layout would carry it.
template <class Control>
Control* AddControl(WindowRef dialog, int item) {
  auto* control = new Control(dialog->client);
  control->setProperty("item", item);
  ConnectControl(dialog, control, item);
  return control;
}

TEST_F(Dialogs, LayoutsByNumberOrNameAnnounceThemselves) {
  WindowRef about = CreateDialogWindow(AboutBoxDialog, 77, Recorder());
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(Of(WindowCreatedEvent), (std::vector<Delivered>{{WindowCreatedEvent, about, 256, 77}}));
  EXPECT_FALSE(IsPlatformWindowVisible(about));
  const Rect ok = GetItemRect(about, 1), client = GetClientRectangle(about);
  EXPECT_GT(RectWidth(ok), 0);
  EXPECT_TRUE(PointInRect(ok.left, ok.top, client) &&
              PointInRect(ok.right - 1, ok.bottom - 1, client))
      << ok.left << "," << ok.top << "," << ok.right << "," << ok.bottom << " in " << client.right
      << "x" << client.bottom;
  EXPECT_EQ(GetItemText(about, 1), "OK");
  for (const char* name : {AskBoxLayout, ProgressBoxLayout, PrintBoxLayout})
    EXPECT_NE(CreateNamedDialog(name, 0, nullptr), nullptr) << name;
  EXPECT_EQ(CreateDialogWindow(999, 0, nullptr), nullptr);
  EXPECT_EQ(RunModalDialog(999, 0, nullptr), 0);
}

TEST_F(Dialogs, ValuesAndTextsByControlClass) {
  WindowRef dialog = CreateDialogWindow(AboutBoxDialog, 0, nullptr);
  auto* combo = AddControl<QComboBox>(dialog, 10);
  FillComboFromStrings(dialog, 10, 1, 1036, 1041);  // 1039-1041 have no text and are skipped
  EXPECT_EQ(CountComboItems(dialog, 10), 3);
  EXPECT_EQ(GetComboItemText(dialog, 10, 3), "Charon");
  combo->setCurrentIndex(2);
  EXPECT_EQ(GetItemValue(dialog, 10), 3);
  AddComboItem(dialog, 10, 1, "First");
  SetComboItem(dialog, 10, 2, "Triton!");
  DeleteComboItem(dialog, 10, 3);
  EXPECT_EQ(GetComboItemText(dialog, 10, 1), "First");
  EXPECT_EQ(GetComboItemText(dialog, 10, 2), "Triton!");
  EXPECT_EQ(GetComboItemText(dialog, 10, 3), "Charon");
  SetItemValue(dialog, 10, 0);
  EXPECT_EQ(GetItemValue(dialog, 10), 0);

  AddControl<QCheckBox>(dialog, 11);
  EXPECT_EQ(GetItemValue(dialog, 11), 0);
  SetItemValue(dialog, 11, 1);
  EXPECT_EQ(GetItemValue(dialog, 11), 1);

  for (int item = 12; item <= 14; ++item) AddControl<QRadioButton>(dialog, item);
  EXPECT_EQ(GetCheckedRadio(dialog, 12, 14), 0);
  SetRadioGroup(dialog, 12, 14, 13);
  EXPECT_EQ(GetCheckedRadio(dialog, 12, 14), 13);
  SetRadioGroup(dialog, 12, 14, 0);  // even exclusive buttons can all be cleared
  EXPECT_EQ(GetCheckedRadio(dialog, 12, 14), 0);

  AddControl<QLabel>(dialog, 15);
  std::string degrees;
  for (int i = 0; i < 200; ++i) degrees += "°";  // two bytes each
  SetItemText(dialog, 15, degrees.c_str());
  EXPECT_EQ(GetItemText(dialog, 15), degrees.substr(0, 254)) << "cut between characters";
  EnableItem(dialog, 15, false);
  EXPECT_FALSE(IsItemEnabled(dialog, 15));
  EXPECT_EQ(GetItemText(dialog, 99), "");
  EXPECT_EQ(GetItemValue(dialog, 99), 0);
}

TEST_F(Dialogs, PushButtonClickedTwiceQuicklyGivesOneEvent) {
  WindowRef dialog = CreateNamedDialog(AskBoxLayout, 0, Recorder());
  ShowPlatformWindow(dialog);
  PressItem(dialog, 1);
  PressItem(dialog, 1);  // 125 ms later: a double click
  EXPECT_EQ(Of(ControlEvent), (std::vector<Delivered>{{ControlEvent, dialog, 1, PartClick}}));
  delivered.clear();
  Delay(QApplication::doubleClickInterval() + 10);
  PressItem(dialog, 1);
  PressItem(dialog, 2);  // another button in between resets the guard
  PressItem(dialog, 1);
  EXPECT_EQ(Of(ControlEvent), (std::vector<Delivered>{{ControlEvent, dialog, 1, PartClick},
                                                      {ControlEvent, dialog, 2, PartClick},
                                                      {ControlEvent, dialog, 1, PartClick}}));
}

TEST_F(Dialogs, EscapeAndTheCloseBoxActAsCancel) {
  WindowRef dialog = CreateNamedDialog(AskBoxLayout, 0, Recorder(1));
  ShowPlatformWindow(dialog);
  SendKey(dialog->frame, QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  dialog->frame->close();
  EXPECT_EQ(Of(ControlEvent), (std::vector<Delivered>{{ControlEvent, dialog, 2, PartClick},
                                                      {ControlEvent, dialog, 2, PartClick}}));
  EXPECT_EQ(Of(WindowCloseEvent).size(), 1u);
  EXPECT_TRUE(IsLiveWindow(dialog)) << "only the handler destroys a dialog";
}

TEST_F(Dialogs, ReturnInTheDescriptionPressesTheDefaultButtonAndShiftReturnStartsALine) {
  for (const int number : {268, 269}) {  // the settings descriptions, opening and saving
    SCOPED_TRACE(number);
    delivered.clear();
    WindowRef dialog = CreateDialogWindow(number, 0, Recorder());
    auto* text = dialog->frame->findChild<QPlainTextEdit*>();
    ASSERT_NE(text, nullptr);
    SendKey(text, QEvent::KeyPress, Qt::Key_Return, Qt::ShiftModifier, "\r");
    EXPECT_EQ(text->toPlainText(), "\n");
    delivered.clear();
    SendKey(text, QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    const int ok = number == 268 ? 1 : 3;
    EXPECT_EQ(Of(ControlEvent), (std::vector<Delivered>{{ControlEvent, dialog, ok, PartClick}}));
    EXPECT_EQ(text->toPlainText(), "\n");
  }
}

TEST_F(Dialogs, ScrollBarsReportPartsAndLeaveLineMovesToTheHandler) {
  WindowRef main = CreatePlatformWindow(100, "t", 0, 0, 400, 300, true, 31, 0, Recorder());
  CreateScrollBar(main, 1, "v", Rect{380, 0, 396, 280}, true, 0, -90, 90);
  CreateScrollBar(main, 2, "h", Rect{0, 280, 380, 296}, true, 180, 1, 360);
  auto* vertical = static_cast<QScrollBar*>(FindItem(main, 1));
  EXPECT_EQ(vertical->orientation(), Qt::Vertical);
  EXPECT_EQ(static_cast<QScrollBar*>(FindItem(main, 2))->orientation(), Qt::Horizontal);
  delivered.clear();
  vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  vertical->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(GetItemValue(main, 1), 0) << "the handler moves the bar, not the click";
  SetItemValue(main, 1, 45);
  EXPECT_EQ(GetItemValue(main, 1), 45);
  EXPECT_EQ(Of(ControlEvent), (std::vector<Delivered>{{ControlEvent, main, 1, PartLineDown},
                                                      {ControlEvent, main, 1, PartPageUp}}));
}

TEST_F(Dialogs, NestedModalDialogDisablesOnlyThePreviousOne) {
  WindowRef main = CreatePlatformWindow(100, "t", 0, 0, 400, 300, true, 31, 0, nullptr);
  WindowRef outer = nullptr;
  std::vector<std::string> seen;
  SetModalDialogHook([&](WindowRef dialog, int number) {
    if (number == AboutBoxDialog) {
      outer = dialog;
      seen.push_back(main->frame->isEnabled() ? "outer: main enabled" : "outer: main disabled");
      const int inner = RunNamedModalDialog(AskBoxLayout, 0, nullptr);
      seen.push_back("inner ended " + std::to_string(inner));
      seen.push_back(dialog->frame->isEnabled() ? "outer enabled again" : "outer still disabled");
      seen.push_back(main->frame->isEnabled() ? "main enabled" : "main still disabled");
      EndModalDialog(1);
    } else {
      seen.push_back(outer->frame->isEnabled() ? "inner: outer enabled" : "inner: outer disabled");
      seen.push_back(dialog->frame->isEnabled() ? "inner: itself enabled"
                                                : "inner: itself disabled");
      EndModalDialog(2);
    }
  });
  EXPECT_EQ(RunModalDialog(AboutBoxDialog, 0, nullptr), 1);
  const std::vector<std::string> want = {"outer: main disabled",  "inner: outer disabled",
                                         "inner: itself enabled", "inner ended 2",
                                         "outer enabled again",   "main still disabled"};
  EXPECT_EQ(seen, want);
  EXPECT_TRUE(main->frame->isEnabled());
  EXPECT_FALSE(IsModalDialogUp());
  EXPECT_FALSE(IsLiveWindow(outer)) << "a modal dialog is destroyed when its loop ends";
}

TEST_F(Dialogs, AskBoxReturnsTheTypedTextOnlyOnOk) {
  std::string text = "2451545.0";
  SetModalDialogHook([](WindowRef box, int) {
    EXPECT_EQ(GetItemText(box, 3), "Julian Date:");
    EXPECT_EQ(GetItemText(box, 4), "2451545.0");
    EXPECT_EQ(box->frame->windowTitle(), "Quorvane");
    SetItemText(box, 4, "2460000.5");
    PressItem(box, 1);
  });
  EXPECT_TRUE(AskText(nullptr, "Julian Date:", text));
  EXPECT_EQ(text, "2460000.5");
  SetModalDialogHook([](WindowRef box, int) {
    SetItemText(box, 4, "typed, then cancelled");
    PressItem(box, 2);
  });
  EXPECT_FALSE(AskText("Time Step", "Step:", text));
  EXPECT_EQ(text, "2460000.5");
}

}  // namespace
}  // namespace qv
