// objects/namesearch.h - finding objects by name (Find Object, and every lookup of an object by
// its name: the settings file's objects, orbit centres and line ends of imported text).
//
// A search text is split at ";" into up to 16 alternatives; without the exact flag each is split
// further at blanks into up to 16 words. An object's display name is split at ";" into up to 16
// parts the same way (leading blanks skipped, empty ones dropped).
//   exact:     every alternative equals one of the parts;
//   not exact: for some alternative, one single part contains every one of its words.
// Comparison is by bytes when case-sensitive, otherwise ASCII letters match in either case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "objects/records.h"

namespace qv {

struct NameQuery {
  std::vector<std::string_view> alternatives;
  std::vector<std::vector<std::string_view>> words;  // per alternative, when not exact
  bool caseSensitive = false;
  bool exact = false;
};

// MakeNameQuery: the query for a search text, which must outlive it; no alternatives when the
// text is empty or only separators.
NameQuery MakeNameQuery(std::string_view text, bool caseSensitive, bool exact);
bool NameMatches(const NameQuery& query, std::string_view displayName);

// FindObjectByName: the first object after `after` (from the first object of the store when
// after is 0), in store order, whose display name matches. ResultOk with found; ResultNotFound
// at the end of the store or for an empty search; ResultCancelled when the user cancels the
// progress box, which opens once the search has run progressDelayMs, with found the object
// reached (a search can go on from it).
int FindObjectByName(const char* text, bool caseSensitive, bool exact, ObjectId after,
                     ObjectId& found, int progressDelayMs = 1000);

}  // namespace qv
