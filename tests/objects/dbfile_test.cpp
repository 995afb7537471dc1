// The byte layout of index and database files: every record kind through a file and back, in
// both byte orders, a foreign file made byte by byte, and a table of damaged files.
#include "objects/dbfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

#include "objects/designations.h"
#include "platform/files.h"
#include "platform/result.h"

namespace qv {
namespace {

std::unique_ptr<ObjectRecord> SampleStar() {
  auto r = NewRecord(KindMultipleVariableStar);
  SkyObjectRecord& s = *SkyObjectOf(*r);
  s.position = {-1000, 2000000, -1073741824};
  s.motion = {7, -8, 9};
  s.distance = 1.25e6f;
  s.radialVelocity = UnknownValue;
  s.visualMagnitude = 235;
  s.colorIndex = -12;
  s.companionOffset = UnknownMagnitude;
  s.variabilityOffset = 150;
  s.size = 1.5e-5f;
  SetObjectName(*r, "HR 1; HD 2; SAO 3; Some Star");
  return r;
}

std::unique_ptr<ObjectRecord> SampleOrbit() {
  auto r = NewRecord(KindEarthSatellite);
  OrbitRecord& o = *OrbitOf(*r);
  o.primary = MakeObjectId(2, 4);
  o.epoch = 60123.456789012345;  // must survive as a double: a float keeps only 3 decimals here
  o.q = 4.4e-5f;
  o.e = 0.0006703f;
  o.i = 0.9013f;
  o.omega = 2.1f;
  o.node = 5.9f;
  o.meanAnomaly = 0.3f;
  o.meanMotion = 97.2f;
  o.meanMotionRate = 1e-7f;
  o.meanMotionAccel = -2e-12f;
  o.omegaRate = 0.065f;
  o.nodeRate = -0.087f;
  o.mass = 3e-6f;
  o.radius = 1e-9f;
  o.magnitudeParam1 = -180;
  o.magnitudeParam2 = UnknownMagnitude;
  o.name = "ISS (ZARYA)";
  return r;
}

std::unique_ptr<ObjectRecord> SampleLine() {
  auto r = NewRecord(KindOtherLine);
  LineRecord& l = *LineOf(*r);
  l.ends = {MakeObjectId(1, 1), 0};
  l.positions = {DirectionVector{1, -2, 3}, DirectionVector{-4, 5, -6}};
  return r;  // no name: a single 0 byte
}

std::unique_ptr<ObjectRecord> SampleSite() {
  auto r = NewRecord(KindLocation);
  SiteRecord& s = *SiteOf(*r);
  s.longitude = -1.2f;
  s.latitude = 0.7f;
  s.altitude = 1650.0f;
  s.timeZone = -7.0f / 24;
  s.name = "Home";
  return r;
}

std::unique_ptr<ObjectRecord> SampleGsc() {
  auto r = NewRecord(KindGscNonStar);
  SkyObjectRecord& s = *SkyObjectOf(*r);
  s.position = {123, -456, 789};
  s.visualMagnitude = 1432;
  SetObjectName(*r, "GSC 0123-0456");
  return r;
}

auto SkyFields(const SkyObjectRecord& s) {
  return std::tuple(s.position.x, s.position.y, s.position.z, s.motion.x, s.motion.y, s.motion.z,
                    s.distance, s.radialVelocity, s.visualMagnitude, s.colorIndex,
                    s.companionOffset, s.variabilityOffset, s.size, s.catalogNumbers, s.name);
}
auto OrbitFields(const OrbitRecord& o) {
  return std::tuple(o.primary, o.epoch, o.q, o.e, o.i, o.omega, o.node, o.meanAnomaly, o.meanMotion,
                    o.meanMotionRate, o.meanMotionAccel, o.omegaRate, o.nodeRate, o.mass, o.radius,
                    o.magnitudeParam1, o.magnitudeParam2, o.name);
}
auto LineFields(const LineRecord& l) {
  return std::tuple(l.ends, l.positions[0].x, l.positions[0].y, l.positions[0].z, l.positions[1].x,
                    l.positions[1].y, l.positions[1].z, l.name);
}
auto SiteFields(const SiteRecord& s) {
  return std::tuple(s.longitude, s.latitude, s.altitude, s.timeZone, s.name);
}

void ExpectSameStoredFields(const ObjectRecord& a, const ObjectRecord& b) {
  ASSERT_EQ(a.kind, b.kind);
  ASSERT_EQ(a.body.index(), b.body.index());
  if (SkyObjectOf(a)) {
    EXPECT_EQ(SkyFields(*SkyObjectOf(a)), SkyFields(*SkyObjectOf(b)));
  } else if (OrbitOf(a)) {
    EXPECT_EQ(OrbitFields(*OrbitOf(a)), OrbitFields(*OrbitOf(b)));
  } else if (LineOf(a)) {
    EXPECT_EQ(LineFields(*LineOf(a)), LineFields(*LineOf(b)));
  } else {
    EXPECT_EQ(SiteFields(*SiteOf(a)), SiteFields(*SiteOf(b)));
  }
}

TEST(DatabaseFileBytes, EveryKindRoundTripsInBothByteOrders) {
  std::vector<std::unique_ptr<ObjectRecord>> slots;
  slots.push_back(SampleStar());
  slots.push_back(nullptr);  // an empty slot between records
  slots.push_back(SampleOrbit());
  slots.push_back(SampleLine());
  slots.push_back(SampleSite());
  for (bool swap : {false, true}) {
    SCOPED_TRACE(swap ? "other byte order" : "this byte order");
    const std::vector<uint8_t> bytes = EncodeDatabaseFile(slots, swap);
    // Header, then: star 1 + 2 + (45 + 3 * 4 + 29) bytes, empty 1, orbit 1 + 2 + 68 + 12,
    // line 1 + 2 + 32 + 1, site 1 + 2 + 16 + 5.
    EXPECT_EQ(bytes.size(), 256u + 89 + 1 + 83 + 36 + 24);
    EXPECT_EQ(bytes[0], swap ? 0 : 1);
    std::vector<std::unique_ptr<ObjectRecord>> back;
    ASSERT_EQ(DecodeDatabaseFile(bytes, back), ResultOk);
    ASSERT_EQ(back.size(), slots.size());
    EXPECT_EQ(back[1], nullptr);
    for (size_t k : {0u, 2u, 3u, 4u}) ExpectSameStoredFields(*slots[k], *back[k]);
  }
}

TEST(DatabaseFileBytes, CompactGscFormKeepsPositionMagnitudeAndNumber) {
  std::vector<std::unique_ptr<ObjectRecord>> slots;
  slots.push_back(SampleGsc());
  const std::vector<uint8_t> bytes = EncodeDatabaseFile(slots);
  EXPECT_EQ(bytes.size(), 256u + 1 + 18);  // kind byte and 18 bytes, no length
  std::vector<std::unique_ptr<ObjectRecord>> back;
  ASSERT_EQ(DecodeDatabaseFile(bytes, back), ResultOk);
  const SkyObjectRecord& s = *SkyObjectOf(*back[0]);
  EXPECT_EQ(back[0]->kind, KindGscNonStar);
  EXPECT_EQ(s.position.y, -456);
  EXPECT_EQ(s.visualMagnitude, 1432);
  EXPECT_EQ(s.catalogNumbers, CatalogNumbers{MakeCatalogNumber(CatalogGSC, 1230456)});
  EXPECT_EQ(s.motion.x, 0);
  EXPECT_TRUE(std::isinf(s.distance) && std::isinf(s.radialVelocity));
  EXPECT_EQ(s.colorIndex, UnknownMagnitude);
  EXPECT_EQ(s.companionOffset, UnknownMagnitude);
  EXPECT_EQ(s.variabilityOffset, UnknownMagnitude);
  EXPECT_EQ(s.size, 0.0f);
}

// Big-endian bytes written out by hand, as a machine of the other byte order writes them.
std::vector<uint8_t> ForeignHeader(uint32_t type, uint32_t count) {
  const uint8_t header[] = {0,
                            0,
                            0,
                            1,
                            0,
                            0,
                            0,
                            static_cast<uint8_t>(type),
                            0,
                            0,
                            0x0B,
                            0xB8,
                            0,
                            0,
                            static_cast<uint8_t>(count >> 8),
                            static_cast<uint8_t>(count)};
  std::vector<uint8_t> b(256, 0);
  std::copy(std::begin(header), std::end(header), b.begin());
  return b;
}

// Files of format 3000 hold a star's motion per day, whose whole units lose most proper motions;
// they still read, their motions turned into the per-century units of format 3001.
TEST(DatabaseFileBytes, MotionsPerDayOfTheEarlierFormatAreConverted) {
  std::vector<std::unique_ptr<ObjectRecord>> slots;
  slots.push_back(SampleStar());
  std::vector<uint8_t> bytes = EncodeDatabaseFile(slots);
  uint32_t version = 0;
  std::memcpy(&version, bytes.data() + 8, 4);
  EXPECT_EQ(version, 3001u);
  version = 3000;
  std::memcpy(bytes.data() + 8, &version, 4);
  std::vector<std::unique_ptr<ObjectRecord>> back;
  ASSERT_EQ(DecodeDatabaseFile(bytes, back), ResultOk);
  const DirectionVector motion = SkyObjectOf(*back[0])->motion;
  EXPECT_EQ(motion.x, 7 * 36525);
  EXPECT_EQ(motion.y, -8 * 36525);
  EXPECT_EQ(motion.z, 9 * 36525);
  EXPECT_EQ(SkyObjectOf(*back[0])->position.y, 2000000);
}

TEST(DatabaseFileBytes, FileFromAMachineOfTheOtherByteOrderReads) {
  std::vector<uint8_t> b = ForeignHeader(DatabaseFileType, 2);
  const uint8_t gsc[] = {55, 0, 0, 0,    1,    0xFF, 0xFF, 0xFF, 0xFE, 0x40,
                         0,  0, 0, 0x01, 0x2C, 0x3B, 0x9A, 0xCA, 0x05};
  const uint8_t site[] = {101,  0, 21, 0x3F, 0x80, 0, 0, 0xBF, 0,   0,   0,   0x44,
                          0x7A, 0, 0,  0x7F, 0x80, 0, 0, 'H',  'o', 'm', 'e', 0};
  b.insert(b.end(), std::begin(gsc), std::end(gsc));
  b.insert(b.end(), std::begin(site), std::end(site));
  std::vector<std::unique_ptr<ObjectRecord>> back;
  ASSERT_EQ(DecodeDatabaseFile(b, back), ResultOk);
  const SkyObjectRecord& star = *SkyObjectOf(*back[0]);
  EXPECT_EQ(star.position.x, 1);
  EXPECT_EQ(star.position.y, -2);
  EXPECT_EQ(star.position.z, 1 << 30);
  EXPECT_EQ(star.visualMagnitude, 300);
  EXPECT_EQ(star.catalogNumbers[0], 1000000005u);
  const SiteRecord& home = *SiteOf(*back[1]);
  EXPECT_EQ(home.longitude, 1.0f);
  EXPECT_EQ(home.latitude, -0.5f);
  EXPECT_EQ(home.altitude, 1000.0f);
  EXPECT_TRUE(std::isinf(home.timeZone));  // the unknown value travels unchanged
  EXPECT_EQ(home.name, "Home");

  std::vector<uint8_t> index = ForeignHeader(IndexFileType, 1);
  const uint8_t entry[] = {0, 44,   0, 0,    0x40, 0x00, 0, 0, 0,    2, 0,    1,
                           0, 0,    0, 1,    0,    0,    0, 0, 0x80, 0, 0x7F, 0xFF,
                           0, 0x64, 0, 0x64, 0x10, 0,    0, 0, 0xF0, 0, 0,    0,
                           0, 0,    0, 0,    0x40, 0,    0, 0, 'a',  0};
  index.insert(index.end(), std::begin(entry), std::end(entry));
  std::vector<IndexEntry> entries;
  ASSERT_EQ(DecodeIndexFile(index, entries), ResultOk);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].fileId, MakeObjectId(1, 0));
  EXPECT_EQ(entries[0].count, 2u);
  EXPECT_EQ(entries[0].summary.solarSystemCount, 1);
  EXPECT_EQ(entries[0].summary.starCount, 1);
  EXPECT_EQ(entries[0].summary.deepSkyFaintest, -32768);
  EXPECT_EQ(entries[0].summary.starBrightest, 100);
  EXPECT_EQ(entries[0].summary.decMax, 1 << 28);
  EXPECT_EQ(entries[0].summary.decMin, -(1 << 28));
  EXPECT_EQ(entries[0].summary.raMin, 1 << 30);
  EXPECT_EQ(entries[0].name, "a");
}

// The fuzz seeds were written by a separate script (Python's struct module) in both byte orders:
// an independent writer of the layout. Both orders must read to the same records.
TEST(DatabaseFileBytes, IndependentlyWrittenFilesOfBothOrdersAgree) {
  std::vector<std::unique_ptr<ObjectRecord>> little, big;
  std::vector<uint8_t> bytes;
  ASSERT_EQ(ReadWholeFile(QV_SOURCE_DIR "/fuzz/corpus/dbfile/all_kinds_le", bytes), ResultOk);
  ASSERT_EQ(DecodeDatabaseFile(bytes, little), ResultOk);
  ASSERT_EQ(ReadWholeFile(QV_SOURCE_DIR "/fuzz/corpus/dbfile/all_kinds_be", bytes), ResultOk);
  ASSERT_EQ(DecodeDatabaseFile(bytes, big), ResultOk);
  ASSERT_EQ(little.size(), 6u);
  ASSERT_EQ(big.size(), 6u);
  EXPECT_EQ(little[2], nullptr);
  for (size_t k : {0u, 1u, 3u, 4u, 5u}) ExpectSameStoredFields(*little[k], *big[k]);
  EXPECT_EQ(OrbitOf(*big[0])->epoch, 60123.5);
  EXPECT_EQ(OrbitOf(*big[0])->name, "Comet X");
  EXPECT_EQ(DisplayName(*big[1]), "Sirius");
  EXPECT_EQ(SkyObjectOf(*big[1])->catalogNumbers.size(), 2u);
  EXPECT_EQ(SkyObjectOf(*big[3])->visualMagnitude, 1432);
  EXPECT_EQ(SiteOf(*big[5])->name, "Home");

  std::vector<IndexEntry> le, be;
  ASSERT_EQ(ReadWholeFile(QV_SOURCE_DIR "/fuzz/corpus/dbindex/two_files_le", bytes), ResultOk);
  ASSERT_EQ(DecodeIndexFile(bytes, le), ResultOk);
  ASSERT_EQ(ReadWholeFile(QV_SOURCE_DIR "/fuzz/corpus/dbindex/two_files_be", bytes), ResultOk);
  ASSERT_EQ(DecodeIndexFile(bytes, be), ResultOk);
  ASSERT_EQ(be.size(), 2u);
  EXPECT_EQ(be[1].name, "Stars\\North\\0001.qvd");
  EXPECT_EQ(be[1].count, 16000u);
  EXPECT_EQ(be[1].summary, le[1].summary);
  EXPECT_EQ(be[1].summary.starBrightest, -146);
}

TEST(IndexFileBytes, EntriesRoundTripInBothByteOrders) {
  std::vector<IndexEntry> entries(2);
  entries[0] = {MakeObjectId(1, 0), 16000, {}, "Custom.qvd"};
  entries[1] = {MakeObjectId(16000, 0), 0, {}, "Stars\\North\\0001.qvd"};
  entries[1].summary.starCount = 12;
  entries[1].summary.decMin = -123456;
  entries[1].summary.raMax = 987654321;
  for (bool swap : {false, true}) {
    std::vector<IndexEntry> back;
    ASSERT_EQ(DecodeIndexFile(EncodeIndexFile(entries, swap), back), ResultOk);
    ASSERT_EQ(back.size(), 2u);
    for (size_t k = 0; k < 2; ++k) {
      EXPECT_EQ(back[k].fileId, entries[k].fileId);
      EXPECT_EQ(back[k].count, entries[k].count);
      EXPECT_EQ(back[k].summary, entries[k].summary);
      EXPECT_EQ(back[k].name, entries[k].name);
    }
  }
  std::vector<IndexEntry> none;
  EXPECT_EQ(DecodeIndexFile(EncodeIndexFile({}), none), ResultOk);
  EXPECT_TRUE(none.empty());
}

// Damaged files: each must be refused cleanly (the sanitizer build catches any read past the
// bytes given).
struct Damage {
  const char* what;
  std::vector<uint8_t> bytes;
};

std::vector<uint8_t> Valid(std::vector<uint8_t> tail, uint32_t count = 1) {
  std::vector<uint8_t> b;
  ByteWriter w{b};
  WriteFileHeader(w, DatabaseFileType, count);
  b.insert(b.end(), tail.begin(), tail.end());
  return b;
}

std::vector<uint8_t> Patched(std::vector<uint8_t> b, size_t at, std::vector<uint8_t> with) {
  std::copy(with.begin(), with.end(), b.begin() + static_cast<ptrdiff_t>(at));
  return b;
}

TEST(DatabaseFileBytes, DamagedFilesAreRefused) {
  std::vector<std::unique_ptr<ObjectRecord>> one;
  one.push_back(SampleOrbit());
  const std::vector<uint8_t> good = EncodeDatabaseFile(one);
  std::vector<uint8_t> unterminated = good;
  unterminated.back() = 'x';
  const Damage cases[] = {
      {"empty", {}},
      {"header one byte short", std::vector<uint8_t>(good.begin(), good.begin() + 255)},
      {"unknown mark", Patched(good, 0, {2, 0, 0, 0})},
      {"index type", Patched(good, 4, {1})},
      {"version 2999", Patched(good, 8, {0xB7})},
      {"count beyond the bytes", Patched(good, 12, {50})},
      {"count above 16000", Valid(std::vector<uint8_t>(20000, 0), 16001)},
      {"slot missing", std::vector<uint8_t>(good.begin(), good.begin() + 256)},
      {"unknown kind 57", Patched(good, 256, {57})},
      {"unknown kind 0xFF", Patched(good, 256, {0xFF})},
      {"length cut off", std::vector<uint8_t>(good.begin(), good.begin() + 258)},
      {"block longer than the file", Patched(good, 257, {200})},
      {"block above 1024 bytes", Valid({11, 0x01, 0x04})},  // 1025 in this order
      {"block too short for the fields", Patched(good, 257, {40, 0})},
      {"name without terminator", unterminated},
      {"compact record cut", Valid({55, 1, 2, 3, 4, 5})},
      {"catalog count past the block",
       Valid({51, 46, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,   0, 0,
              0,  0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 200, 0})},
  };
  for (const Damage& d : cases) {
    SCOPED_TRACE(d.what);
    std::vector<std::unique_ptr<ObjectRecord>> slots;
    EXPECT_EQ(DecodeDatabaseFile(d.bytes, slots), ResultReadError);
    EXPECT_TRUE(slots.empty());
  }
}

TEST(IndexFileBytes, DamagedIndexesAreRefused) {
  const std::vector<uint8_t> good =
      EncodeIndexFile(std::vector<IndexEntry>{{MakeObjectId(3, 0), 5, {}, "x.qvd"}});
  const Damage cases[] = {
      {"database type", Patched(good, 4, {2})},
      {"entry cut", std::vector<uint8_t>(good.begin(), good.end() - 1)},
      {"entry above 512 bytes", Patched(good, 256, {0x01, 0x02})},
      {"entry too short", Patched(good, 256, {20, 0})},
      {"index bits in the file id", Patched(good, 258, {1})},
      {"file number 0", Patched(good, 258, {0, 0, 0, 0})},
      {"count above 16000", Patched(good, 262, {0x81, 0x3E})},
      {"more entries than bytes", Patched(good, 12, {0x10, 0x27})},
  };
  for (const Damage& d : cases) {
    SCOPED_TRACE(d.what);
    std::vector<IndexEntry> entries;
    EXPECT_EQ(DecodeIndexFile(d.bytes, entries), ResultReadError);
  }
}

// A header count that is too small must not hide entries or slots (the next write would drop
// them); one that is too large is a cut file. The problem says what and where.
TEST(IndexFileBytes, EntriesPresentOutweighTheCount) {
  const std::vector<IndexEntry> three = {{MakeObjectId(1, 0), 5, {}, "a.qvd"},
                                         {MakeObjectId(3, 0), 0, {}, "b.qvd"},
                                         {MakeObjectId(4, 0), 9, {}, "c.qvd"}};
  const std::vector<uint8_t> good = EncodeIndexFile(three);
  std::vector<IndexEntry> entries;
  for (uint8_t count : {0, 2}) {
    EXPECT_EQ(DecodeIndexFile(Patched(good, 12, {count}), entries), ResultOk);
    EXPECT_EQ(entries.size(), 3u);
  }
  const size_t second = 256 + 2 + 42 + 6;  // the second entry's length word
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    std::vector<std::string> names;  // the entries still read
    std::string problem;
  };
  const Case cases[] = {
      {"a file number twice",
       Patched(good, second + 2, {0, 0x40}),
       {"a.qvd", "c.qvd"},
       "file number 1 is listed twice"},
      {"a damaged entry between good ones",
       Patched(good, second + 2, {0, 0, 0, 0}),
       {"a.qvd", "c.qvd"},
       "entry 2 is damaged"},
      {"cut after two entries",
       Patched(good, 12, {4}),
       {"a.qvd", "b.qvd", "c.qvd"},
       "it ends after 3 of the 4 entries its header counts"},
      {"a database file", Patched(good, 4, {2}), {}, "it is not a Quorvane database index"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string problem;
    EXPECT_EQ(DecodeIndexFile(c.bytes, entries, &problem), ResultReadError);
    std::vector<std::string> names;
    for (const IndexEntry& e : entries) names.push_back(e.name);
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(problem, c.problem);
  }
}

TEST(DatabaseFileBytes, SlotsPresentOutweighTheCountAndDamageIsNamed) {
  std::vector<std::unique_ptr<ObjectRecord>> two;
  two.push_back(SampleOrbit());
  two.push_back(nullptr);
  const std::vector<uint8_t> good = EncodeDatabaseFile(two);
  std::vector<std::unique_ptr<ObjectRecord>> slots;
  ASSERT_EQ(DecodeDatabaseFile(Patched(good, 12, {0}), slots), ResultOk);
  EXPECT_EQ(slots.size(), 2u);
  const Damage cases[] = {
      {"it ends after 0 of the 2 slots its header counts", {good.begin(), good.begin() + 256}},
      {"slot 1 holds the unknown kind 57", Patched(good, 256, {57})},
      {"it ends inside slot 1", {good.begin(), good.begin() + 270}},
      {"slot 1 is damaged", Patched(good, 257, {40, 0})},
      {"it is an index, not a database file", Patched(good, 4, {1})},
  };
  for (const Damage& d : cases) {
    std::string problem;
    EXPECT_EQ(DecodeDatabaseFile(d.bytes, slots, &problem), ResultReadError);
    EXPECT_EQ(problem, d.what);
  }
}

}  // namespace
}  // namespace qv
