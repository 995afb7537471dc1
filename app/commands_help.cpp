// app/commands_help.cpp - the Help menu: the help pages beside the program, at their contents,
// search and index, in the desktop's browser or else the program's own help window; and the
// About box.
#include <string>

#include "app/command_handlers.h"
#include "generated/string_numbers.h"
#include "platform/alert.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/help_window.h"

namespace qv {
namespace {

enum HelpCommandNumber : int { Contents = 26401, Search = 26402, Index = 26403, About = 26405 };
// The help: HTML pages in the folder "Help" beside the program, in place of the help file.
constexpr const char* HelpFolder = "Help";

void OpenHelpPage(const char* page, const char* query) {
  std::string path = PathBesideProgram(HelpFolder);
  AppendPathComponent(path, page);
  if (!FileExists(path)) {
    Caution(ButtonsOk, MessageCannotOpen, path.c_str());
    return;
  }
  // Without a browser on the desktop the pages show in the program's own help window.
  if (!OpenInBrowser(path, query)) ShowHelpWindow(path, query);
}

}  // namespace

void HelpCommand(int command) {
  switch (command) {
    case Contents:
      OpenHelpPage("index.html", "");
      return;
    case Search:
      OpenHelpPage("search.html", "q=");
      return;
    case Index:
      OpenHelpPage("keywords.html", "");
      return;
    case About:
      ShowAboutBox();
      return;
    default:
      return;
  }
}

}  // namespace qv
