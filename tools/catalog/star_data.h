// tools/catalog/star_data.h - reading the star files of Debian's kstars-data package: Hipparcos
// and Tycho stars with proper motions and parallaxes, in a binary form (namedstars.dat,
// unnamedstars.dat: 42,864 stars to magnitude 8, with HD numbers) and in a text form (stars.dat:
// 125,982 stars to magnitude 9, no HD numbers).
//
// The binary files describe their own records: after a text header comes a table of the
// record's fields (name, size, type, scale), then an index of sky regions (trixels of a
// hierarchical triangular mesh) giving where each region's records start and how many there are.
//
//   offset   size  content
//      0     124   description text, zero-padded
//    124       2   byte-order mark 0x4B53, in the writing machine's order
//    126       1   format version
//    127       2   field count n
//    129     16 n  fields: name (10 bytes, zero-padded), size in bytes (u8), type (u8),
//                  scale (i32: the stored integer is the value times the scale)
//      .       4   region count t
//      .     12 t  regions: id (u32), offset of the first record from the file start (u32),
//                  record count (u32)
//      .       5   faintest magnitude x 100 (i16), mesh level (u8), most records of a region (u16)
//      .           the records, each the sum of the field sizes
//
// Fields read, by name: "RA" (hours), "Dec" (degrees), "dRA" (proper motion in R.A. times
// cos Dec., mas/yr), "dDec" (mas/yr), "parallax" (mas), "HD" (the Henry Draper number as
// stored, no scale), "mag" (V). Positions are the Hipparcos catalog's: J2000 equator, epoch
// J1991.25 (Sirius lies 10.7" north of its epoch-2000 place, as its motion of -1.223"/yr in
// Dec. over 8.75 years puts it). A star whose motion carries it across region edges is stored
// once in each region it crosses; the reader keeps one copy.
//
// The text file: "#" comment lines, then one star per line in fixed columns (1-based):
//    1-9  R.A. hhmmss.ss      11-19  Dec. sddmmss.s     21-29  mu alpha * (mas/yr, s000000.0)
//  30-38  mu delta (mas/yr)   39-45  parallax (mas)     47-51  V
// positions on the J2000 equator at epoch 2000.0; the rest of the line (colour, spectral type,
// names) is not read.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tools/catalog/sky_entry.h"

namespace qv {

constexpr double HipparcosEpochYear = 1991.25;

struct DataFileStar {
  SkyPosition position;  // at epochYear
  double epochYear = HipparcosEpochYear;
  double raMotionMas = 0;   // mu alpha * cos delta, mas/yr
  double decMotionMas = 0;  // mas/yr
  double parallaxMas = 0;   // 0 or less: not measured
  long hd = 0;              // 0: none
  double magnitude = 0;
};

// ReadStarDataFile: every star of the file's bytes, duplicates dropped. False with a one-line
// reason when the bytes are not such a file or are damaged (a count or offset past the end, a
// field missing or of an unreadable size).
bool ReadStarDataFile(std::span<const uint8_t> bytes, std::vector<DataFileStar>& stars,
                      std::string& error);

// ReadStarDataFiles: namedstars.dat and unnamedstars.dat of dir, read as above.
bool ReadStarDataFiles(const std::string& dir, std::vector<DataFileStar>& stars,
                       std::string& error);

// ReadStarCatalogText: every star of the text form; lines that do not read as a star are
// counted in skipped. False only when the file cannot be read.
bool ReadStarCatalogText(const std::string& path, std::vector<DataFileStar>& stars, int& skipped,
                         std::string& error);

// PositionAtEpoch2000: the star's position moved along its proper motion to epoch 2000.0.
SkyPosition PositionAtEpoch2000(const DataFileStar& star);

}  // namespace qv
