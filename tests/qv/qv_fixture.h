// A database for the tests of qv in a scratch folder that stands "beside the program", made by
// qv itself: the solar-system file of the default database and the test stars imported into it.
// Run() runs qv in this process and keeps what it wrote to standard output and standard error.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/database.h"
#include "objects/store.h"
#include "platform/files.h"
#include "platform/result.h"
#include "qv/commands.h"
#include "tests/support/scratch_folder.h"

namespace qv {

inline std::string TestData(const std::string& name) {
  return std::string(QV_TEST_DATA_DIR) + "/app/data/" + name;
}
inline std::string SolarSystemFile() {
  return std::string(QV_SOURCE_DIR) + "/resources/catalog/SolarSystem.txt";
}

class QvTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(scratch.path().empty());
    SetProgramPath(scratch / "qv");
    ASSERT_EQ(Run({"import", "--create", SolarSystemFile(), TestData("qv_objects.txt")}), QvSuccess)
        << err;
  }

  void TearDown() override {
    CloseDatabase();
    Store() = ObjectStore();
    SetAlertPresenter(nullptr);
    SetProgramPath("");
  }

  int Run(const std::vector<std::string>& args) {
    out.clear();
    err.clear();
    const QvOutput output{[this](std::string_view text) { out += text; },
                          [this](std::string_view text) { err += text; }};
    return RunQv(args, output);
  }

  // OutputLines: what the last run wrote to standard output, line by line.
  std::vector<std::string> OutputLines() const {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1)
      lines.push_back(out.substr(start, end - start));
    return lines;
  }

  ScratchFolder scratch;
  std::string out, err;
};

}  // namespace qv
