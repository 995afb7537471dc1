// objects/messages.cpp - filling in message texts that are not shown as alerts.
#include "objects/messages.h"

#include <cstdio>

#include "platform/strings.h"

namespace qv {

std::string MessageText(int number, const std::string& argument) {
  const char* format = GetString(number);
  char text[StringMaxLength + 1];
  std::snprintf(text, sizeof text, format ? format : "%s", argument.c_str());
  return text;
}

}  // namespace qv
