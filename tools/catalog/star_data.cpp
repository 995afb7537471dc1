// tools/catalog/star_data.cpp - reading the binary star-data files (star_data.h).
#include "tools/catalog/star_data.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <tuple>

#include "objects/dbfile.h"

namespace qv {

namespace {

constexpr size_t DescriptionBytes = 124;
constexpr uint16_t ByteOrderMark = 0x4B53;
constexpr size_t FieldNameBytes = 10;
constexpr size_t RegionEntryBytes = 12;
constexpr size_t RegionTrailerBytes = 5;
constexpr double MasPerDegree = 3600000.0;

struct Field {
  size_t offset = 0;  // within the record
  size_t size = 0;
  int32_t scale = 0;
};

// The record fields the reader uses, in the order of DataFileStar's members.
enum FieldIndex {
  FieldRa,
  FieldDec,
  FieldRaMotion,
  FieldDecMotion,
  FieldParallax,
  FieldHd,
  FieldMagnitude,
  FieldCount
};
constexpr const char* FieldNames[FieldCount] = {"RA",       "Dec", "dRA", "dDec",
                                                "parallax", "HD",  "mag"};

struct Layout {
  Field fields[FieldCount];
  size_t recordSize = 0;
};

// The field's name: its bytes up to the first zero.
std::string FieldName(ByteReader& r) {
  const ByteReader name = ReadBlock(r, FieldNameBytes);
  std::string text(name.bytes.begin(), name.bytes.end());
  return text.substr(0, text.find('\0'));
}

bool ReadLayout(ByteReader& r, Layout& layout, std::string& error) {
  r.ok = r.bytes.size() > DescriptionBytes;
  r.pos = r.ok ? DescriptionBytes : 0;
  const uint16_t mark = ReadU16(r);
  if (mark != ByteOrderMark && mark != __builtin_bswap16(ByteOrderMark)) {
    error = "not a star-data file (no byte-order mark)";
    return false;
  }
  r.swap = mark != ByteOrderMark;
  ReadU8(r);  // version: the field table says all the reader needs
  const uint16_t count = ReadU16(r);
  bool found[FieldCount] = {};
  for (uint16_t i = 0; i < count && r.ok; ++i) {
    const std::string name = FieldName(r);
    const size_t size = ReadU8(r);
    ReadU8(r);  // type: the size says how to read the integers used here
    const int32_t scale = static_cast<int32_t>(ReadU32(r));
    for (int f = 0; f < FieldCount; ++f) {
      if (name != FieldNames[f]) continue;
      layout.fields[f] = {layout.recordSize, size, scale};
      found[f] = true;
    }
    layout.recordSize += size;
  }
  if (!r.ok) {
    error = "star-data file ends inside its field table";
    return false;
  }
  for (int f = 0; f < FieldCount; ++f) {
    const Field& field = layout.fields[f];
    const bool sizeOk = field.size == 2 || field.size == 4;
    // HD is a number, not a measure: its scale is not applied.
    if (!found[f] || !sizeOk || (f != FieldHd && field.scale <= 0)) {
      error = std::string("star-data file has no usable field \"") + FieldNames[f] + "\"";
      return false;
    }
  }
  return true;
}

int32_t SignedField(const uint8_t* record, const Field& field, bool swap) {
  ByteReader r{{record + field.offset, field.size}, 0, swap};
  return field.size == 2 ? static_cast<int16_t>(ReadU16(r)) : static_cast<int32_t>(ReadU32(r));
}

double ScaledField(const uint8_t* record, const Field& field, bool swap) {
  return SignedField(record, field, swap) / static_cast<double>(field.scale);
}

DataFileStar StarOfRecord(const uint8_t* record, const Layout& layout, bool swap) {
  const Field* f = layout.fields;
  DataFileStar star;
  star.position.raDeg = std::fmod(ScaledField(record, f[FieldRa], swap) * 15.0 + 360.0, 360.0);
  star.position.decDeg = ScaledField(record, f[FieldDec], swap);
  star.raMotionMas = ScaledField(record, f[FieldRaMotion], swap);
  star.decMotionMas = ScaledField(record, f[FieldDecMotion], swap);
  star.parallaxMas = ScaledField(record, f[FieldParallax], swap);
  star.hd = std::max<long>(0, SignedField(record, f[FieldHd], swap));
  star.magnitude = ScaledField(record, f[FieldMagnitude], swap);
  return star;
}

}  // namespace

bool ReadStarDataFile(std::span<const uint8_t> bytes, std::vector<DataFileStar>& stars,
                      std::string& error) {
  ByteReader r{bytes};
  Layout layout;
  if (!ReadLayout(r, layout, error)) return false;
  const uint32_t regions = ReadU32(r);
  // Every region entry takes 12 bytes: a count beyond the bytes left is damage, caught before
  // it drives a loop.
  if (!r.ok || regions > (bytes.size() - r.pos) / RegionEntryBytes) {
    error = "star-data file's region count runs past its end";
    return false;
  }
  const size_t indexStart = r.pos;
  std::set<std::vector<uint8_t>> seen;  // records stored in several regions
  for (uint32_t i = 0; i < regions; ++i) {
    r.pos = indexStart + i * RegionEntryBytes;
    ReadU32(r);  // region id
    const uint64_t offset = ReadU32(r);
    const uint64_t count = ReadU32(r);
    if (offset > bytes.size() || count > (bytes.size() - offset) / layout.recordSize) {
      error = "star-data file's region " + std::to_string(i) + " runs past its end";
      return false;
    }
    for (uint64_t k = 0; k < count; ++k) {
      const uint8_t* record = bytes.data() + offset + k * layout.recordSize;
      if (!seen.emplace(record, record + layout.recordSize).second) continue;
      stars.push_back(StarOfRecord(record, layout, r.swap));
    }
  }
  if (bytes.size() - indexStart < regions * RegionEntryBytes + RegionTrailerBytes) {
    error = "star-data file ends inside its region index";
    return false;
  }
  return true;
}

bool ReadStarDataFiles(const std::string& dir, std::vector<DataFileStar>& stars,
                       std::string& error) {
  for (const char* name : {"namedstars.dat", "unnamedstars.dat"}) {
    const std::string path = dir + "/" + name;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      error = "cannot open " + path;
      return false;
    }
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>()};
    if (!ReadStarDataFile(bytes, stars, error)) {
      error = path + ": " + error;
      return false;
    }
  }
  return true;
}

bool ReadStarCatalogText(const std::string& path, std::vector<DataFileStar>& stars, int& skipped,
                         std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    int raH, raM, decD, decM;
    double raS, decS, raMotion, decMotion, parallax, magnitude;
    char sign;
    const int read =
        std::sscanf(line.c_str(), "%2d%2d%5lf %c%2d%2d%4lf %9lf%9lf%7lf %5lf", &raH, &raM, &raS,
                    &sign, &decD, &decM, &decS, &raMotion, &decMotion, &parallax, &magnitude);
    if (read != 11 || (sign != '+' && sign != '-') || raH > 23 || raM > 59 || decD > 90 ||
        decM > 59) {
      ++skipped;
      continue;
    }
    DataFileStar star;
    star.position.raDeg = (raH + raM / 60.0 + raS / 3600.0) * 15.0;
    star.position.decDeg = (sign == '-' ? -1 : 1) * (decD + decM / 60.0 + decS / 3600.0);
    star.epochYear = 2000.0;
    star.raMotionMas = raMotion;
    star.decMotionMas = decMotion;
    star.parallaxMas = parallax;
    star.magnitude = magnitude;
    stars.push_back(star);
  }
  if (in.bad()) {
    error = "cannot read " + path;
    return false;
  }
  return true;
}

SkyPosition PositionAtEpoch2000(const DataFileStar& star) {
  constexpr double DegreesToRadians = 0.017453292519943295;
  const double years = 2000.0 - star.epochYear;
  const double dec = star.position.decDeg + star.decMotionMas * years / MasPerDegree;
  const double cosDec = std::cos(star.position.decDeg * DegreesToRadians);
  double ra = star.position.raDeg;
  if (cosDec > 1e-9) ra += star.raMotionMas * years / MasPerDegree / cosDec;
  ra = std::fmod(ra + 360.0, 360.0);
  return {ra, std::clamp(dec, -90.0, 90.0)};
}

}  // namespace qv
