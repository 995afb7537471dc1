// qv/telescope_command.cpp - qv telescope: the telescope link without windows (commands.h).
#include <cstdlib>
#include <string>

#include "objects/apparent.h"
#include "objects/sky.h"
#include "objects/textformat.h"
#include "platform/events.h"
#include "platform/result.h"
#include "platform/serial.h"
#include "qv/commands.h"
#include "settings/settings.h"
#include "settings/telescope_settings.h"
#include "telescope/command_text.h"  // HoursPerRadian, DegreesPerRadian
#include "telescope/indi.h"
#include "telescope/link.h"
#include "telescope/target.h"

namespace qv {
namespace {

enum class Action { Position, GoTo, Sync, Stop, SetTime, SetSite, Ports, None };

Action ActionNamed(const std::string& name) {
  const struct {
    const char* name;
    Action action;
  } actions[] = {{"position", Action::Position}, {"goto", Action::GoTo},
                 {"sync", Action::Sync},         {"stop", Action::Stop},
                 {"set-time", Action::SetTime},  {"set-site", Action::SetSite},
                 {"ports", Action::Ports}};
  for (const auto& a : actions) {
    if (name == a.name) return a.action;
  }
  return Action::None;
}

// PositionText: J2000 R.A. to a tenth of a second of time and Dec. to the arcsecond.
std::string PositionText(const EquatorialPosition& at) {
  const std::string ra = FormatAngleText(at.ra * HoursPerRadian, "%c%02hd %02hd %04.1f");
  const std::string dec = FormatAngleText(at.dec * DegreesPerRadian, "%c%02hd %02hd %02.0f");
  return "R.A. " + ra.substr(1) + "  Dec. " + dec + "\n";
}

// ConnectionOptions: the interface and the port, emulation or INDI server of the command line
// over the settings.
bool ConnectionOptions(const QvArguments& args, const QvSession& session, TelescopeOptions& o,
                       int& exitCode) {
  const int kind = TelescopeKindNamed(args.Value("--interface"));
  if (kind == 0) {
    exitCode = session.Fail(QvUserError,
                            "no telescope interface named \"" + args.Value("--interface") + "\"");
    return false;
  }
  o = TelescopeOptionsOf(Settings());
  o.TelescopeInterface = static_cast<TelescopeKind>(kind);
  o.TelescopeEmulated = args.Has("--emulate");
  if (args.Has("--port")) o.TelescopeConnectionPort = AddSerialPortPath(args.Value("--port"));
  if (args.Has("--indi") &&
      !ReadIndiAddress(args.Value("--indi"), o.TelescopeINDIHost, o.TelescopeINDIPort)) {
    exitCode = session.Fail(QvUserError, "not an INDI server address: " + args.Value("--indi"));
    return false;
  }
  if (args.Has("--device")) o.TelescopeINDIDevice = args.Value("--device");
  const bool indi = kind == TelescopeINDI;
  if (!o.TelescopeEmulated && !indi && !args.Has("--port")) {
    exitCode = session.Fail(QvUserError, "give the serial port (--port DEVICE) or --emulate");
    return false;
  }
  return true;
}

// AngleOf: "5.5" or "5 30 00" (hours or degrees).
double AngleOf(const std::string& text) {
  return text.find(' ') != std::string::npos ? ParseAngleText(text)
                                             : std::strtod(text.c_str(), nullptr);
}

// TargetOf: the object named after the action, or --ra HOURS and --dec DEGREES.
bool TargetOf(const QvArguments& args, const QvSession& session, TelescopeTarget& target,
              int& exitCode) {
  if (args.arguments.size() > 1) {
    ObjectRecord* object = FindQvObject(args.arguments[1]);
    if (!object) {
      exitCode = QvUserError;
      return false;
    }
    EnsureCurrent(*object);  // its direction at the settings' time
    target = TargetFromObject(*object);
    return true;
  }
  if (!args.Has("--ra") || !args.Has("--dec")) {
    exitCode = session.Fail(QvUserError, "give the target: an object, or --ra and --dec");
    return false;
  }
  target = {NoObject,
            {AngleOf(args.Value("--ra")) / HoursPerRadian,
             AngleOf(args.Value("--dec")) / DegreesPerRadian}};
  return true;
}

int ListPorts(const QvOutput& output) {
  for (int port = 1; port <= SerialPortCount(); ++port) output.out(SerialPortName(port) + "\n");
  return QvSuccess;
}

// RunAction: the action on a connected link; a Result code.
int RunAction(Action action, TelescopeLink& link, const TelescopeSky& sky, const QvOutput& output) {
  const ChartSettings& s = Settings();
  switch (action) {
    case Action::Position:
      output.out(PositionText(link.position));
      return ResultOk;
    case Action::GoTo:
      return TelescopeGoTo(link, sky);
    case Action::Sync:
      return TelescopeSync(link, sky);
    case Action::Stop:
      return TelescopeStop(link);
    case Action::SetTime:
      return TelescopeSetDateTime(link, s.JulianDate, ZoneInEffect(s, s.JulianDate));
    case Action::SetSite:
      return TelescopeSetSite(link, s.ViewerLongitude, s.ViewerLatitude,
                              ZoneInEffect(s, s.JulianDate));
    default:
      return ResultFailed;
  }
}

}  // namespace

int RunTelescopeCommand(const QvArguments& args, const QvOutput& output) {
  QvSession session(output);
  const Action action = ActionNamed(args.arguments[0]);
  if (action == Action::None)
    return session.Fail(QvUserError, "no telescope action named \"" + args.arguments[0] + "\"");
  if (action == Action::Ports) return ListPorts(output);
  const bool named = args.arguments.size() > 1;
  const int ready = named ? session.OpenSky(args) : session.LoadSettings(args);
  if (ready != ResultOk) return ExitCodeOf(ready);
  int exitCode = QvSuccess;
  TelescopeOptions options;
  if (!ConnectionOptions(args, session, options, exitCode)) return exitCode;
  TelescopeTarget target;
  if ((action == Action::GoTo || action == Action::Sync) &&
      !TargetOf(args, session, target, exitCode))
    return exitCode;
  const SkyContext& context = CurrentSky();
  const TelescopeSky sky{context.jde, context.siderealTime};
  TelescopeLink link;
  if (ConnectTelescope(link, options, sky, TickCount()) != ResultOk) return QvFileError;
  link.target = target;
  const int result = RunAction(action, link, sky, output);
  DisconnectTelescope(link);
  if (result == ResultOk) return QvSuccess;
  return result == ResultMountSlewing ? QvUserError : QvFileError;
}

}  // namespace qv
