// platform/desktop.h - what the application asks of the desktop besides windows: the
// double-click time, the free physical memory, and showing pages (the help) in the browser.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace qv {

// DoubleClickTimeMs: the longest time between the two presses of a double click.
int DoubleClickTimeMs();

// FreePhysicalMemory: bytes of physical memory not in use now; 0 when the system cannot say.
int64_t FreePhysicalMemory();

// OpenInBrowser: shows the local file (an HTML page) in the desktop's browser, with query
// ("q=") appended as the page's query when not empty. False when the file does not exist or no
// browser could be started.
bool OpenInBrowser(const std::string& path, const std::string& query);

// BrowserHook: stands in for the browser (tests); it gets the URL that would be opened and
// returns whether it was shown. An empty hook restores the browser. Returns the previous hook.
using BrowserHook = std::function<bool(const std::string& url)>;
BrowserHook SetBrowserHook(BrowserHook hook);

}  // namespace qv
