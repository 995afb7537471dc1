// qv/run.cpp - qv's subcommands, their options and help, and the dispatch (commands.h).
#include <cstdint>
#include <string>
#include <vector>

#include "qv/commands.h"

namespace qv {
namespace {

using QvRunner = int (*)(const QvArguments&, const QvOutput&);

struct QvCommand {
  QvCommandSyntax syntax;
  QvRunner run;
};

const char* const TimeHelp =
    "  --jd JD                  the chart's time as a Julian date (universal time)\n"
    "  --date \"Y/M/D h:m:s\"     the chart's time, local in the settings' time zone\n";
const char* const SettingsHelp =
    "  --settings FILE          a settings file over the defaults and Quorvane.ini\n";
const char* const DatabaseHelp =
    "  --database DIR           the database folder (default: Database beside the program)\n";

const std::vector<QvCommand>& Commands() {
  static const std::vector<QvCommand> commands = {
      {{"chart",
        "chart [--settings FILE] [--database DIR] [--jd JD | --date \"Y/M/D h:m:s\"] [--size WxH] "
        "[--no-legend] --out FILE",
        "Draws the chart of the settings into FILE, its format chosen by the extension:\n"
        ".png .bmp .gif .tif .jpg (images), .wmf .svg .pdf (vector charts for print).\n"
        "  --out FILE               the chart file (\"-\": a PNG on standard output)\n"
        "  --size WxH               its size in pixels (default 1600x1000)\n"
        "  --no-legend              no legend band\n",
        {"--settings", "--database", "--jd", "--date", "--size", "--out"},
        {"--no-legend"},
        {"--out"},
        0,
        0},
       RunChartCommand},
      {{"ephemeris",
        "ephemeris --object NAME --start \"Y/M/D h:m:s\" --end \"Y/M/D h:m:s\" --step DAYS "
        "[--settings FILE] [--database DIR] [--out FILE]",
        "Writes the ephemeris table of the object from --start to --end (local time in the\n"
        "settings' time zone) every --step days, to FILE or to standard output.\n"
        "  --object NAME            the object, by its name or a designation\n"
        "  --start \"Y/M/D h:m:s\"    the first row's date and time\n"
        "  --end \"Y/M/D h:m:s\"      the last date and time a row may have\n"
        "  --step DAYS              the days from one row to the next (0.5 is 12 hours)\n"
        "  --out FILE               the table's file (default, or \"-\": standard output)\n",
        {"--object", "--start", "--end", "--step", "--settings", "--database", "--out"},
        {},
        {"--object", "--start", "--end", "--step"},
        0,
        0},
       RunEphemerisCommand},
      {{"info",
        "info --object NAME [--settings FILE] [--database DIR] [--jd JD | --date \"Y/M/D h:m:s\"]",
        "Prints the object's info lines: kind, R.A., Dec., distance, magnitude, size, rise, set,\n"
        "motions or illumination and orientation, and the place in the chart's coordinates.\n"
        "  --object NAME            the object, by its name or a designation\n",
        {"--object", "--settings", "--database", "--jd", "--date"},
        {},
        {"--object"},
        0,
        0},
       RunInfoCommand},
      {{"find",
        "find TEXT [--exact] [--case] [--database DIR]",
        "Prints every object whose name matches TEXT, with its kind, in database order.\n"
        "  --exact                  the whole of a name part must match\n"
        "  --case                   upper and lower case differ\n",
        {"--database"},
        {"--exact", "--case"},
        {},
        1,
        1},
       RunFindCommand},
      {{"import",
        "import FILE... [--database DIR] [--create] [--replace | --rename] [--keep-going] "
        "[--satellites]",
        "Imports object text files (and FileList files) and satellite element files (.tle),\n"
        "each into a new database file named after it.\n"
        "  --create                 make the database first when it does not exist\n"
        "  --replace                replace a database file of the same name\n"
        "  --rename                 give the new database file a numbered name instead\n"
        "  --keep-going             keep reading past lines that give no object\n"
        "  --satellites             read every FILE as two-line satellite elements, whatever its "
        "name\n",
        {"--database"},
        {"--create", "--replace", "--rename", "--keep-going", "--satellites"},
        {},
        1,
        SIZE_MAX},
       RunImportCommand},
      {{"db",
        "db [--database DIR] [--check]",
        "Lists the database files with their object counts and summaries.\n"
        "  --check                  read every file and list those that cannot be read, and why\n",
        {"--database"},
        {"--check"},
        {},
        0,
        0},
       RunDbCommand},
  };
  return commands;
}

std::string UsageText() {
  std::string text = "Usage:\n";
  for (const QvCommand& command : Commands())
    text += std::string("  qv ") + command.syntax.synopsis + "\n";
  return text +
         "\"qv COMMAND --help\" explains a command. Exit codes: 0 done, 1 a user error, 2 a file "
         "error.\n";
}

std::string CommandHelp(const QvCommandSyntax& syntax) {
  std::string text = std::string("Usage: qv ") + syntax.synopsis + "\n\n" + syntax.help;
  const std::vector<std::string>& options = syntax.valueOptions;
  const auto has = [&options](const char* name) {
    for (const std::string& option : options) {
      if (option == name) return true;
    }
    return false;
  };
  if (has("--settings")) text += SettingsHelp;
  if (has("--database")) text += DatabaseHelp;
  if (has("--jd")) text += TimeHelp;
  return text;
}

}  // namespace

int RunQv(const std::vector<std::string>& args, const QvOutput& output) {
  if (args.empty()) {
    output.err(UsageText());
    return QvUserError;
  }
  if (args.front() == "--help" || args.front() == "help") {
    output.out(UsageText());
    return QvSuccess;
  }
  for (const QvCommand& command : Commands()) {
    if (args.front() != command.syntax.name) continue;
    QvArguments parsed;
    std::string error;
    if (!ParseQvArguments(args, command.syntax, parsed, error)) {
      output.err("qv: " + error + "\nUsage: qv " + command.syntax.synopsis + "\n");
      return QvUserError;
    }
    if (parsed.Has("--help")) {
      output.out(CommandHelp(command.syntax));
      return QvSuccess;
    }
    const int code = command.run(parsed, output);
    return QvSession::UsedUnreadableFiles() ? QvFileError : code;
  }
  output.err("qv: no command \"" + args.front() + "\"\n" + UsageText());
  return QvUserError;
}

}  // namespace qv
