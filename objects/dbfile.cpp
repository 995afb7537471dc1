// objects/dbfile.cpp - decoding and encoding the index and database files.
#include "objects/dbfile.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

#include "platform/result.h"

namespace qv {
namespace {

constexpr uint32_t MarkSwapped = 0x01000000u;  // the mark 1 as read in the other byte order
constexpr size_t IndexEntryFixedSize = 4 + 4 + 2 * 9 + 4 * 4;
constexpr size_t OrbitFixedSize = 4 + 8 + 4 * 13 + 2 + 2;
constexpr size_t SkyFixedSize = 4 * 3 + 4 * 3 + 4 + 4 + 2 * 4 + 4 + 1;
constexpr size_t LineFixedSize = 4 + 4 + 4 * 3 * 2;
constexpr size_t SiteFixedSize = 4 * 4;

uint8_t Swapped(uint8_t v) { return v; }
uint16_t Swapped(uint16_t v) { return __builtin_bswap16(v); }
uint32_t Swapped(uint32_t v) { return __builtin_bswap32(v); }
uint64_t Swapped(uint64_t v) { return __builtin_bswap64(v); }

// The one place file bytes become a value: memcpy (file bytes are unaligned), then swap.
template <typename T>
T ReadRaw(ByteReader& r) {
  if (r.bytes.size() - r.pos < sizeof(T)) {  // pos <= size always: cannot wrap
    r.ok = false;
    return T{};
  }
  T v;
  std::memcpy(&v, r.bytes.data() + r.pos, sizeof(T));
  r.pos += sizeof(T);
  return r.swap ? Swapped(v) : v;
}

template <typename T>
void WriteRaw(ByteWriter& w, T v) {
  if (w.swap) v = Swapped(v);
  uint8_t raw[sizeof(T)];
  std::memcpy(raw, &v, sizeof(T));
  w.bytes.insert(w.bytes.end(), raw, raw + sizeof(T));
}

int16_t ReadI16(ByteReader& r) { return static_cast<int16_t>(ReadU16(r)); }
int32_t ReadI32(ByteReader& r) { return static_cast<int32_t>(ReadU32(r)); }
void WriteI16(ByteWriter& w, int16_t v) { WriteU16(w, static_cast<uint16_t>(v)); }
void WriteI32(ByteWriter& w, int32_t v) { WriteU32(w, static_cast<uint32_t>(v)); }

DirectionVector ReadDirection(ByteReader& r) {
  DirectionVector d;
  d.x = ReadI32(r);
  d.y = ReadI32(r);
  d.z = ReadI32(r);
  return d;
}

void WriteDirection(ByteWriter& w, const DirectionVector& d) {
  WriteI32(w, d.x);
  WriteI32(w, d.y);
  WriteI32(w, d.z);
}

// ReadName: the zero-terminated text that ends a block; false when no terminator comes first.
bool ReadName(ByteReader& r, std::string& name) {
  const auto rest = r.bytes.subspan(r.pos);
  const auto end = std::find(rest.begin(), rest.end(), uint8_t{0});
  if (end == rest.end()) return false;
  name.assign(rest.begin(), end);
  r.pos += name.size() + 1;
  return true;
}

void WriteName(ByteWriter& w, const std::string& name, size_t room) {
  const size_t length = std::min(name.size(), room - 1);
  w.bytes.insert(w.bytes.end(), name.begin(), name.begin() + static_cast<ptrdiff_t>(length));
  w.bytes.push_back(0);
}

void ReadSummary(ByteReader& r, FileSummary& s) {
  for (int16_t* field :
       {&s.solarSystemCount, &s.deepSkyCount, &s.starCount, &s.lineCount, &s.locationCount,
        &s.deepSkyFaintest, &s.deepSkyBrightest, &s.starFaintest, &s.starBrightest}) {
    *field = ReadI16(r);
  }
  for (int32_t* field : {&s.decMax, &s.decMin, &s.raMax, &s.raMin}) *field = ReadI32(r);
}

void WriteSummary(ByteWriter& w, const FileSummary& s) {
  for (int16_t field :
       {s.solarSystemCount, s.deepSkyCount, s.starCount, s.lineCount, s.locationCount,
        s.deepSkyFaintest, s.deepSkyBrightest, s.starFaintest, s.starBrightest}) {
    WriteI16(w, field);
  }
  for (int32_t field : {s.decMax, s.decMin, s.raMax, s.raMin}) WriteI32(w, field);
}

// The record forms: ReadFields and WriteFields for each body, the fixed fields of its kind;
// the caller checks r.ok.
void ReadFields(ByteReader& r, OrbitRecord& o) {
  o.primary = ReadU32(r);
  o.epoch = ReadF64(r);
  for (float* field :
       {&o.q, &o.e, &o.i, &o.omega, &o.node, &o.meanAnomaly, &o.meanMotion, &o.meanMotionRate,
        &o.meanMotionAccel, &o.omegaRate, &o.nodeRate, &o.mass, &o.radius}) {
    *field = ReadF32(r);
  }
  o.magnitudeParam1 = ReadI16(r);
  o.magnitudeParam2 = ReadI16(r);
}

void WriteFields(ByteWriter& w, const OrbitRecord& o) {
  WriteU32(w, o.primary);
  WriteF64(w, o.epoch);
  for (float field : {o.q, o.e, o.i, o.omega, o.node, o.meanAnomaly, o.meanMotion, o.meanMotionRate,
                      o.meanMotionAccel, o.omegaRate, o.nodeRate, o.mass, o.radius}) {
    WriteF32(w, field);
  }
  WriteI16(w, o.magnitudeParam1);
  WriteI16(w, o.magnitudeParam2);
}

void ReadFields(ByteReader& r, SkyObjectRecord& s) {
  s.position = ReadDirection(r);
  s.motion = ReadDirection(r);
  if (r.motionPerDay) s.motion = MotionFromPerDay(VectorFromDirection(s.motion));
  s.distance = ReadF32(r);
  s.radialVelocity = ReadF32(r);
  s.visualMagnitude = ReadI16(r);
  s.colorIndex = ReadI16(r);
  s.companionOffset = ReadI16(r);
  s.variabilityOffset = ReadI16(r);
  s.size = ReadF32(r);
  const uint8_t count = ReadU8(r);
  s.catalogNumbers.clear();
  for (uint8_t k = 0; k < count && r.ok; ++k) s.catalogNumbers.push_back(ReadU32(r));
}

void WriteFields(ByteWriter& w, const SkyObjectRecord& s) {
  WriteDirection(w, s.position);
  WriteDirection(w, s.motion);
  WriteF32(w, s.distance);
  WriteF32(w, s.radialVelocity);
  WriteI16(w, s.visualMagnitude);
  WriteI16(w, s.colorIndex);
  WriteI16(w, s.companionOffset);
  WriteI16(w, s.variabilityOffset);
  WriteF32(w, s.size);
  const size_t count = std::min<size_t>(s.catalogNumbers.size(), MaxCatalogNumbers);
  WriteU8(w, static_cast<uint8_t>(count));
  for (size_t k = 0; k < count; ++k) WriteU32(w, s.catalogNumbers[k]);
}

void ReadFields(ByteReader& r, LineRecord& l) {
  l.ends[0] = ReadU32(r);
  l.ends[1] = ReadU32(r);
  l.positions[0] = ReadDirection(r);
  l.positions[1] = ReadDirection(r);
}

void WriteFields(ByteWriter& w, const LineRecord& l) {
  WriteU32(w, l.ends[0]);
  WriteU32(w, l.ends[1]);
  WriteDirection(w, l.positions[0]);
  WriteDirection(w, l.positions[1]);
}

void ReadFields(ByteReader& r, SiteRecord& s) {
  for (float* field : {&s.longitude, &s.latitude, &s.altitude, &s.timeZone}) *field = ReadF32(r);
}

void WriteFields(ByteWriter& w, const SiteRecord& s) {
  for (float field : {s.longitude, s.latitude, s.altitude, s.timeZone}) WriteF32(w, field);
}

// The compact form of GSC objects: everything else reads back unknown or empty.
void ReadCompactFields(ByteReader& r, SkyObjectRecord& s) {
  s.position = ReadDirection(r);
  s.visualMagnitude = ReadI16(r);
  s.catalogNumbers = {ReadU32(r)};
  s.distance = UnknownValue;
  s.radialVelocity = UnknownValue;
  s.colorIndex = s.companionOffset = s.variabilityOffset = UnknownMagnitude;
}

void WriteCompactFields(ByteWriter& w, const SkyObjectRecord& s) {
  WriteDirection(w, s.position);
  WriteI16(w, s.visualMagnitude);
  WriteU32(w, s.catalogNumbers.empty() ? 0 : s.catalogNumbers[0]);
}

void SetProblem(std::string* problem, std::string text) {
  if (problem) *problem = std::move(text);
}

template <typename... Args>
std::string Describe(const char* format, Args... args) {
  char text[128];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

size_t FixedSizeOf(const ObjectRecord& record) {
  if (OrbitOf(record)) return OrbitFixedSize;
  if (const SkyObjectRecord* sky = SkyObjectOf(record)) {
    return SkyFixedSize + 4 * std::min<size_t>(sky->catalogNumbers.size(), MaxCatalogNumbers);
  }
  if (LineOf(record)) return LineFixedSize;
  return SiteFixedSize;
}

// ReadBody: the fixed fields and the name of a length-prefixed record.
bool ReadBody(ByteReader& block, ObjectRecord& record) {
  std::string name;
  VisitBody(record, [&block](auto& body) { ReadFields(block, body); });
  if (!block.ok || !ReadName(block, name)) return false;
  VisitBody(record, [&name](auto& body) { body.name = std::move(name); });
  return true;
}

void WriteBody(ByteWriter& w, const ObjectRecord& record) {
  VisitBody(record, [&w](const auto& body) { WriteFields(w, body); });
}

}  // namespace

uint8_t ReadU8(ByteReader& r) { return ReadRaw<uint8_t>(r); }
uint16_t ReadU16(ByteReader& r) { return ReadRaw<uint16_t>(r); }
uint32_t ReadU32(ByteReader& r) { return ReadRaw<uint32_t>(r); }
float ReadF32(ByteReader& r) { return std::bit_cast<float>(ReadRaw<uint32_t>(r)); }
double ReadF64(ByteReader& r) { return std::bit_cast<double>(ReadRaw<uint64_t>(r)); }

ByteReader ReadBlock(ByteReader& r, size_t n) {
  if (r.bytes.size() - r.pos < n) {
    r.ok = false;
    return ByteReader{{}, 0, r.swap, false, r.motionPerDay};
  }
  ByteReader block{r.bytes.subspan(r.pos, n), 0, r.swap, true, r.motionPerDay};
  r.pos += n;
  return block;
}

void WriteU8(ByteWriter& w, uint8_t v) { w.bytes.push_back(v); }
void WriteU16(ByteWriter& w, uint16_t v) { WriteRaw(w, v); }
void WriteU32(ByteWriter& w, uint32_t v) { WriteRaw(w, v); }
void WriteF32(ByteWriter& w, float v) { WriteRaw(w, std::bit_cast<uint32_t>(v)); }
void WriteF64(ByteWriter& w, double v) { WriteRaw(w, std::bit_cast<uint64_t>(v)); }

int ReadFileHeader(std::span<const uint8_t> bytes, FileHeader& out) {
  if (bytes.size() < HeaderSize) return ResultReadError;
  ByteReader r{bytes};
  const uint32_t mark = ReadU32(r);
  if (mark != 1 && mark != MarkSwapped) return ResultReadError;  // not one of ours
  r.swap = mark != 1;
  const uint32_t type = ReadU32(r), version = ReadU32(r), count = ReadU32(r);
  if (version != FormatVersion && version != MotionPerDayFormatVersion) return ResultReadError;
  out = FileHeader{type, count, r.swap, version == MotionPerDayFormatVersion};
  return ResultOk;
}

void WriteFileHeader(ByteWriter& w, uint32_t type, uint32_t count) {
  WriteU32(w, 1);
  WriteU32(w, type);
  WriteU32(w, FormatVersion);
  WriteU32(w, count);
  w.bytes.resize(w.bytes.size() + HeaderSize - 16, 0);
}

int ReadIndexEntry(ByteReader& r, IndexEntry& out) {
  const uint16_t length = ReadU16(r);
  if (!r.ok || length > MaxIndexEntrySize || length < IndexEntryFixedSize + 1) {
    r.ok = false;  // a length no writer gives: where the next entry starts is unknown
    return ResultReadError;
  }
  ByteReader block = ReadBlock(r, length);
  IndexEntry entry;
  entry.fileId = ReadU32(block);
  entry.count = ReadU32(block);
  ReadSummary(block, entry.summary);
  if (!block.ok || !ReadName(block, entry.name)) return ResultReadError;
  // A file number outside 1..16000, index bits in a file id or a count above 16000 cannot
  // come from a writer of this format.
  const uint32_t number = FileNumberOf(entry.fileId);
  if (IndexOf(entry.fileId) != 0 || number < 1 || number > MaxFiles ||
      entry.count > MaxObjectsPerFile) {
    return ResultReadError;
  }
  out = std::move(entry);
  return ResultOk;
}

void WriteIndexEntry(ByteWriter& w, const IndexEntry& entry) {
  const size_t nameRoom = MaxIndexEntrySize - IndexEntryFixedSize;
  const size_t length = IndexEntryFixedSize + std::min(entry.name.size(), nameRoom - 1) + 1;
  WriteU16(w, static_cast<uint16_t>(length));
  WriteU32(w, entry.fileId);
  WriteU32(w, entry.count);
  WriteSummary(w, entry.summary);
  WriteName(w, entry.name, nameRoom);
}

int ReadRecordSlot(ByteReader& r, std::unique_ptr<ObjectRecord>& out) {
  out.reset();
  const uint8_t kind = ReadU8(r);
  if (!r.ok || !IsKnownKind(kind)) return kind == KindEmpty && r.ok ? ResultOk : ResultReadError;
  std::unique_ptr<ObjectRecord> record = NewRecord(kind);
  if (!record) return ResultNoMemory;
  if (IsCompactKind(kind)) {
    ReadCompactFields(r, *SkyObjectOf(*record));
    if (!r.ok) return ResultReadError;
  } else {
    const uint16_t length = ReadU16(r);
    if (!r.ok || length > MaxRecordBlockSize) return ResultReadError;
    ByteReader block = ReadBlock(r, length);
    if (!block.ok || !ReadBody(block, *record)) return ResultReadError;
  }
  out = std::move(record);
  return ResultOk;
}

void WriteRecordSlot(ByteWriter& w, const ObjectRecord* record) {
  if (!record || !IsKnownKind(record->kind)) {
    WriteU8(w, KindEmpty);
    return;
  }
  WriteU8(w, record->kind);
  if (IsCompactKind(record->kind)) {
    WriteCompactFields(w, *SkyObjectOf(*record));
    return;
  }
  const size_t fixed = FixedSizeOf(*record);
  const size_t nameRoom = MaxRecordBlockSize - fixed;
  WriteU16(w,
           static_cast<uint16_t>(fixed + std::min(StoredName(*record).size(), nameRoom - 1) + 1));
  WriteBody(w, *record);
  WriteName(w, StoredName(*record), nameRoom);
}

int DecodeIndexFile(std::span<const uint8_t> bytes, std::vector<IndexEntry>& entries,
                    std::string* problem) {
  entries.clear();
  FileHeader header;
  if (ReadFileHeader(bytes, header) != ResultOk || header.type != IndexFileType) {
    SetProblem(problem, "it is not a Quorvane database index");
    return ResultReadError;
  }
  // The entries present are trusted over the header's count: a count that is too small must not
  // hide files from the next write. Fewer entries than the count means a cut file.
  std::vector<bool> listed(MaxFiles + 1, false);
  ByteReader r{bytes, HeaderSize, header.swap};
  size_t read = 0;
  bool damaged = false;
  while (r.ok && r.pos < bytes.size()) {
    ++read;
    IndexEntry entry;
    if (ReadIndexEntry(r, entry) != ResultOk) {
      if (!damaged) SetProblem(problem, Describe("entry %zu is damaged", read));
      damaged = true;
      continue;
    }
    const uint32_t number = FileNumberOf(entry.fileId);
    if (listed[number]) {
      if (!damaged) SetProblem(problem, Describe("file number %u is listed twice", number));
      damaged = true;
      continue;
    }
    listed[number] = true;
    entries.push_back(std::move(entry));
  }
  if (!damaged && read < header.count) {
    SetProblem(problem, Describe("it ends after %zu of the %u entries its header counts", read,
                                 header.count));
    damaged = true;
  }
  return damaged ? ResultReadError : ResultOk;
}

std::vector<uint8_t> EncodeIndexFile(std::span<const IndexEntry> entries, bool swap) {
  std::vector<uint8_t> bytes;
  ByteWriter w{bytes, swap};
  WriteFileHeader(w, IndexFileType, static_cast<uint32_t>(entries.size()));
  for (const IndexEntry& entry : entries) WriteIndexEntry(w, entry);
  return bytes;
}

int DecodeDatabaseFile(std::span<const uint8_t> bytes,
                       std::vector<std::unique_ptr<ObjectRecord>>& slots, std::string* problem) {
  FileHeader header;
  if (ReadFileHeader(bytes, header) != ResultOk || header.type != DatabaseFileType) {
    SetProblem(problem, header.type == IndexFileType ? "it is an index, not a database file"
                                                     : "it is not a Quorvane database file");
    return ResultReadError;
  }
  // As for the index, the slots present count, not the header; fewer than it says is a cut file.
  ByteReader r{bytes, HeaderSize, header.swap, true, header.motionPerDay};
  std::vector<std::unique_ptr<ObjectRecord>> read;
  while (r.pos < bytes.size()) {
    if (read.size() == MaxObjectsPerFile) {
      SetProblem(problem, "it holds more than 16,000 slots");
      return ResultReadError;
    }
    const uint8_t kind = bytes[r.pos];
    std::unique_ptr<ObjectRecord> slot;
    const int result = ReadRecordSlot(r, slot);
    if (result != ResultOk) {
      const size_t number = read.size() + 1;
      SetProblem(problem, !IsKnownKind(kind) && kind != KindEmpty
                              ? Describe("slot %zu holds the unknown kind %d", number, kind)
                          : !r.ok ? Describe("it ends inside slot %zu", number)
                                  : Describe("slot %zu is damaged", number));
      return result;
    }
    read.push_back(std::move(slot));
  }
  if (read.size() < header.count) {
    SetProblem(problem, Describe("it ends after %zu of the %u slots its header counts", read.size(),
                                 header.count));
    return ResultReadError;
  }
  slots = std::move(read);
  return ResultOk;
}

std::vector<uint8_t> EncodeDatabaseFile(std::span<const std::unique_ptr<ObjectRecord>> slots,
                                        bool swap) {
  std::vector<uint8_t> bytes;
  ByteWriter w{bytes, swap};
  WriteFileHeader(w, DatabaseFileType, static_cast<uint32_t>(slots.size()));
  for (const auto& slot : slots) WriteRecordSlot(w, slot.get());
  return bytes;
}

}  // namespace qv
