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
        "[--paper A4|A3|Letter] [--no-legend] --out FILE",
        "Draws the chart of the settings into FILE, its format chosen by the extension:\n"
        ".png .bmp .gif .tif .jpg (images), .wmf .svg .pdf (vector charts for print).\n"
        "  --out FILE               the chart file (\"-\": a PNG on standard output)\n"
        "  --size WxH               its size in pixels (default 1600x1000)\n"
        "  --paper A4|A3|Letter     a PDF on that paper, the chart fitted to it (default: the\n"
        "                           page is the chart, a pixel as a point)\n"
        "  --no-legend              no legend band\n",
        {"--settings", "--database", "--jd", "--date", "--size", "--paper", "--out"},
        {"--no-legend"},
        {"--out"},
        0,
        0,
        {}},
       RunChartCommand},
      {{"animate",
        "animate [--settings FILE] [--database DIR] (--jd JD | --date \"Y/M/D h:m:s\") --step DAYS "
        "--frames N [--trail OBJECT[,OBJECT...]] [--size WxH] --out FILE.gif",
        "Writes an animated GIF of the chart: the first frame at the given time, each next one\n"
        "--step days later (backward when negative), 7 hundredths of a second apart, replayed for\n"
        "ever by viewers. The chart is drawn as the program draws it while saving an animation\n"
        "(8 bits a pixel), with the trails of the settings file and of --trail.\n"
        "  --out FILE.gif           the animated GIF\n"
        "  --step DAYS              the days from one frame to the next (0.5 is 12 hours)\n"
        "  --frames N               the number of frames, 1 to 10000\n"
        "  --trail OBJECT,...       a trail for each object: its places against the stars,\n"
        "                           a tick at each, as many as there are frames\n"
        "  --size WxH               the frames' size in pixels (default 1600x1000)\n",
        {"--settings", "--database", "--jd", "--date", "--step", "--frames", "--trail", "--size",
         "--out"},
        {},
        {"--step", "--frames", "--out"},
        0,
        0,
        {}},
       RunAnimateCommand},
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
        0,
        {}},
       RunEphemerisCommand},
      {{"approach",
        "approach --object A --object B [--maximum] [--physical] --start \"Y/M/D h:m:s\" "
        "--end \"Y/M/D h:m:s\" --step DAYS [--all] [--settings FILE] [--database DIR]",
        "Prints when two objects come closest together between --start and --end (local time in\n"
        "the settings' time zone), sampled every --step days and refined to 0.0001 day, as\n"
        "\"date<TAB>separation\": the angle between them in the sky in degrees, or their distance\n"
        "in space in AU. An extremum needs a sample before and after it inside the range.\n"
        "  --object NAME            one of the two objects: give it twice\n"
        "  --maximum                when they stand widest apart instead\n"
        "  --physical               their distance in space instead of the angle in the sky\n"
        "  --start \"Y/M/D h:m:s\"    the first sample's date and time\n"
        "  --end \"Y/M/D h:m:s\"      the last date and time a sample may have\n"
        "  --step DAYS              the days from one sample to the next\n"
        "  --all                    every extremum in the range, not only the first\n",
        {"--object", "--start", "--end", "--step", "--settings", "--database"},
        {"--maximum", "--physical", "--all"},
        {"--object", "--start", "--end", "--step"},
        0,
        0,
        {"--object"}},
       RunApproachCommand},
      {{"info",
        "info --object NAME [--settings FILE] [--database DIR] [--jd JD | --date \"Y/M/D h:m:s\"]",
        "Prints the object's info lines: kind, R.A., Dec., distance, magnitude, size, rise, set,\n"
        "motions or illumination and orientation, and the place in the chart's coordinates.\n"
        "  --object NAME            the object, by its name or a designation\n",
        {"--object", "--settings", "--database", "--jd", "--date"},
        {},
        {"--object"},
        0,
        0,
        {}},
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
        1,
        {}},
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
        SIZE_MAX,
        {}},
       RunImportCommand},
      {{"db",
        "db [--database DIR] [--check]",
        "Lists the database files with their object counts and summaries.\n"
        "  --check                  read every file and list those that cannot be read, and why\n",
        {"--database"},
        {"--check"},
        {},
        0,
        0,
        {}},
       RunDbCommand},
      {{"telescope",
        "telescope --interface NAME (--port DEVICE | --emulate | --indi HOST:PORT [--device NAME]) "
        "[--settings FILE] [--database DIR] [--jd JD | --date \"Y/M/D h:m:s\"] ACTION [OBJECT] "
        "[--ra H --dec D]",
        "Drives a telescope without windows. ACTION is one of:\n"
        "  position                 prints the telescope's J2000 R.A. and Dec.\n"
        "  goto OBJECT | --ra H --dec D   sends it to the object or the J2000 coordinates\n"
        "  sync OBJECT | --ra H --dec D   tells it that it points there\n"
        "  stop                     stops every motion\n"
        "  set-time, set-site       sets its clock, or its site, from the settings\n"
        "  ports                    lists the serial ports\n"
        "  --interface NAME         LX200, MagellanI, MagellanII, Autostar, Ultima2000, NexStar,\n"
        "                           AstroMaster, SkyWizard, NGCMax, SkyVector, BBox,\n"
        "                           QEICoordinate or INDI\n"
        "  --port DEVICE            the serial port (/dev/ttyUSB0)\n"
        "  --emulate                a simulated telescope: no port is opened\n"
        "  --indi HOST:PORT         the INDI server (port 7624 when not given)\n"
        "  --device NAME            its telescope (default: the first it has)\n"
        "  --ra H, --dec D          hours and degrees, as 5.5 or \"5 30 00\"\n",
        {"--interface", "--port", "--indi", "--device", "--settings", "--database", "--jd",
         "--date", "--ra", "--dec"},
        {"--emulate"},
        {},
        1,
        2,
        {}},
       RunTelescopeCommand},
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
