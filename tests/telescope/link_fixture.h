// A telescope link for tests: alerts recorded instead of shown (answered with answer), the pause
// after setting the clock recorded instead of waited, and the chart's time at J2000 so that
// the equator of date is J2000 itself.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/alert.h"
#include "platform/events.h"
#include "platform/result.h"
#include "telescope/link.h"

namespace qv {

class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetAlertPresenter([this](int, int, int number, const std::string& message) {
      alerts.push_back(number);
      texts.push_back(message);
      return answer;
    });
    waits().clear();
    link.busyWait = [](int ms) { waits().push_back(ms); };
  }
  void TearDown() override {
    DisconnectTelescope(link);
    SetAlertPresenter(nullptr);
  }
  static std::vector<int>& waits() {
    static std::vector<int> list;
    return list;
  }
  int Connect(TelescopeKind kind, int port, bool emulated = false) {
    options.TelescopeInterface = kind;
    options.TelescopeConnectionPort = int16_t(port);
    options.TelescopeEmulated = emulated;
    return ConnectTelescope(link, options, sky, TickCount());
  }
  int Poll() { return PollTelescope(link, sky, TickCount()); }

  TelescopeLink link;
  TelescopeOptions options;
  TelescopeSky sky;        // J2000
  int answer = AnswerYes;  // to every question
  std::vector<int> alerts;
  std::vector<std::string> texts;
};

}  // namespace qv
