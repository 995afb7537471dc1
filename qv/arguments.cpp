// qv/arguments.cpp - reading qv's command line against a subcommand's syntax (arguments.h).
#include "qv/arguments.h"

#include <algorithm>

namespace qv {
namespace {

bool Contains(const std::vector<std::string>& list, const std::string& word) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

bool IsOption(const std::string& word) { return word.size() > 2 && word.compare(0, 2, "--") == 0; }

std::string CountText(size_t count) {
  return count == 1 ? "one argument" : std::to_string(count) + " arguments";
}

bool CheckArgumentCount(const QvArguments& parsed, const QvCommandSyntax& syntax,
                        std::string& error) {
  const size_t count = parsed.arguments.size();
  if (count < syntax.minArguments) {
    error = "qv " + parsed.command + " needs " + CountText(syntax.minArguments) +
            (syntax.maxArguments > syntax.minArguments ? " or more" : "");
    return false;
  }
  if (count > syntax.maxArguments) {
    error = "qv " + parsed.command + " takes " +
            (syntax.maxArguments == 0 ? std::string("no arguments")
                                      : "at most " + CountText(syntax.maxArguments)) +
            ", not \"" + parsed.arguments[syntax.maxArguments] + "\"";
    return false;
  }
  return true;
}

// ReadOption: one option word (with its value from "=" or from the next word).
bool ReadOption(const std::vector<std::string>& args, size_t& i, const QvCommandSyntax& syntax,
                QvArguments& parsed, std::string& error) {
  const std::string& word = args[i];
  const size_t equals = word.find('=');
  const std::string name = word.substr(0, equals);
  if (parsed.Has(name) && !Contains(syntax.repeatable, name)) {
    error = name + " is given twice";
    return false;
  }
  if (Contains(syntax.flagOptions, name) || name == "--help") {
    if (equals != std::string::npos) {
      error = name + " takes no value";
      return false;
    }
    parsed.flags.insert(name);
    return true;
  }
  if (!Contains(syntax.valueOptions, name)) {
    error = "qv " + parsed.command + " has no option " + name;
    return false;
  }
  if (equals != std::string::npos) {
    parsed.values[name].push_back(word.substr(equals + 1));
    return true;
  }
  if (i + 1 >= args.size()) {
    error = name + " needs a value";
    return false;
  }
  parsed.values[name].push_back(args[++i]);
  return true;
}

}  // namespace

bool ParseQvArguments(const std::vector<std::string>& args, const QvCommandSyntax& syntax,
                      QvArguments& parsed, std::string& error) {
  parsed = QvArguments();
  parsed.command = syntax.name;
  const auto optionsEnd = std::find(args.begin(), args.end(), "--");
  if (std::find(args.begin(), optionsEnd, "--help") != optionsEnd) {
    parsed.flags.insert("--help");
    return true;
  }
  bool optionsEnded = false;
  for (size_t i = 1; i < args.size(); ++i) {
    if (!optionsEnded && args[i] == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && IsOption(args[i])) {
      if (!ReadOption(args, i, syntax, parsed, error)) return false;
    } else {
      parsed.arguments.push_back(args[i]);
    }
  }
  for (const std::string& option : syntax.required) {
    if (!parsed.Has(option)) {
      error = "qv " + parsed.command + " needs " + option;
      return false;
    }
  }
  return CheckArgumentCount(parsed, syntax, error);
}

}  // namespace qv
