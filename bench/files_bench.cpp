// Reading text files line by line (object text files, settings) and safely replacing a file
// (every database and settings save).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"

namespace qv {
namespace {

// An object text file of 100,000 lines of 80 bytes ending in "\r\n" (8 MB), in memory.
std::vector<uint8_t> TextLines() {
  std::vector<uint8_t> bytes;
  const std::string line =
      "S\tHR 2491\t06 45 08.92\t-16 42 58.0\t-1.46\t0.00\tA1V\tSirius;Alpha CMa\t\t\t\t\r\n";
  for (int n = 0; n < 100000; ++n) bytes.insert(bytes.end(), line.begin(), line.end());
  return bytes;
}

void BM_ReadLineThroughObjectFile(benchmark::State& state) {
  const std::vector<uint8_t> bytes = TextLines();
  std::string text, ending;
  for (auto _ : state) {
    FileHandle file = OpenMemoryFile(bytes);
    size_t lines = 0;
    while (ReadLine(*file, text, LineBufferSize, &ending)) ++lines;
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadLineThroughObjectFile)->Unit(benchmark::kMillisecond);

void BM_ReplaceFileContents(benchmark::State& state) {
  const std::vector<uint8_t> bytes(static_cast<size_t>(state.range(0)), 0x5a);
  const std::string path =
      (std::filesystem::temp_directory_path() / "qv-bench-replace.qvd").string();
  for (auto _ : state) benchmark::DoNotOptimize(ReplaceFileContents(path, bytes));
  std::remove(path.c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReplaceFileContents)->Arg(4096)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qv
