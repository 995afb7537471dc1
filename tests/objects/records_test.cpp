// Object records: encodings, kinds, name storage and the kind-independent operations.
#include "objects/records.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>

#include "objects/designations.h"

namespace qv {
namespace {

TEST(RecordEncodings, ConversionsTruncateTowardZeroAndNeverOverflow) {
  EXPECT_EQ(HundredthsFromValue(2.359), 235);  // truncated toward zero
  EXPECT_EQ(HundredthsFromValue(-2.359), -235);
  EXPECT_EQ(HundredthsFromValue(2.3499), 234);
  // Decimal fractions count as written, also through single precision (2.35f is 2.3499999):
  // otherwise every edit of an object would take a hundredth off its magnitudes.
  EXPECT_EQ(HundredthsFromValue(2.35), 235);
  EXPECT_EQ(HundredthsFromValue(2.35f), 235);
  EXPECT_EQ(HundredthsFromValue(-2.35f), -235);
  EXPECT_EQ(HundredthsFromValue(5.2f), 520);
  EXPECT_EQ(HundredthsFromValue(0.29f), 29);
  EXPECT_EQ(HundredthsFromValue(1e9), 32766);  // never the unknown value
  EXPECT_EQ(HundredthsFromValue(-1e9), -32767);
  EXPECT_EQ(HundredthsFromValue(NAN), UnknownMagnitude);
  EXPECT_EQ(HundredthsFromValue(INFINITY), UnknownMagnitude);
  EXPECT_TRUE(std::isinf(ValueFromHundredths(UnknownMagnitude)));  // never 327.67
  EXPECT_DOUBLE_EQ(ValueFromHundredths(-150), -1.5);

  const DirectionVector d = DirectionFromVector({0.5, -0.7, 1.0});
  EXPECT_EQ(d.x, 536870912);
  EXPECT_EQ(d.y, -751619276);  // -0.7 * 2^30 = -751619276.8, truncated toward zero
  EXPECT_EQ(d.z, 1073741824);
  const DirectionVector wild = DirectionFromVector({3.0, -1e300, NAN});
  EXPECT_EQ(wild.x, INT32_MAX);
  EXPECT_EQ(wild.y, INT32_MIN);
  EXPECT_EQ(wild.z, 0);
  const Vector3 back = VectorFromDirection(d);
  EXPECT_NEAR(back.y, -0.7, 1e-9);

  uint32_t bits = 0;
  std::memcpy(&bits, &UnknownValue, 4);
  EXPECT_EQ(bits, 0x7F800000u);
  EXPECT_EQ(MakeObjectId(3, 17), 3u * 16384 + 17);
  EXPECT_EQ(FileNumberOf(3 * 16384 + 17), 3u);
  EXPECT_EQ(IndexOf(3 * 16384 + 17), 17u);
}

TEST(RecordKinds, EachRangeGetsItsBodyAndOtherKindsNone) {
  struct {
    int kind;
    int body;  // variant index: 0 sky, 1 orbit, 2 line, 3 site, -1 no record
  } cases[] = {{0, -1}, {1, 1},   {14, 1},  {38, 1},   {39, -1}, {50, -1},  {51, 0},
               {56, 0}, {57, -1}, {60, -1}, {61, 0},   {65, 0},  {66, -1},  {90, -1},
               {91, 2}, {93, 2},  {94, -1}, {100, -1}, {101, 3}, {102, -1}, {255, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    const auto record = NewRecord(static_cast<ObjectKind>(c.kind));
    if (c.body < 0) {
      EXPECT_EQ(record, nullptr);
      continue;
    }
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->kind, c.kind);
    EXPECT_EQ(record->id, NoObject);
    EXPECT_EQ(static_cast<int>(record->body.index()), c.body);
  }
}

TEST(RecordKinds, DisplayTextsComeFromTheStringTable) {
  EXPECT_STREQ(KindName(KindSun), "Sun");
  EXPECT_STREQ(KindName(KindEarthSatellite), "Earth Satellite");
  EXPECT_STREQ(KindName(KindCharon), "Charon");
  EXPECT_STREQ(KindName(KindMultipleVariableStar), "Mult. and var. star");
  EXPECT_STREQ(KindName(KindGalaxy), "Galaxy");
  EXPECT_STREQ(KindName(KindObjectLine), "");
  EXPECT_STREQ(KindName(0), "");
}

TEST(RecordNames, SkyObjectsStoreDesignationsAsNumbers) {
  auto star = NewRecord(KindSingleStar);
  SetObjectName(*star, "HR 1234; $a And");
  const SkyObjectRecord& sky = *SkyObjectOf(*star);
  EXPECT_TRUE(sky.name.empty());
  ASSERT_EQ(sky.catalogNumbers.size(), 2u);
  EXPECT_EQ(CatalogCodeOf(sky.catalogNumbers[0]), CatalogBayer);
  EXPECT_EQ(CatalogCodeOf(sky.catalogNumbers[1]), CatalogHR);
  EXPECT_EQ(DisplayName(*star), "$a And; HR1234");

  SetObjectName(*star, "HR 1234; Sirius");  // replaces the numbers and keeps the whole text
  EXPECT_EQ(sky.name, "HR 1234; Sirius");
  EXPECT_EQ(sky.catalogNumbers.size(), 1u);
  EXPECT_EQ(DisplayName(*star), "HR 1234; Sirius");

  SetObjectName(*star, "");
  EXPECT_TRUE(sky.name.empty());
  EXPECT_TRUE(sky.catalogNumbers.empty());
  EXPECT_EQ(DisplayName(*star), "");

  auto galaxy = NewRecord(KindGalaxy);
  SetObjectName(*galaxy, "M 31; NGC 224; Andromeda Galaxy");
  EXPECT_EQ(SkyObjectOf(*galaxy)->catalogNumbers.size(), 2u);
  EXPECT_EQ(DisplayName(*galaxy), "M 31; NGC 224; Andromeda Galaxy");

  auto comet = NewRecord(KindComet);
  SetObjectName(*comet, std::string(300, 'c'));
  EXPECT_EQ(DisplayName(*comet).size(), 255u);  // cut like every name buffer
  auto site = NewRecord(KindLocation);
  SetObjectName(*site, "Home");
  EXPECT_EQ(StoredName(*site), "Home");
  EXPECT_EQ(DisplayName(*site), "");
}

TEST(RecordMemory, CountsFixedPartNumbersAndName) {
  auto star = NewRecord(KindSingleStar);
  const uint32_t fixed = RecordMemorySize(*star);
  EXPECT_EQ(fixed, sizeof(ObjectRecord));
  SetObjectName(*star, "HR 1; HD 2; Polaris");
  EXPECT_EQ(RecordMemorySize(*star), fixed + 2 * 4 + std::strlen("HR 1; HD 2; Polaris") + 1);
  auto line = NewRecord(KindObjectLine);
  SetObjectName(*line, "a line name");
  EXPECT_EQ(RecordMemorySize(*line), fixed);
  star->kind = 70;  // a damaged kind counts nothing
  EXPECT_EQ(RecordMemorySize(*star), 0u);
}

TEST(RecordAccessors, DispatchOnTheKindRanges) {
  auto star = NewRecord(KindVariableStar);
  SkyObjectRecord& sky = *SkyObjectOf(*star);
  sky.visualMagnitude = 235;
  sky.variabilityOffset = 150;
  sky.companionOffset = UnknownMagnitude;
  sky.size = 0.01f;
  sky.current = {0, 0, 1 << 30};
  const SkyMagnitudes m = MagnitudesOf(sky);
  EXPECT_EQ(m.visual, 235);
  EXPECT_EQ(m.faintest, 385);
  EXPECT_EQ(m.companion, UnknownMagnitude);
  sky.visualMagnitude = 32000;  // sums stay within 16 bits and never turn into "unknown"
  sky.variabilityOffset = 32000;
  EXPECT_EQ(MagnitudesOf(sky).faintest, 32766);
  EXPECT_FLOAT_EQ(AngularSize(*star), 0.01f);
  EXPECT_DOUBLE_EQ(CurrentDirectionVector(*star).z, 1.0);

  auto moon = NewRecord(KindMoon);
  OrbitOf(*moon)->physical[0] = 0.009f;
  OrbitOf(*moon)->currentMagnitude = -1270;
  EXPECT_FLOAT_EQ(AngularSize(*moon), 0.009f);
  EXPECT_EQ(CurrentMagnitude(*moon), -1270);

  auto line = NewRecord(KindPositionLine);
  LineOf(*line)->positions[0] = {1, 2, 3};
  EXPECT_EQ(CurrentDirection(*line)->y, 2);

  auto site = NewRecord(KindLocation);
  EXPECT_EQ(CurrentDirection(*site), nullptr);
  EXPECT_EQ(CurrentMagnitude(*site), UnknownMagnitude);
  EXPECT_EQ(CurrentDistance(*site), 0.0f);
  EXPECT_EQ(AngularSize(*site), 0.0f);

  EXPECT_FALSE(IsCurrent(*star, 7));
  MarkCurrent(*star, 7);
  EXPECT_TRUE(IsCurrent(*star, 7));
  EXPECT_FALSE(IsCurrent(*star, 8));
  MarkCurrent(*moon, 9);
  EXPECT_EQ(OrbitOf(*moon)->stamp, 9u);
}

}  // namespace
}  // namespace qv
