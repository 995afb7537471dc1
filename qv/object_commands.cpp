// qv/object_commands.cpp - qv info, qv ephemeris and qv approach (commands.h).
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "chart/ephemeris.h"
#include "chart/object_info.h"
#include "objects/configuration_search.h"
#include "objects/messages.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "objects/textformat.h"
#include "platform/files.h"
#include "platform/result.h"
#include "qv/commands.h"
#include "settings/settings.h"

namespace qv {
namespace {

constexpr int64_t MaxEphemerisRows = 1000000;
constexpr int64_t MaxApproachSamples = 1000000;
constexpr int FirstInfoItem = InfoKindItem, LastInfoItem = InfoChartLatItem;

bool ParseStep(const std::string& text, double& step) {
  char* end = nullptr;
  step = std::strtod(text.c_str(), &end);
  return end != text.c_str() && *end == '\0' && std::isfinite(step) && step > 0;
}

struct DateRange {
  JulianDate start = 0, end = 0;
  double step = 0;  // days
};

// ReadRange: --start and --end (local time) and --step; false after the message.
bool ReadRange(const QvSession& session, const QvArguments& args, DateRange& range) {
  if (!session.ParseLocalDate(args.Value("--start"), range.start) ||
      !session.ParseLocalDate(args.Value("--end"), range.end)) {
    return false;
  }
  if (ParseStep(args.Value("--step"), range.step)) return true;
  session.Fail(QvUserError,
               "--step needs a positive number of days, not \"" + args.Value("--step") + "\"");
  return false;
}

// ApproachLine: "date<TAB>separation", the date local in the settings' zone, the separation in
// degrees or AU.
std::string ApproachLine(const ConfigurationFound& found, bool angular) {
  const ChartSettings& s = Settings();
  return FormatDateTime(found.date, ZoneInEffect(s, found.date), s.CalendarSystem) + "\t" +
         (angular ? QvText("%.4f", found.separation * RadToDeg)
                  : QvText("%.6f", found.separation)) +
         "\n";
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
  DateRange range;
  if (!ReadRange(session, args, range)) return QvUserError;
  const auto [start, end, step] = range;
  if (EphemerisRowCount(start, end, step) > MaxEphemerisRows) {
    return session.Fail(QvUserError,
                        "the ephemeris would have more than 1,000,000 rows: choose a longer step");
  }
  ObjectRecord* object = FindQvObject(args.Value("--object"));
  if (!object) return QvUserError;
  const ObservingSettings& observing = Settings();
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

int RunApproachCommand(const QvArguments& args, const QvOutput& output) {
  QvSession session(output);
  const std::vector<std::string> names = args.Values("--object");
  if (names.size() != 2)
    return session.Fail(QvUserError, "give --object twice, once for each object");
  const int ready = session.OpenSky(args);
  if (ready != ResultOk) return ExitCodeOf(ready);
  DateRange range;
  if (!ReadRange(session, args, range)) return QvUserError;
  if (EphemerisRowCount(range.start, range.end, range.step) > MaxApproachSamples) {
    return session.Fail(QvUserError,
                        "the search would take more than 1,000,000 samples: choose a longer step");
  }
  const ObjectRecord* a = FindQvObject(names[0]);
  const ObjectRecord* b = a ? FindQvObject(names[1]) : nullptr;
  if (!b) return QvUserError;
  const ConfigurationSearch search{a, b, Settings(), !args.Has("--maximum"),
                                   !args.Has("--physical")};
  int found = 0;
  ConfigurationFound result;
  // Each search goes on from the last extremum, as the dialog's Next does.
  for (JulianDate from = range.start;
       FindConfiguration(search, from, range.end, range.step, nullptr, result) == 1;
       from = result.date) {
    output.out(ApproachLine(result, search.angular));
    if (++found == 1 && !args.Has("--all")) break;
  }
  if (found > 0) return QvSuccess;
  return session.Fail(QvUserError, std::string("no ") + (search.minimum ? "closest" : "widest") +
                                       " approach of " + DisplayName(*a) + " and " +
                                       DisplayName(*b) + " lies inside the range");
}

}  // namespace qv
