// objects/records.h - the object record: every star, deep-sky object, solar-system body,
// constellation line and stored location of the database, its identifier and its encodings.
//
// A record is a plain struct tagged by its kind byte. The kind decides which body the record
// holds (SkyObjectRecord, OrbitRecord, LineRecord or SiteRecord); kinds are tested as ranges
// everywhere, and a kind may only change within its own range. Units in memory: radians, AU,
// Julian dates (epochs of elements as Modified Julian Dates), magnitudes in signed hundredths.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "astro/kinds.h"
#include "astro/vector.h"

namespace qv {

// The parts of an ObjectId (astro/kinds.h).
constexpr int ObjectIndexBits = 14;
constexpr ObjectId ObjectIndexMask = (1u << ObjectIndexBits) - 1;  // 16383

constexpr ObjectId MakeObjectId(uint32_t fileNumber, uint32_t index) {
  return fileNumber << ObjectIndexBits | (index & ObjectIndexMask);
}
constexpr uint32_t MaxFiles = 16000;           // database files in one database
constexpr uint32_t MaxObjectsPerFile = 16000;  // slots of one database file

constexpr uint32_t FileNumberOf(ObjectId id) { return id >> ObjectIndexBits; }
constexpr uint32_t IndexOf(ObjectId id) { return id & ObjectIndexMask; }
constexpr ObjectId FileIdOf(ObjectId id) { return id & ~ObjectIndexMask; }

// ComputationStamp: the generation counter (StarGeneration for sky objects, PlanetGeneration
// for solar-system bodies) copied into a record when its current values were computed.
using ComputationStamp = uint32_t;

// CatalogNumber: catalog code * 100000000 + number within the catalog (objects/designations.h).
using CatalogNumber = uint32_t;
constexpr int MaxCatalogNumbers = 8;

// CatalogNumbers: a sky object's designations, at most MaxCatalogNumbers, held in the record
// itself. Most stars carry one or two: a list allocated apart for each would cost a catalog of
// millions of stars an allocation and 32 bytes more per star.
class CatalogNumbers {
 public:
  CatalogNumbers() = default;
  CatalogNumbers(std::initializer_list<CatalogNumber> numbers)
      : CatalogNumbers(std::span(numbers)) {}
  explicit CatalogNumbers(std::span<const CatalogNumber> numbers) {
    for (CatalogNumber n : numbers) push_back(n);
  }
  // push_back: a number beyond the eighth is not kept (a file holds eight).
  void push_back(CatalogNumber n) {
    if (count_ < MaxCatalogNumbers) numbers_[count_++] = n;
  }
  void clear() { *this = CatalogNumbers(); }
  size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  CatalogNumber operator[](size_t k) const { return numbers_[k]; }
  const CatalogNumber* begin() const { return numbers_.data(); }
  const CatalogNumber* end() const { return numbers_.data() + count_; }
  bool operator==(const CatalogNumbers&) const = default;  // unused places stay 0

 private:
  std::array<CatalogNumber, MaxCatalogNumbers> numbers_{};
  uint8_t count_ = 0;
};

// Unknown values travel unchanged through files.
constexpr int16_t UnknownMagnitude = 32767;      // a 16-bit magnitude-like field not known
constexpr int16_t MagnitudeAtObserver = -32768;  // current magnitude when the observer is at it
constexpr float UnknownValue = std::numeric_limits<float>::infinity();  // bits 7F800000

// DirectionVector: a unit vector scaled so that 1.0 is 2^30; J2000 equatorial unless stated.
struct DirectionVector {
  int32_t x = 0, y = 0, z = 0;
};
constexpr double DirectionScale = 1073741824.0;          // 2^30
constexpr double DirectionUnit = 9.313225746154785e-10;  // 2^-30

// DirectionFromVector: v * 2^30, each component truncated toward zero. Components beyond the
// 32-bit range saturate and NaN gives 0, so damaged input never overflows.
DirectionVector DirectionFromVector(const Vector3& v);
Vector3 VectorFromDirection(const DirectionVector& d);  // * 2^-30

// A sky object's space motion is kept per Julian century: per day, the 32-bit components would
// resolve only 0.07"/yr and lose most stars' proper motions (Sirius's -1.223"/yr in Dec. read
// back as -1.166"); per century they resolve 2e-6"/yr and reach 4000"/yr.
constexpr double MotionDaysPerUnit = 36525.0;
// MotionFromPerDay: a change of the unit vector per day as a stored motion (MotionPerDay, below
// the sky object's record, is the reverse).
DirectionVector MotionFromPerDay(const Vector3& perDay);

// HundredthsFromValue: value * 100 truncated toward zero (2.359 gives 235), taking a decimal
// fraction as written: 2.35 gives 235 whether it arrives as a double or as the float 2.3499999,
// so a magnitude typed, stored, shown and entered again never loses a hundredth. A value that is
// not finite gives UnknownMagnitude; others are held within -32767..32766 so that they never
// read as one of the two special values.
int16_t HundredthsFromValue(double value);
// ValueFromHundredths: hundredths / 100; +infinity for UnknownMagnitude.
double ValueFromHundredths(int16_t hundredths);

// Kinds of the database beside the bodies of astro/kinds.h.
constexpr bool IsLineKind(int kind) { return kind >= 91 && kind <= 93; }
constexpr bool IsLocationKind(int kind) { return kind == KindLocation; }
constexpr bool IsCompactKind(int kind) { return kind == KindGscStar || kind == KindGscNonStar; }
// IsKnownKind: a kind a record may carry; any other kind byte in a file is damage.
constexpr bool IsKnownKind(int kind) {
  return IsSolarSystemKind(kind) || (IsSkyObjectKind(kind) && (kind <= 56 || kind >= 61)) ||
         IsLineKind(kind) || IsLocationKind(kind);
}

// KindName: the display text of a kind (string 1000 + kind for kinds 1-65), "" for others.
const char* KindName(ObjectKind kind);

// Stars and deep-sky objects (kinds 51-65).
struct SkyObjectRecord {
  ComputationStamp stamp = 0;    // StarGeneration of the three current values
  DirectionVector current;       // apparent direction from the observer
  float currentDistance = 0;     // AU; UnknownValue when not known
  int16_t currentMagnitude = 0;  // hundredths; MagnitudeAtObserver when standing at it
  DirectionVector position;      // J2000 at epoch 2000.0
  DirectionVector motion;  // change of position per MotionDaysPerUnit, same scale; zero: not known
  float distance = 0;      // from the Sun, AU; UnknownValue when not known
  float radialVelocity = 0;       // AU per day; UnknownValue when not known
  int16_t visualMagnitude = 0;    // V, hundredths
  int16_t colorIndex = 0;         // B-V, hundredths
  int16_t companionOffset = 0;    // companion's magnitude - V; UnknownMagnitude when none
  int16_t variabilityOffset = 0;  // faintest magnitude - V; UnknownMagnitude when none
  float size = 0;                 // radians: diameter (deep-sky) or separation (multiple star)
  CatalogNumbers catalogNumbers;  // in ascending catalog code
  std::string name;               // empty: no name; the display name comes from the numbers
};

// MotionPerDay: the record's space motion as a change of the unit vector per day.
Vector3 MotionPerDay(const SkyObjectRecord& s);

// Solar-system bodies (kinds 1-38): orbital elements and their cached position.
struct OrbitRecord {
  DirectionVector current;     // apparent direction from the observer
  float currentDistance = 0;   // AU
  ComputationStamp stamp = 0;  // PlanetGeneration of the current values
  int16_t currentMagnitude = 0;
  int16_t magnitudeParam1 = 0;      // hundredths; UnknownMagnitude when not given
  ObjectId primary = 0;             // the body it orbits; 0 = the Sun
  Vector3 heliocentric;             // last computed position, AU
  std::array<float, 3> physical{};  // physical ephemeris values; [0] the apparent size, radians
  // Epoch of the elements, Modified Julian Date (JD - 2400000.5). Held as a double as on disk:
  // a single float resolves an MJD only to about 6 minutes, which misplaces a satellite.
  double epoch = 0;
  float q = 0;                  // perihelion distance, AU
  float e = 0;                  // eccentricity
  float i = 0;                  // inclination
  float omega = 0;              // argument of perihelion
  float node = 0;               // longitude of the ascending node
  float meanAnomaly = 0;        // at the epoch
  float meanMotion = 0;         // radians per day
  float meanMotionRate = 0;     // half the first derivative of n, radians per day^2
  float meanMotionAccel = 0;    // one sixth of the second derivative of n, radians per day^3
  float omegaRate = 0;          // radians per day (Earth satellites)
  float nodeRate = 0;           // radians per day (Earth satellites)
  float mass = 0;               // solar masses
  float radius = 0;             // AU
  int16_t magnitudeParam2 = 0;  // hundredths; UnknownMagnitude when not given
  std::string name;
};

// Constellation lines (kinds 91-93).
struct LineRecord {
  ComputationStamp stamp = 0;                // not stored in files
  std::array<ObjectId, 2> ends{};            // end-point objects; 0 for a fixed position
  std::array<DirectionVector, 2> positions;  // end-point directions, J2000
  std::string name;
};

// Stored observing locations (kind 101).
struct SiteRecord {
  float longitude = 0;  // radians, east positive
  float latitude = 0;   // radians
  float altitude = 0;   // metres
  float timeZone = 0;   // days (hours / 24)
  std::string name;
};

// An orbit is larger than a star's body, and orbits are few beside a catalog's stars: it is kept
// out of line, so that it does not widen each of a catalog's millions of star records to its
// size (the bodies' accessors below hide the difference).
using RecordBody =
    std::variant<SkyObjectRecord, std::unique_ptr<OrbitRecord>, LineRecord, SiteRecord>;

struct ObjectRecord {
  ObjectKind kind = KindEmpty;
  ObjectId id = NoObject;  // set by the store when added, 0 again when removed
  RecordBody body;
};

// VisitBody: f called with the record's SkyObjectRecord, OrbitRecord, LineRecord or SiteRecord
// (const for a const record).
template <typename Record, typename F>
decltype(auto) VisitBody(Record& record, F&& f) {
  return std::visit(
      [&f](auto& body) -> decltype(auto) {
        if constexpr (!requires { *body; })
          return f(body);
        else if constexpr (std::is_const_v<Record>)
          return f(std::as_const(*body));
        else
          return f(*body);
      },
      record.body);
}

// NewRecord: a zero-filled record of that kind with the body its range calls for; none for a
// kind outside every range, or (after alert 256) when memory runs out.
std::unique_ptr<ObjectRecord> NewRecord(ObjectKind kind);

// The bodies; none when the record holds another variant.
SkyObjectRecord* SkyObjectOf(ObjectRecord& record);
const SkyObjectRecord* SkyObjectOf(const ObjectRecord& record);
OrbitRecord* OrbitOf(ObjectRecord& record);
const OrbitRecord* OrbitOf(const ObjectRecord& record);
LineRecord* LineOf(ObjectRecord& record);
const LineRecord* LineOf(const ObjectRecord& record);
SiteRecord* SiteOf(ObjectRecord& record);
const SiteRecord* SiteOf(const ObjectRecord& record);

// RecordMemorySize: the bytes the store accounts to a record: its fixed part, 4 bytes per
// catalog number and the name with its terminator (a line: the fixed part alone).
uint32_t RecordMemorySize(const ObjectRecord& record);

// The stored name of any kind: the name text, or "" (lines and locations included).
const std::string& StoredName(const ObjectRecord& record);

// SetObjectName: a sky object splits the text into catalog numbers (star rules for kinds 51-56,
// deep-sky rules for 61-65) and keeps the text itself only when some part is not a designation;
// other kinds store the text. Texts are cut to 255 characters; an empty text stores no name.
void SetObjectName(ObjectRecord& record, std::string_view text);

// DisplayName: a sky object's name, else its designations joined with "; "; an orbit's name;
// "" for other kinds.
std::string DisplayName(const ObjectRecord& record);

// Current values, as the chart reads them.
const DirectionVector* CurrentDirection(const ObjectRecord& record);  // a line: its first end
Vector3 CurrentDirectionVector(const ObjectRecord& record);           // * 2^-30; zero when none
float CurrentDistance(const ObjectRecord& record);                    // 0 for lines and locations
int16_t CurrentMagnitude(const ObjectRecord& record);                 // UnknownMagnitude for others
float AngularSize(const ObjectRecord& record);  // sky object: size; body: physical[0]; else 0

// ApparentPlace: the current values of a star, deep-sky object or solar-system body for one sky
// context, as its record caches them.
struct ApparentPlace {
  DirectionVector direction;             // apparent direction from the observer
  float distance = 0;                    // AU; UnknownValue when not known
  int16_t magnitude = UnknownMagnitude;  // hundredths; MagnitudeAtObserver when standing at it
  Vector3 heliocentric;                  // solar-system bodies: heliocentric position, AU
  std::array<float, 3> physical{};       // solar-system bodies: physical ephemeris values
};
// CachedPlace: the record's current values (an empty place for lines and locations);
// StorePlace writes a place into a star, deep-sky object or solar-system body.
ApparentPlace CachedPlace(const ObjectRecord& record);
void StorePlace(ObjectRecord& record, const ApparentPlace& place);

// Catalog magnitudes of a sky object, hundredths; each UnknownMagnitude when V or its offset
// is unknown.
struct SkyMagnitudes {
  int16_t visual = UnknownMagnitude;
  int16_t faintest = UnknownMagnitude;   // V + variability offset
  int16_t companion = UnknownMagnitude;  // V + companion offset
};
SkyMagnitudes MagnitudesOf(const SkyObjectRecord& sky);

// The current values are current when the record's stamp equals the counter that governs its
// kind (the caller passes StarGeneration or PlanetGeneration). Locations are always current.
bool IsCurrent(const ObjectRecord& record, ComputationStamp counter);
void MarkCurrent(ObjectRecord& record, ComputationStamp counter);

}  // namespace qv
