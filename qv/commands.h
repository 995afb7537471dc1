// qv/commands.h - qv, the command-line companion: charts, ephemerides, object info, search,
// import and the database listing from scripts, on the same library as the program, with no
// windows. Messages go to standard error; questions take the safe answer.
//
//   qv chart     [--settings FILE] [--database DIR] [--jd JD | --date "Y/M/D h:m:s"]
//                [--size WxH] [--no-legend] --out FILE
//   qv animate   [--settings FILE] [--database DIR] (--jd JD | --date "...") --step DAYS
//                --frames N [--trail OBJECT[,OBJECT...]] [--size WxH] --out FILE.gif
//   qv ephemeris --object NAME --start "Y/M/D h:m:s" --end "Y/M/D h:m:s" --step DAYS
//                [--settings FILE] [--database DIR] [--out FILE]
//   qv approach  --object A --object B [--maximum] [--physical] --start "Y/M/D h:m:s"
//                --end "Y/M/D h:m:s" --step DAYS [--all] [--settings FILE] [--database DIR]
//   qv info      --object NAME [--settings FILE] [--database DIR] [--jd JD | --date "..."]
//   qv find      TEXT [--exact] [--case] [--database DIR]
//   qv import    FILE... [--database DIR] [--create] [--replace | --rename] [--keep-going]
//                [--satellites]
//   qv db        [--database DIR] [--check]
//   qv telescope --interface NAME (--port DEVICE | --emulate | --indi HOST:PORT [--device NAME])
//                [--settings FILE] [--database DIR] ACTION [OBJECT] [--ra H --dec D]
// A run that used database files it could not read ends with a file error (2).
#pragma once

#include <string>
#include <vector>

#include "objects/records.h"
#include "qv/arguments.h"
#include "qv/session.h"

namespace qv {

// RunQv: one run; args are the words after the program's name. Returns the exit code
// (QvExitCode). "--help" after a subcommand, or "help" / "--help" alone, prints the usage.
int RunQv(const std::vector<std::string>& args, const QvOutput& output);

// The subcommands, with their arguments already checked against their specs.
int RunChartCommand(const QvArguments& args, const QvOutput& output);
int RunAnimateCommand(const QvArguments& args, const QvOutput& output);
int RunEphemerisCommand(const QvArguments& args, const QvOutput& output);
int RunApproachCommand(const QvArguments& args, const QvOutput& output);
int RunInfoCommand(const QvArguments& args, const QvOutput& output);
int RunFindCommand(const QvArguments& args, const QvOutput& output);
int RunImportCommand(const QvArguments& args, const QvOutput& output);
int RunDbCommand(const QvArguments& args, const QvOutput& output);
int RunTelescopeCommand(const QvArguments& args, const QvOutput& output);

// FindQvObject: the object whose name matches exactly (any case), else the one that carries the
// name as a designation written another way, else the first whose name contains the words;
// note 523 when none does.
ObjectRecord* FindQvObject(const std::string& name);

}  // namespace qv
