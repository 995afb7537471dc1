// qv/commands.h - qv, the command-line companion: charts, ephemerides, object info, search,
// import and the database listing from scripts, on the same library as the program, with no
// windows. Messages go to standard error; questions take the safe answer.
//
//   qv chart     [--settings FILE] [--database DIR] [--jd JD | --date "Y/M/D h:m:s"]
//                [--size WxH] [--no-legend] --out FILE
//   qv ephemeris --object NAME --start "Y/M/D h:m:s" --end "Y/M/D h:m:s" --step DAYS
//                [--settings FILE] [--database DIR] [--out FILE]
//   qv info      --object NAME [--settings FILE] [--database DIR] [--jd JD | --date "..."]
//   qv find      TEXT [--exact] [--case] [--database DIR]
//   qv import    FILE... [--database DIR] [--create] [--replace | --rename] [--keep-going]
//                [--satellites]
//   qv db        [--database DIR] [--check]
// A run that used database files it could not read ends with a file error (2).
#pragma once

#include <string>
#include <vector>

#include "qv/arguments.h"
#include "qv/session.h"

namespace qv {

// RunQv: one run; args are the words after the program's name. Returns the exit code
// (QvExitCode). "--help" after a subcommand, or "help" / "--help" alone, prints the usage.
int RunQv(const std::vector<std::string>& args, const QvOutput& output);

// The subcommands, with their arguments already checked against their specs.
int RunChartCommand(const QvArguments& args, const QvOutput& output);
int RunEphemerisCommand(const QvArguments& args, const QvOutput& output);
int RunInfoCommand(const QvArguments& args, const QvOutput& output);
int RunFindCommand(const QvArguments& args, const QvOutput& output);
int RunImportCommand(const QvArguments& args, const QvOutput& output);
int RunDbCommand(const QvArguments& args, const QvOutput& output);

}  // namespace qv
