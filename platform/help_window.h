// platform/help_window.h - the program's own help window: the local help pages in a text
// browser, for desktops where no browser can be started. Its Contents, Index and Search links
// and buttons work as in a browser; the search page is answered here, without its script.
#pragma once

#include <string>

namespace qv {

// ShowHelpWindow: shows the page (a local HTML file) in the help window, made on first use as a
// window of the main window and brought to the front. On the search page, query "q=words" lists
// the pages that contain all the words. False when the file does not exist.
bool ShowHelpWindow(const std::string& path, const std::string& query);

// HelpWindowPage: the address the help window shows, "" while it is not shown.
std::string HelpWindowPage();

}  // namespace qv
