// objects/namesearch.cpp - name matching over the store, with a progress box for long searches.
#include "objects/namesearch.h"

#include <algorithm>
#include <array>
#include <chrono>

#include "objects/designations.h"
#include "objects/messages.h"
#include "objects/store.h"
#include "objects/textscan.h"
#include "platform/progress.h"
#include "platform/result.h"

namespace qv {
namespace {

constexpr size_t MaxAlternatives = 16;
constexpr size_t MaxWords = 16;
constexpr size_t MaxNameParts = 16;

bool SameByte(char a, char b, bool caseSensitive) {
  return caseSensitive ? a == b : FoldCase(a) == FoldCase(b);
}

bool Equal(std::string_view a, std::string_view b, bool caseSensitive) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [caseSensitive](char x, char y) { return SameByte(x, y, caseSensitive); });
}

bool Contains(std::string_view text, std::string_view word, bool caseSensitive) {
  return std::search(text.begin(), text.end(), word.begin(), word.end(),
                     [caseSensitive](char x, char y) { return SameByte(x, y, caseSensitive); }) !=
         text.end();
}

std::vector<std::string_view> SplitWords(std::string_view alternative) {
  std::vector<std::string_view> words;
  TextScanner s(alternative);
  std::string_view word;
  while (words.size() < MaxWords && s.ReadWord(word)) words.push_back(word);
  return words;
}

bool PartMatches(const NameQuery& q, size_t alternative, std::string_view part) {
  if (q.exact) return Equal(q.alternatives[alternative], part, q.caseSensitive);
  return std::all_of(q.words[alternative].begin(), q.words[alternative].end(),
                     [&](std::string_view word) { return Contains(part, word, q.caseSensitive); });
}

}  // namespace

NameQuery MakeNameQuery(std::string_view text, bool caseSensitive, bool exact) {
  NameQuery q;
  q.caseSensitive = caseSensitive;
  q.exact = exact;
  q.alternatives = SplitNameParts(text, MaxAlternatives);
  if (!exact) {
    for (std::string_view alternative : q.alternatives) q.words.push_back(SplitWords(alternative));
  }
  return q;
}

bool NameMatches(const NameQuery& q, std::string_view displayName) {
  if (q.alternatives.empty()) return false;
  const std::vector<std::string_view> parts = SplitNameParts(displayName, MaxNameParts);
  const auto anyPart = [&](size_t alternative) {
    return std::any_of(parts.begin(), parts.end(),
                       [&](std::string_view part) { return PartMatches(q, alternative, part); });
  };
  for (size_t a = 0; a < q.alternatives.size(); ++a) {
    const bool matched = anyPart(a);
    if (q.exact && !matched) return false;
    if (!q.exact && matched) return true;
  }
  return q.exact;
}

int FindObjectByName(const char* text, bool caseSensitive, bool exact, ObjectId after,
                     ObjectId& found, int progressDelayMs) {
  const NameQuery query = MakeNameQuery(text ? text : "", caseSensitive, exact);
  if (query.alternatives.empty()) return ResultNotFound;
  const auto start = std::chrono::steady_clock::now();
  bool progressOpen = false;
  double examined = 0;
  for (ObjectId id = after != 0 ? NextObject(after) : FirstObject(); id != 0; id = NextObject(id)) {
    const ObjectRecord* record = ObjectOfId(id);
    if (record && NameMatches(query, DisplayName(*record))) {
      if (progressOpen) CloseProgress();
      found = id;
      return ResultOk;
    }
    ++examined;
    if (!progressOpen &&
        std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(progressDelayMs)) {
      progressOpen = OpenProgress(TotalObjectCount(), 0, 1, 0,
                                  MessageText(MessageSearching, text).c_str(), nullptr, true);
    }
    if (progressOpen && UpdateProgress(examined) == 0) {
      CloseProgress();
      found = id;
      return ResultCancelled;
    }
  }
  if (progressOpen) CloseProgress();
  return ResultNotFound;
}

}  // namespace qv
