// objects/records.cpp - record creation, the kind-independent operations and name storage.
#include "objects/records.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "objects/designations.h"
#include "objects/messages.h"
#include "platform/alert.h"
#include "platform/strings.h"

namespace qv {
namespace {

// The names of kinds 1-65 follow the first.
constexpr int KindNameStringBase = static_cast<int>(StringFirstKindName) - KindSun;
constexpr size_t NameMaxLength = 255;  // names are cut like every text buffer of the program

int32_t SaturatedComponent(double value) {
  if (std::isnan(value)) return 0;
  const double scaled = std::trunc(value * DirectionScale);
  if (scaled >= 2147483647.0) return INT32_MAX;
  if (scaled <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(scaled);
}

int16_t ClampedMagnitudeSum(int16_t base, int16_t offset) {
  if (base == UnknownMagnitude || offset == UnknownMagnitude) return UnknownMagnitude;
  return static_cast<int16_t>(std::clamp(base + offset, -32767, 32766));
}

}  // namespace

DirectionVector DirectionFromVector(const Vector3& v) {
  return DirectionVector{SaturatedComponent(v.x), SaturatedComponent(v.y), SaturatedComponent(v.z)};
}

DirectionVector MotionFromPerDay(const Vector3& perDay) {
  return DirectionFromVector(Vector3{perDay.x * MotionDaysPerUnit, perDay.y * MotionDaysPerUnit,
                                     perDay.z * MotionDaysPerUnit});
}

Vector3 MotionPerDay(const SkyObjectRecord& s) {
  const Vector3 v = VectorFromDirection(s.motion);
  return Vector3{v.x / MotionDaysPerUnit, v.y / MotionDaysPerUnit, v.z / MotionDaysPerUnit};
}

Vector3 VectorFromDirection(const DirectionVector& d) {
  return Vector3{d.x * DirectionUnit, d.y * DirectionUnit, d.z * DirectionUnit};
}

int16_t HundredthsFromValue(double value) {
  if (!std::isfinite(value)) return UnknownMagnitude;
  // The binary error of a decimal fraction (2.35 is 2.3499999 as a float) is removed before
  // truncating: it lies far below 1e-4 hundredths, a real fraction of a hundredth does not.
  const double hundredths = std::clamp(value, -1e6, 1e6) * 100.0;
  return static_cast<int16_t>(
      std::clamp(std::trunc(std::round(hundredths * 1e4) / 1e4), -32767.0, 32766.0));
}

double ValueFromHundredths(int16_t hundredths) {
  return hundredths == UnknownMagnitude ? std::numeric_limits<double>::infinity()
                                        : hundredths * 0.01;
}

const char* KindName(ObjectKind kind) {
  if (kind < 1 || kind > 65) return "";
  const char* text = GetString(KindNameStringBase + kind);
  return text ? text : "";
}

std::unique_ptr<ObjectRecord> NewRecord(ObjectKind kind) {
  if (!IsKnownKind(kind)) return nullptr;
  std::unique_ptr<ObjectRecord> record(new (std::nothrow) ObjectRecord);
  if (!record) {
    Stop(ButtonsOk, MessageNoMemory);
    return nullptr;
  }
  record->kind = kind;
  if (IsSolarSystemKind(kind)) {
    std::unique_ptr<OrbitRecord> orbit(new (std::nothrow) OrbitRecord);
    if (!orbit) {
      Stop(ButtonsOk, MessageNoMemory);
      return nullptr;
    }
    record->body = std::move(orbit);
  } else if (IsLineKind(kind))
    record->body.emplace<LineRecord>();
  else if (IsLocationKind(kind))
    record->body.emplace<SiteRecord>();
  return record;
}

SkyObjectRecord* SkyObjectOf(ObjectRecord& r) { return std::get_if<SkyObjectRecord>(&r.body); }
const SkyObjectRecord* SkyObjectOf(const ObjectRecord& r) {
  return std::get_if<SkyObjectRecord>(&r.body);
}
OrbitRecord* OrbitOf(ObjectRecord& r) {
  auto* orbit = std::get_if<std::unique_ptr<OrbitRecord>>(&r.body);
  return orbit ? orbit->get() : nullptr;
}
const OrbitRecord* OrbitOf(const ObjectRecord& r) {
  const auto* orbit = std::get_if<std::unique_ptr<OrbitRecord>>(&r.body);
  return orbit ? orbit->get() : nullptr;
}
LineRecord* LineOf(ObjectRecord& r) { return std::get_if<LineRecord>(&r.body); }
const LineRecord* LineOf(const ObjectRecord& r) { return std::get_if<LineRecord>(&r.body); }
SiteRecord* SiteOf(ObjectRecord& r) { return std::get_if<SiteRecord>(&r.body); }
const SiteRecord* SiteOf(const ObjectRecord& r) { return std::get_if<SiteRecord>(&r.body); }

uint32_t RecordMemorySize(const ObjectRecord& record) {
  if (!IsKnownKind(record.kind)) return 0;
  uint32_t size = sizeof(ObjectRecord);
  if (LineOf(record)) return size;
  if (OrbitOf(record)) size += sizeof(OrbitRecord);
  if (const SkyObjectRecord* sky = SkyObjectOf(record)) {
    size += static_cast<uint32_t>(sky->catalogNumbers.size() * sizeof(CatalogNumber));
  }
  const std::string& name = StoredName(record);
  if (!name.empty()) size += static_cast<uint32_t>(name.size() + 1);
  return size;
}

const std::string& StoredName(const ObjectRecord& record) {
  return VisitBody(record, [](const auto& body) -> const std::string& { return body.name; });
}

void SetObjectName(ObjectRecord& record, std::string_view text) {
  text = text.substr(0, NameMaxLength);
  if (SkyObjectRecord* sky = SkyObjectOf(record)) {
    ParsedName parsed = ParseNameText(text, IsDeepSkyKind(record.kind));
    sky->catalogNumbers = CatalogNumbers(parsed.numbers);
    sky->name = parsed.complete ? std::string() : std::string(text);
    return;
  }
  VisitBody(record, [text](auto& body) { body.name = std::string(text); });
}

std::string DisplayName(const ObjectRecord& record) {
  if (const SkyObjectRecord* sky = SkyObjectOf(record)) {
    return sky->name.empty() ? RenderDesignations(sky->catalogNumbers) : sky->name;
  }
  if (const OrbitRecord* orbit = OrbitOf(record)) return orbit->name;
  return std::string();
}

const DirectionVector* CurrentDirection(const ObjectRecord& record) {
  if (const SkyObjectRecord* sky = SkyObjectOf(record)) return &sky->current;
  if (const OrbitRecord* orbit = OrbitOf(record)) return &orbit->current;
  if (const LineRecord* line = LineOf(record)) return &line->positions[0];
  return nullptr;
}

Vector3 CurrentDirectionVector(const ObjectRecord& record) {
  const DirectionVector* d = CurrentDirection(record);
  return d ? VectorFromDirection(*d) : Vector3{};
}

float CurrentDistance(const ObjectRecord& record) {
  if (const SkyObjectRecord* sky = SkyObjectOf(record)) return sky->currentDistance;
  if (const OrbitRecord* orbit = OrbitOf(record)) return orbit->currentDistance;
  return 0;
}

int16_t CurrentMagnitude(const ObjectRecord& record) {
  if (const SkyObjectRecord* sky = SkyObjectOf(record)) return sky->currentMagnitude;
  if (const OrbitRecord* orbit = OrbitOf(record)) return orbit->currentMagnitude;
  return UnknownMagnitude;
}

float AngularSize(const ObjectRecord& record) {
  if (const SkyObjectRecord* sky = SkyObjectOf(record)) return sky->size;
  if (const OrbitRecord* orbit = OrbitOf(record)) return orbit->physical[0];
  return 0;
}

ApparentPlace CachedPlace(const ObjectRecord& record) {
  ApparentPlace place;
  if (const SkyObjectRecord* sky = SkyObjectOf(record)) {
    place.direction = sky->current;
    place.distance = sky->currentDistance;
    place.magnitude = sky->currentMagnitude;
  } else if (const OrbitRecord* orbit = OrbitOf(record)) {
    place.direction = orbit->current;
    place.distance = orbit->currentDistance;
    place.magnitude = orbit->currentMagnitude;
    place.heliocentric = orbit->heliocentric;
    place.physical = orbit->physical;
  }
  return place;
}

void StorePlace(ObjectRecord& record, const ApparentPlace& place) {
  if (SkyObjectRecord* sky = SkyObjectOf(record)) {
    sky->current = place.direction;
    sky->currentDistance = place.distance;
    sky->currentMagnitude = place.magnitude;
  } else if (OrbitRecord* orbit = OrbitOf(record)) {
    orbit->current = place.direction;
    orbit->currentDistance = place.distance;
    orbit->currentMagnitude = place.magnitude;
    orbit->heliocentric = place.heliocentric;
    orbit->physical = place.physical;
  }
}

SkyMagnitudes MagnitudesOf(const SkyObjectRecord& sky) {
  return SkyMagnitudes{sky.visualMagnitude,
                       ClampedMagnitudeSum(sky.visualMagnitude, sky.variabilityOffset),
                       ClampedMagnitudeSum(sky.visualMagnitude, sky.companionOffset)};
}

bool IsCurrent(const ObjectRecord& record, ComputationStamp counter) {
  if (const SkyObjectRecord* sky = SkyObjectOf(record)) return sky->stamp == counter;
  if (const OrbitRecord* orbit = OrbitOf(record)) return orbit->stamp == counter;
  if (const LineRecord* line = LineOf(record)) return line->stamp == counter;
  return true;
}

void MarkCurrent(ObjectRecord& record, ComputationStamp counter) {
  if (SkyObjectRecord* sky = SkyObjectOf(record))
    sky->stamp = counter;
  else if (OrbitRecord* orbit = OrbitOf(record))
    orbit->stamp = counter;
  else if (LineRecord* line = LineOf(record))
    line->stamp = counter;
}

}  // namespace qv
