// telescope/link.cpp - connecting, polling and commanding the telescope through its driver or
// the emulated telescope.
#include "telescope/link.h"

#include "astro/angles.h"
#include "generated/string_numbers.h"
#include "platform/alert.h"
#include "platform/events.h"
#include "platform/result.h"
#include "telescope/target.h"

namespace qv {
namespace {

constexpr double PositionResolution = ArcsecToRad;  // smaller changes do not move the marker
constexpr uint32_t MillisecondsPerSecond = 1000;

const InterfaceInfo& Info(const TelescopeLink& link) {
  return InterfaceOf(link.options.TelescopeInterface);
}

bool Emulating(const TelescopeLink& link) { return link.options.TelescopeEmulated; }

bool Offers(const TelescopeLink& link, TelescopeOperation operation) {
  return link.connected && (Info(link).operations & operation) != 0;
}

// The driver's operation, when the link is live and not emulated.
template <typename Operation>
bool DriverHas(const TelescopeLink& link, Operation TelescopeDriver::*operation) {
  return !Emulating(link) && link.driver && link.driver->*operation;
}

EquatorialPosition ToMount(const TelescopeLink& link, const EquatorialPosition& p,
                           const TelescopeSky& sky) {
  return link.driver && link.driver->equatorOfDate ? J2000ToEquatorOfDate(p, sky.jde) : p;
}

int ReadCounts(TelescopeLink& link, double& lonCount, double& latCount) {
  return DriverHas(link, &TelescopeDriver::readCounts)
             ? link.driver->readCounts(link, lonCount, latCount)
             : ResultFailed;
}

int ReadMountAngles(TelescopeLink& link, MountAngles& out) {
  if (Emulating(link)) {
    out = {link.emulated.position.ra, link.emulated.position.dec};
    return ResultOk;
  }
  double lonCount = 0, latCount = 0;
  if (ReadCounts(link, lonCount, latCount) != ResultOk) return ResultFailed;
  const TelescopeOptions& o = link.options;
  out = MountAnglesFromCounts(link.alignment, lonCount, latCount, o.TelescopeLonEncoderSteps,
                              o.TelescopeLatEncoderSteps);
  return ResultOk;
}

int ReadPosition(TelescopeLink& link, const TelescopeSky& sky, EquatorialPosition& out) {
  if (Info(link).family == ProtocolFamily::EncoderBox) {
    MountAngles m;
    if (ReadMountAngles(link, m) != ResultOk) return ResultFailed;
    out = PositionFromMountAngles(link.alignment, m, link.options.TelescopeMountType,
                                  sky.siderealTime);
    return ResultOk;
  }
  if (Emulating(link)) {
    out = link.emulated.position;
    return ResultOk;
  }
  EquatorialPosition raw;
  if (!DriverHas(link, &TelescopeDriver::readPosition) ||
      link.driver->readPosition(link, raw) != ResultOk)
    return ResultFailed;
  out = link.driver->equatorOfDate ? EquatorOfDateToJ2000(raw, sky.jde) : raw;
  return ResultOk;
}

void StepEmulation(TelescopeLink& link, uint32_t nowMs, const EquatorialPosition* shiftMouse) {
  switch (Info(link).emulation) {
    case EmulationKind::MotionModel:
      StepEmulatedTelescope(link.emulated, nowMs, link.options.TelescopeUpdatesPerSec);
      break;
    case EmulationKind::Mouse:
      if (shiftMouse) EmulateMouse(link.emulated, *shiftMouse);
      break;
    case EmulationKind::PositionOnly:
      break;
  }
}

// One poll without the disconnect on failure (connecting polls this way).
int PollOnce(TelescopeLink& link, const TelescopeSky& sky, uint32_t nowMs,
             const EquatorialPosition* shiftMouse) {
  if (Emulating(link)) StepEmulation(link, nowMs, shiftMouse);
  EquatorialPosition at;
  if (ReadPosition(link, sky, at) != ResultOk) return PollFailed;
  link.lastPollMs = nowMs;
  if (!PositionsDiffer(at, link.position, PositionResolution)) return PollUnchanged;
  link.position = at;
  return PollMoved;
}

int OpenLink(TelescopeLink& link) {
  if (Emulating(link)) {
    if (Info(link).emulation == EmulationKind::Mouse) Note(ButtonsOk, MessageMouseEmulation);
    return ResultOk;
  }
  if (!link.driver) {  // an interface whose protocol this build cannot speak
    Stop(ButtonsOk, MessagePortUnavailable);
    return ResultFailed;
  }
  return link.driver->open(link);
}

void CloseLink(TelescopeLink& link) {
  if (!Emulating(link) && link.driver) link.driver->close(link);
}

}  // namespace

TelescopeLink& Telescope() {
  static TelescopeLink link;
  return link;
}

void WaitWithBusyCursor(int milliseconds) {
  SetWaitCursor();
  Delay(milliseconds);
  SetArrowCursor();
}

int ConnectTelescope(TelescopeLink& link, const TelescopeOptions& options, const TelescopeSky& sky,
                     uint32_t nowMs) {
  DisconnectTelescope(link);
  link.options = options;
  link.driver = DriverOf(Info(link).family);
  link.target = {};
  link.alignment = {};
  link.direction = DirectionNone;
  link.emulated = {};
  link.emulated.rate = Info(link).rates[0];
  link.emulated.lastStepMs = nowMs;
  link.mount = {};
  if (OpenLink(link) != ResultOk) return ResultFailed;
  if (PollOnce(link, sky, nowMs, nullptr) == PollFailed) {
    CloseLink(link);
    return ResultFailed;
  }
  link.connected = true;
  link.showMarker = true;
  return ResultOk;
}

void DisconnectTelescope(TelescopeLink& link) {
  if (link.connected) CloseLink(link);
  link.connected = false;
  link.showMarker = false;
  link.stayCentered = false;
  link.trackMovingTargets = false;
  link.direction = DirectionNone;
}

bool TelescopePollDue(const TelescopeLink& link, uint32_t nowMs) {
  const int perSecond = link.options.TelescopeUpdatesPerSec;
  return link.connected && perSecond > 0 &&
         nowMs - link.lastPollMs > MillisecondsPerSecond / static_cast<uint32_t>(perSecond);
}

int PollTelescope(TelescopeLink& link, const TelescopeSky& sky, uint32_t nowMs,
                  const EquatorialPosition* shiftMouse) {
  if (!link.connected) return PollFailed;
  const int outcome = PollOnce(link, sky, nowMs, shiftMouse);
  if (outcome == PollFailed) DisconnectTelescope(link);
  return outcome;
}

void SetTelescopeTarget(TelescopeLink& link, ObjectId object, const EquatorialPosition& at) {
  link.target = {object, at};
}

int TrackTelescopeTarget(TelescopeLink& link, const TelescopeSky& sky, const ObjectRecord& record) {
  if (!link.connected || link.target.object == NoObject || record.id != link.target.object)
    return ResultFailed;
  link.target = TargetFromObject(record);
  return link.trackMovingTargets ? TelescopeGoTo(link, sky) : ResultOk;
}

int TelescopeGoTo(TelescopeLink& link, const TelescopeSky& sky) {
  if (!Offers(link, OperationGoTo)) return ResultFailed;
  if (!Emulating(link)) return link.driver->goTo(link, ToMount(link, link.target.position, sky));
  if (Info(link).emulation == EmulationKind::MotionModel) {
    SlewEmulatedTelescope(link.emulated, link.target.position);
  } else {
    link.emulated.target = link.target.position;
  }
  return ResultOk;
}

int TelescopeSync(TelescopeLink& link, const TelescopeSky& sky) {
  if (!Offers(link, OperationSync)) return ResultFailed;
  if (!Emulating(link)) return link.driver->sync(link, ToMount(link, link.target.position, sky));
  SyncEmulatedTelescope(link.emulated, link.target.position);
  return ResultOk;
}

int TelescopeStop(TelescopeLink& link) {
  if (!Offers(link, OperationStop)) return ResultFailed;
  link.direction = DirectionNone;
  if (!Emulating(link)) return link.driver->move(link, false, DirectionNone);
  MoveEmulatedTelescope(link.emulated, false, DirectionNone);
  return ResultOk;
}

int TelescopeMove(TelescopeLink& link, bool start, int direction) {
  if (!Offers(link, OperationMove) || direction < DirectionNorth || direction > DirectionWest)
    return ResultFailed;
  link.direction = start ? direction : DirectionNone;
  if (!Emulating(link)) return link.driver->move(link, start, direction);
  MoveEmulatedTelescope(link.emulated, start, direction);
  return ResultOk;
}

int TelescopeSetSpeed(TelescopeLink& link, int speed) {
  if (!Offers(link, OperationSetSpeed) || speed < 1 || speed > 4) return ResultFailed;
  if (!Emulating(link)) return link.driver->setSpeed(link, speed);
  link.emulated.rate = Info(link).rates[speed - 1];
  return ResultOk;
}

int TelescopeSetDateTime(TelescopeLink& link, double jd, double zone) {
  if (!Offers(link, OperationSetDateTime)) return ResultFailed;
  return Emulating(link) ? ResultOk : link.driver->setDateTime(link, jd, zone);
}

int TelescopeSetSite(TelescopeLink& link, double longitude, double latitude, double zone) {
  if (!Offers(link, OperationSetSite)) return ResultFailed;
  return Emulating(link) ? ResultOk : link.driver->setSite(link, longitude, latitude, zone);
}

int MeasureAlignmentStar(TelescopeLink& link, const TelescopeSky& sky, AlignmentMeasure& out) {
  out = {};
  if (!Offers(link, OperationAlign)) return ResultFailed;
  if (link.alignment.state == AlignmentAtAxis) {
    // Emulated angles are angles already: the axis is where they are zero.
    double lonCount = 0, latCount = 0;
    if (!Emulating(link) && ReadCounts(link, lonCount, latCount) != ResultOk) return ResultFailed;
    out.instruction = ZeroEncoders(link.alignment, lonCount, latCount);
    return ResultOk;
  }
  MountAngles m;
  if (ReadMountAngles(link, m) != ResultOk) return ResultFailed;
  m = FoldMountAngles(m);
  out.mount = SphericalToRectangular(m.lon, m.lat, 1.0);
  out.target = AlignmentTargetVector(link.target.position, link.options.TelescopeMountType,
                                     sky.siderealTime);
  out.questions = CheckAlignmentStar(link.alignment, out.mount, out.target);
  return ResultOk;
}

int TakeTelescopeAlignmentStar(TelescopeLink& link, const AlignmentMeasure& star) {
  if (!Offers(link, OperationAlign) || link.alignment.state == AlignmentAtAxis) return 0;
  return TakeAlignmentStar(link.alignment, star.mount, star.target);
}

int TelescopeAlign(TelescopeLink& link, const TelescopeSky& sky) {
  AlignmentMeasure star;
  if (MeasureAlignmentStar(link, sky, star) != ResultOk) return 0;
  if (star.instruction != 0) return star.instruction;  // the encoders were zeroed
  const AlignmentQuestions& q = star.questions;
  if (q.offset && Caution(ButtonsYesNo, MessageAlignmentOffset, q.offsetDegrees) != AnswerYes)
    return 0;
  if (q.tooClose &&
      Caution(ButtonsYesNo, MessageAlignmentTooClose, q.separationDegrees) != AnswerYes)
    return 0;
  return TakeTelescopeAlignmentStar(link, star);
}

int AlignmentInstruction(const TelescopeLink& link) {
  switch (link.alignment.state) {
    case AlignmentAtAxis:
      return link.options.TelescopeMountType == MountAltAzimuth ? MessageAlignAltitudeAxis
                                                                : MessageAlignPolarAxis;
    case AlignmentZeroed:
      return MessageAlignFirstStar;
    case AlignmentOneStar:
      return MessageAlignSecondStar;
    default:
      return MessageAligned;
  }
}

}  // namespace qv
