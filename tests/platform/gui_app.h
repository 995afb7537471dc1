// A QApplication for tests that draw, print or use the clipboard (offscreen): made by the first
// test that needs it, deleted when the test program ends so its font caches are released.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>

namespace qv {

class GuiApplicationEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { delete QCoreApplication::instance(); }
};

inline void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  static int argc = 1;
  static char name[] = "tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  ::testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);
}

}  // namespace qv
