// platform/boxes.h - the ready-made boxes: the one-line ask box, the colour and font pickers and
// the open and save file dialogs. Alerts are platform/alert.h, the progress box
// platform/progress.h. Without a display, boxes that have no test hook answer "cancelled".
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace qv {

// AskText: the ask box titled title (the program's title for nullptr) with prompt and the
// initial text; true on OK, with text replaced by what was typed (at most 255 bytes).
bool AskText(const char* title, const char* prompt, std::string& text);

// ChooseColor: the colour picker starting from colour (0x00BBGGRR); true when one was chosen.
// The 16 custom colours are kept for the run.
bool ChooseColor(const char* title, uint32_t& colour);

// ChooseFont: the font picker starting from face, size (cell height in pixels) and style
// (1 bold, 2 italic, 4 underline, 128 strikeout; other bits are kept). True when chosen.
bool ChooseFont(std::string& face, int& size, int& style);

// File dialogs. filter is "description|pattern|" pairs, e.g. "Text Files (*.txt)|*.txt|";
// filterIndex is 1-based, in and out. Paths come back with "/" separators.
std::optional<std::string> AskOpenFile(const char* title, const char* filter, int& filterIndex,
                                       const char* initialFolder);
// AskSaveFile: with addExtension, the chosen filter's extension (its pattern without the "*",
// such as ".qvs") is appended unless it is ".*" or the name already ends with the extension of
// one of the filter's entries (any case): a name typed as "m42.png" with another entry chosen
// keeps its own extension, and the caller goes by it.
// A name that only then names an existing file is confirmed (message 545) before it is used.
std::optional<std::string> AskSaveFile(const char* title, const char* filter,
                                       const char* defaultName, int& filterIndex,
                                       bool addExtension);

// FileDialogHook: stands in for the system's file dialog (tests, scripted use). It gets what
// the dialog would show and returns false for Cancel, or true with the path typed or chosen and
// the filter index. An empty hook restores the dialog. Returns the previous hook.
struct FileDialogRequest {
  bool save = false;
  std::string title, filter, defaultName, initialFolder;
};
using FileDialogHook =
    std::function<bool(const FileDialogRequest& request, std::string& path, int& filterIndex)>;
FileDialogHook SetFileDialogHook(FileDialogHook hook);

// FilterExtension: the extension that filter number filterIndex adds (".qvs"), or "" for none.
std::string FilterExtension(const char* filter, int filterIndex);
// AddFilterExtension: path with the extension rule of AskSaveFile applied.
std::string AddFilterExtension(const std::string& path, const char* filter, int filterIndex);

}  // namespace qv
