// qv/object_commands.cpp - qv info and qv ephemeris (commands.h).
#include <cmath>
#include <cstdlib>
#include <string>

#include "chart/ephemeris.h"
#include "chart/object_info.h"
#include "objects/designations.h"
#include "objects/messages.h"
#include "objects/namesearch.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "platform/files.h"
#include "platform/result.h"
#include "qv/commands.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int64_t MaxEphemerisRows = 1000000;
constexpr int FirstInfoItem = InfoKindItem, LastInfoItem = InfoChartLatItem;

// CanonicalDesignation: a catalog designation as the database writes it ("M 31" is "M31");
// "" when the text is none.
std::string CanonicalDesignation(const std::string& name) {
  CatalogNumber number = 0;
  if (ParseDeepSkyDesignation(name, number) || ParseStarDesignation(name, number))
    return RenderDesignation(number);
  return std::string();
}

// FindQvObject: the object whose name matches exactly (any case), else the one that carries the
// name as a designation written another way, else the first whose name contains the words;
// note 523 when none does.
ObjectRecord* FindQvObject(const std::string& name) {
  const std::string designation = CanonicalDesignation(name);
  ObjectId found = 0;
  if (FindObjectByName(name.c_str(), false, true, 0, found) == ResultOk ||
      (!designation.empty() &&
       FindObjectByName(designation.c_str(), false, true, 0, found) == ResultOk) ||
      FindObjectByName(name.c_str(), false, false, 0, found) == ResultOk) {
    if (ObjectRecord* record = ObjectOfId(found)) return record;
  }
  Note(ButtonsOk, MessageNoSuchObject, name.c_str());
  return nullptr;
}

bool ParseStep(const std::string& text, double& step) {
  char* end = nullptr;
  step = std::strtod(text.c_str(), &end);
  return end != text.c_str() && *end == '\0' && std::isfinite(step) && step > 0;
}

}  // namespace

int RunInfoCommand(const QvArguments& args, const QvOutput& output) {
  QvSession session(output);
  const int ready = session.OpenSky(args);
  if (ready != ResultOk) return ExitCodeOf(ready);
  ObjectRecord* object = FindQvObject(args.Value("--object"));
  if (!object) return QvUserError;
  std::string lines[LastInfoItem - FirstInfoItem + 1];
  for (const InfoLine& line : ObjectInfoLines(*object, Settings().ChartCoordinateSystem)) {
    if (line.item >= FirstInfoItem && line.item <= LastInfoItem)
      lines[line.item - FirstInfoItem] = line.text;
  }
  for (const std::string& line : lines) output.out(line + "\n");
  return QvSuccess;
}

int RunEphemerisCommand(const QvArguments& args, const QvOutput& output) {
  QvSession session(output);
  const int ready = session.OpenSky(args);
  if (ready != ResultOk) return ExitCodeOf(ready);
  JulianDate start = 0, end = 0;
  if (!session.ParseLocalDate(args.Value("--start"), start) ||
      !session.ParseLocalDate(args.Value("--end"), end)) {
    return QvUserError;
  }
  double step = 0;
  if (!ParseStep(args.Value("--step"), step)) {
    return session.Fail(QvUserError, "--step needs a positive number of days, not \"" +
                                         args.Value("--step") + "\"");
  }
  if (EphemerisRowCount(start, end, step) > MaxEphemerisRows) {
    return session.Fail(QvUserError,
                        "the ephemeris would have more than 1,000,000 rows: choose a longer step");
  }
  ObjectRecord* object = FindQvObject(args.Value("--object"));
  if (!object) return QvUserError;
  ObservingSettings observing = Settings();
  observing.JulianDate = start;  // the header's epoch and time zone are those of the first row
  const int system = Settings().ChartCoordinateSystem;
  const int written = args.Has("--out") ? WriteEphemerisFile(args.Value("--out"), *object,
                                                             observing, system, start, end, step)
                                        : WriteEphemeris(
                                              [&output](std::string_view text) {
                                                output.out(text);
                                                return true;
                                              },
                                              *object, observing, system, start, end, step);
  if (written == ResultOpenError) {
    const std::string path = args.Value("--out");
    return session.Fail(QvFileError, "can't write \"" + path + "\": " + ReplaceFailureReason(path));
  }
  return ExitCodeOf(written);
}

}  // namespace qv
