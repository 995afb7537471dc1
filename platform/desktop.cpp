// platform/desktop.cpp - desktop services (desktop.h) on Qt and POSIX.
#include "platform/desktop.h"

#include <unistd.h>

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <QUrlQuery>

#include "platform/files.h"

namespace qv {
namespace {

BrowserHook browserHook;

}  // namespace

int DoubleClickTimeMs() { return QApplication::doubleClickInterval(); }

int64_t FreePhysicalMemory() {
  const long pages = sysconf(_SC_AVPHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return 0;
  return static_cast<int64_t>(pages) * pageSize;
}

bool OpenInBrowser(const std::string& path, const std::string& query) {
  if (!FileExists(path)) return false;
  QUrl url = QUrl::fromLocalFile(QString::fromStdString(DiskPath(path)));
  if (!query.empty()) url.setQuery(QString::fromStdString(query));
  const std::string text = url.toString().toStdString();
  if (browserHook) return browserHook(text);
  return QDesktopServices::openUrl(url);
}

BrowserHook SetBrowserHook(BrowserHook hook) {
  BrowserHook previous = std::move(browserHook);
  browserHook = std::move(hook);
  return previous;
}

}  // namespace qv
