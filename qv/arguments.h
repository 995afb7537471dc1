// qv/arguments.h - the command line of qv, the command-line companion: a subcommand, its
// options ("--name VALUE", "--name=VALUE" or a flag "--name") and its plain arguments, checked
// against the subcommand's table of what it accepts.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace qv {

// QvCommandSyntax: what one subcommand accepts.
struct QvCommandSyntax {
  const char* name = "";
  const char* synopsis = "";                  // the usage line after "qv "
  const char* help = "";                      // what the command does and what its options mean
  std::vector<std::string> valueOptions;      // options that take a value
  std::vector<std::string> flagOptions;       // options without a value (--help is always one)
  std::vector<std::string> required;          // value options that must be given
  size_t minArguments = 0, maxArguments = 0;  // plain arguments
  std::vector<std::string> repeatable;        // value options that may be given more than once
};

struct QvArguments {
  std::string command;
  std::vector<std::string> arguments;                      // plain arguments in order
  std::map<std::string, std::vector<std::string>> values;  // "--out" -> {"chart.png"}
  std::set<std::string> flags;                             // "--exact"

  bool Has(const std::string& option) const { return values.count(option) || flags.count(option); }
  // Value: the option's value ("" when not given); Values: every value of a repeatable option,
  // in the order given.
  std::string Value(const std::string& option) const {
    const auto it = values.find(option);
    return it == values.end() ? std::string() : it->second.front();
  }
  std::vector<std::string> Values(const std::string& option) const {
    const auto it = values.find(option);
    return it == values.end() ? std::vector<std::string>() : it->second;
  }
};

// ParseQvArguments: reads the words after the subcommand (args[0] is the subcommand itself)
// against its syntax. With --help anywhere nothing else is checked. An unknown option, a missing
// value, an option given twice (unless repeatable), a missing required option or a wrong number of
// plain arguments gives false with a one-line explanation in error. "--" ends the options: words
// after it are plain arguments even when they start with "--".
bool ParseQvArguments(const std::vector<std::string>& args, const QvCommandSyntax& syntax,
                      QvArguments& parsed, std::string& error);

}  // namespace qv
