// fuzz/database_fuzz.cpp - a database opened from an index of arbitrary bytes in a folder of its
// own: every file it lists is read and the index is written again. No file the store registered
// may be missing from the index it wrote, and an index it would not rewrite stays as it was.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "objects/database.h"
#include "objects/dbfile.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/result.h"

namespace {

// The folder of the database, removed when the run ends (kept alive until then on purpose).
const std::filesystem::path& Folder() {
  static const std::filesystem::path* const folder = [] {
    auto* made =
        new std::filesystem::path(std::filesystem::temp_directory_path() /
                                  ("qv_database_fuzz_" + std::to_string(std::random_device()())));
    std::filesystem::create_directories(*made);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(Folder(), ignored);
    });
    return made;
  }();
  return *folder;
}

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Lists(const std::vector<qv::IndexEntry>& entries, qv::ObjectId fileId) {
  for (const qv::IndexEntry& entry : entries) {
    if (entry.fileId == fileId) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qv::SetAlertPresenter([](int, int, int, const std::string&) { return qv::AnswerOk; });
  const std::string index = (Folder() / "Index.qvd").string();
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::ofstream(index, std::ios::binary | std::ios::trunc) << input;
  if (qv::OpenDatabase(index) == qv::ResultOk) {
    std::vector<qv::ObjectId> registered;
    for (qv::ObjectId id = qv::FirstFile(); id != 0; id = qv::NextFile(id)) {
      registered.push_back(id);
      qv::ReadDatabaseFile(*qv::FileOfId(id));
    }
    const bool damaged = !qv::Store().indexProblem.empty();
    if (qv::SaveIndex(index) == qv::ResultOk) {
      std::vector<qv::IndexEntry> written;
      const std::string bytes = Contents(index);
      if (qv::DecodeIndexFile(
              std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), written) !=
          qv::ResultOk) {
        std::abort();
      }
      for (qv::ObjectId id : registered) {
        if (!Lists(written, id)) std::abort();  // an entry lost on the rewrite
      }
    } else if (damaged && Contents(index) != input) {
      std::abort();  // a damaged index changed although nothing was saved
    }
  }
  qv::CloseDatabase();
  return 0;
}
