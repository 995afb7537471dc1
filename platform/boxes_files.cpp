// platform/boxes_files.cpp - the open and save file dialogs and the filter strings they use.
#include <QFileDialog>
#include <QFileInfo>
#include <utility>
#include <vector>

#include "generated/string_numbers.h"
#include "platform/alert.h"
#include "platform/boxes.h"
#include "platform/boxes_qt.h"
#include "platform/windows_qt.h"

namespace qv {
namespace {

struct FilterEntry {
  std::string description, pattern;
};

FileDialogHook fileHook;

// ParseFilter: "description|pattern|" pairs; a last description without a pattern is dropped.
std::vector<FilterEntry> ParseFilter(const char* filter) {
  std::vector<std::string> parts;
  std::string part;
  for (const char* c = filter ? filter : ""; *c; ++c) {
    if (*c == '|') {
      parts.push_back(std::move(part));
      part.clear();
    } else {
      part += *c;
    }
  }
  std::vector<FilterEntry> entries;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) entries.push_back({parts[i], parts[i + 1]});
  return entries;
}

// QtFilter: Qt's "Description (patterns)" form. "*.*" means every file, as it always has.
QString QtFilter(const FilterEntry& entry) {
  QString description = QString::fromStdString(entry.description).trimmed();
  if (description.endsWith(')') && description.contains('('))
    description = description.left(description.lastIndexOf('(')).trimmed();
  QStringList patterns = QString::fromStdString(entry.pattern).split(';', Qt::SkipEmptyParts);
  for (QString& p : patterns) p = p.trimmed() == "*.*" ? "*" : p.trimmed();
  return description + " (" + patterns.join(' ') + ")";
}

QStringList QtFilters(const std::vector<FilterEntry>& entries) {
  QStringList filters;
  for (const FilterEntry& e : entries) filters << QtFilter(e);
  return filters;
}

// FileTitleExtension: from the last "." of the name after the last folder separator.
std::string FileTitleExtension(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  const std::string title = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = title.rfind('.');
  return dot == std::string::npos ? title : title.substr(dot);
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

// RunFileDialog: the hook, or the system's dialog; false when cancelled.
bool RunFileDialog(const FileDialogRequest& request, std::string& path, int& filterIndex) {
  if (fileHook) return fileHook(request, path, filterIndex);
  if (!HasDisplay()) return false;
  const std::vector<FilterEntry> entries = ParseFilter(request.filter.c_str());
  const QStringList filters = QtFilters(entries);
  QString selected =
      filterIndex >= 1 && filterIndex <= filters.size() ? filters[filterIndex - 1] : QString();
  const QString title = QString::fromStdString(request.title);
  const QString start =
      QString::fromStdString(request.save ? request.defaultName : request.initialFolder);
  const QString chosen =
      request.save
          ? QFileDialog::getSaveFileName(BoxParent(), title, start, filters.join(";;"), &selected)
          : QFileDialog::getOpenFileName(BoxParent(), title, start, filters.join(";;"), &selected);
  if (chosen.isEmpty()) return false;
  path = chosen.toStdString();
  if (filters.indexOf(selected) >= 0) filterIndex = static_cast<int>(filters.indexOf(selected)) + 1;
  return true;
}

}  // namespace

std::string FilterExtension(const char* filter, int filterIndex) {
  const std::vector<FilterEntry> entries = ParseFilter(filter);
  if (filterIndex < 1 || filterIndex > static_cast<int>(entries.size())) return {};
  const std::string& pattern = entries[filterIndex - 1].pattern;
  if (pattern.size() < 2 || pattern[0] != '*' || pattern[1] != '.' || pattern == "*.*") return {};
  return pattern.substr(
      1, pattern.find(';') == std::string::npos ? std::string::npos : pattern.find(';') - 1);
}

std::string AddFilterExtension(const std::string& path, const char* filter, int filterIndex) {
  const std::string extension = FilterExtension(filter, filterIndex);
  if (extension.empty() || SameTextIgnoringCase(FileTitleExtension(path), extension)) return path;
  return path + extension;
}

std::optional<std::string> AskOpenFile(const char* title, const char* filter, int& filterIndex,
                                       const char* initialFolder) {
  FileDialogRequest request{false, title ? title : "", filter ? filter : "", "",
                            initialFolder ? initialFolder : ""};
  std::string path;
  if (!RunFileDialog(request, path, filterIndex)) return std::nullopt;
  return path;
}

std::optional<std::string> AskSaveFile(const char* title, const char* filter,
                                       const char* defaultName, int& filterIndex,
                                       bool addExtension) {
  FileDialogRequest request{true, title ? title : "", filter ? filter : "",
                            defaultName ? defaultName : "", ""};
  std::string path;
  if (!RunFileDialog(request, path, filterIndex)) return std::nullopt;
  if (!addExtension) return path;
  const std::string extended = AddFilterExtension(path, filter, filterIndex);
  // The dialog confirmed replacing the name it saw; a file that only the added extension
  // names was never confirmed, and must not be replaced unasked.
  if (extended != path && QFileInfo(QString::fromStdString(extended)).exists() &&
      Caution(ButtonsOkCancel, MessageReplaceExistingFile,
              QFileInfo(QString::fromStdString(extended)).fileName().toUtf8().constData()) !=
          AnswerOk)
    return std::nullopt;
  return extended;
}

FileDialogHook SetFileDialogHook(FileDialogHook hook) {
  FileDialogHook previous = std::move(fileHook);
  fileHook = std::move(hook);
  return previous;
}

}  // namespace qv
