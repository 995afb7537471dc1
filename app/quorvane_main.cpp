// app/quorvane_main.cpp - the Quorvane program: the platform's main loop with the application's
// event handler. Each argument names a file to open as a document (settings, a database index,
// objects or satellite elements), as a desktop passes the file a user double-clicked.
#include <filesystem>
#include <string>
#include <vector>

#include "app/application.h"

int main(int argc, char** argv) {
  std::vector<std::string> documents;
  for (int i = 1; i < argc; ++i) {
    std::error_code error;  // a path that cannot be made absolute is opened as given
    const std::filesystem::path absolute = std::filesystem::absolute(argv[i], error);
    documents.push_back(error ? std::string(argv[i]) : absolute.string());
  }
  qv::SetStartupDocuments(std::move(documents));
  qv::InitPlatform();
  return qv::RunEventLoop(qv::ApplicationEventHandler);
}
