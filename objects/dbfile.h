// objects/dbfile.h - the byte layout of the index file "Index.qvd" and the database files
// (*.qvd), decoded from and encoded into byte spans.
//
// Every multi-byte value is in the byte order of the machine that wrote the file; the first
// 32-bit word of the header, always 1, tells which: a reader that sees 0x01000000 swaps every
// 16-, 32- and 64-bit value of that file. Floats are IEEE single or double. Writers here use
// this machine's order.
//
// Header (both files, 256 bytes)
//   offset size  value
//      0     4   1, the byte-order mark
//      4     4   file type: 1 index file, 2 database file
//      8     4   format version 3001 (3000: the same, but a sky object's motion per day; such
//                files are read and their motions converted)
//     12     4   index: number of entries; database file: number of slots that follow
//     16   240   zero
//
// Index entry, one per database file: a 2-byte length L (at most 512), then L bytes:
//      4  file id (file number << 14)      4  count (highest index in use)
//   2x9  summary counts and magnitudes    4x4  Dec. max, Dec. min, R.A. max, R.A. min
//   n+1  file name relative to the database directory, zero-terminated
//
// Database slot, count of them for index 1..count: one kind byte; 0 is an empty slot and
// nothing follows. Kinds 55 and 56 are followed by a fixed 18-byte group without length, every
// other kind by a 2-byte length L (at most 1024) and L bytes:
//   1-38   primary id 4, epoch (MJD) f64, q e i w W M n, the two mean-motion derivatives,
//          w rate, W rate, mass, radius (13 x f32), magnitude parameters 1 and 2 (2 x i16), name
//   51-54, 61-65   position 3 x i32, motion 3 x i32, distance f32, radial velocity f32,
//          V, B-V, companion offset, variability offset (4 x i16), size f32, catalog count c
//          (1 byte; a reader keeps at most 8), c x u32 catalog numbers, name
//   55, 56 (compact, 18 bytes)   position 3 x i32, V i16, first catalog number u32 (0: none)
//   91-93  end-point ids 2 x u32, end-point positions 2 x 3 x i32, name
//   101    longitude, latitude, altitude, time zone (4 x f32), name
// Names are zero-terminated (a single 0 byte when there is none) and must end inside the block.
//
// The entries and slots are what the bytes hold: a header count below them is trusted less than
// they are, so that no write drops what a wrong count hid; a count above them means a cut file.
//
// Damage - a wrong mark, type or version, an unknown kind, a block that is short, oversized or
// holds an unterminated name, fewer entries or slots than the header counts, a file number
// listed twice - gives ResultReadError and, when asked, the problem in a few words ("slot 12
// holds the unknown kind 57"); no read ever goes past the bytes given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "objects/records.h"
#include "objects/summary.h"

namespace qv {

constexpr uint32_t IndexFileType = 1;
constexpr uint32_t DatabaseFileType = 2;
constexpr uint32_t FormatVersion = 3001;
constexpr uint32_t MotionPerDayFormatVersion = 3000;
constexpr size_t HeaderSize = 256;
constexpr size_t MaxIndexEntrySize = 512;
constexpr size_t MaxRecordBlockSize = 1024;
constexpr size_t CompactRecordSize = 18;

struct ByteReader {
  std::span<const uint8_t> bytes;
  size_t pos = 0;
  bool swap = false;          // written on a machine of the other byte order
  bool ok = true;             // cleared by the first read past the end; callers test it once
  bool motionPerDay = false;  // a file of MotionPerDayFormatVersion
};

uint8_t ReadU8(ByteReader& r);
uint16_t ReadU16(ByteReader& r);
uint32_t ReadU32(ByteReader& r);
float ReadF32(ByteReader& r);
double ReadF64(ByteReader& r);
// ReadBlock: the next n bytes as a reader of their own (same byte order).
ByteReader ReadBlock(ByteReader& r, size_t n);

struct ByteWriter {
  std::vector<uint8_t>& bytes;
  bool swap = false;  // write the other byte order (tests make foreign files with it)
};

void WriteU8(ByteWriter& w, uint8_t v);
void WriteU16(ByteWriter& w, uint16_t v);
void WriteU32(ByteWriter& w, uint32_t v);
void WriteF32(ByteWriter& w, float v);
void WriteF64(ByteWriter& w, double v);

struct FileHeader {
  uint32_t type = 0;
  uint32_t count = 0;
  bool swap = false;
  bool motionPerDay = false;
};

// ReadFileHeader: mark and version checked; the type is the caller's to check.
int ReadFileHeader(std::span<const uint8_t> bytes, FileHeader& out);
void WriteFileHeader(ByteWriter& w, uint32_t type, uint32_t count);

struct IndexEntry {
  ObjectId fileId = 0;  // file number << 14, number 1..16000
  uint32_t count = 0;   // 0..16000
  FileSummary summary;
  std::string name;
};

int ReadIndexEntry(ByteReader& r, IndexEntry& out);
// WriteIndexEntry: a name that would not fit the 512-byte entry is cut.
void WriteIndexEntry(ByteWriter& w, const IndexEntry& entry);

// ReadRecordSlot: out is null for an empty slot.
int ReadRecordSlot(ByteReader& r, std::unique_ptr<ObjectRecord>& out);
// WriteRecordSlot: record null (or of no known kind) writes an empty slot. A name that would
// not fit the 1024-byte block is cut (names of the program are at most 255 characters).
void WriteRecordSlot(ByteWriter& w, const ObjectRecord* record);

// Whole files.
// DecodeIndexFile: every well-formed entry, in file order, even when the index is damaged (an
// entry of a file number already listed is passed over).
int DecodeIndexFile(std::span<const uint8_t> bytes, std::vector<IndexEntry>& entries,
                    std::string* problem = nullptr);
std::vector<uint8_t> EncodeIndexFile(std::span<const IndexEntry> entries, bool swap = false);
// DecodeDatabaseFile: slots[k] holds the record of index k + 1, or null for an empty slot;
// nothing when the file is damaged.
int DecodeDatabaseFile(std::span<const uint8_t> bytes,
                       std::vector<std::unique_ptr<ObjectRecord>>& slots,
                       std::string* problem = nullptr);
std::vector<uint8_t> EncodeDatabaseFile(std::span<const std::unique_ptr<ObjectRecord>> slots,
                                        bool swap = false);

}  // namespace qv
