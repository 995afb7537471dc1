// objects/messages.h - the messages of the string table filled in for the progress boxes; the
// numbers of every named string are generated/string_numbers.h, made from resources/strings.txt.
#pragma once

#include <string>

#include "generated/string_numbers.h"

namespace qv {

// MessageText: the message of that number with its one "%s" filled in (progress texts).
std::string MessageText(int number, const std::string& argument);

}  // namespace qv
