// fuzz/driver/replay.cpp - runs a fuzz target without libFuzzer, as a CTest test: every seed of
// its corpus, then deterministic mutations of the seeds (the same ones on every run, so a failure
// is repeatable). Built with the sanitizers, it finds crashes, overreads and leaks in the readers
// of outside bytes on every test run; long searches use -DQV_LIBFUZZER=ON instead.
//
//   fuzz_<name> <corpus folder> [mutations]   the seeds and that many mutations (default 4000)
//   fuzz_<name> <file>                        one input, to replay a failure
// When an input fails (abort, crash, sanitizer report) it is written to <program>-failure.bin in
// the current folder and shown in hex, ready to replay and to add to the corpus once fixed.
#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace {

using Bytes = std::vector<uint8_t>;
constexpr size_t MaxInputSize = 1 << 16;
constexpr int DefaultMutations = 4000;

Bytes ReadInput(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

const Bytes* currentInput = nullptr;
std::string failurePath;

void SaveFailingInput() {
  if (!currentInput) return;
  if (std::FILE* out = std::fopen(failurePath.c_str(), "wb")) {
    std::fwrite(currentInput->data(), 1, currentInput->size(), out);
    std::fclose(out);
  }
  std::fprintf(stderr, "failing input (%zu bytes, saved as %s):", currentInput->size(),
               failurePath.c_str());
  for (const uint8_t b : *currentInput) std::fprintf(stderr, " %02x", b);
  std::fprintf(stderr, "\n");
  currentInput = nullptr;
}

void OnFatalSignal(int signal) {
  SaveFailingInput();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void CatchFailures(const char* program) {
  failurePath = std::filesystem::path(program).filename().string() + "-failure.bin";
  for (const int s : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL}) std::signal(s, OnFatalSignal);
  if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(SaveFailingInput);
}

// The input in a heap block of exactly its size, so that AddressSanitizer sees a read one past it.
void RunOne(const Bytes& input) {
  const std::unique_ptr<uint8_t[]> block(new uint8_t[input.size()]);
  std::copy(input.begin(), input.end(), block.get());
  currentInput = &input;
  LLVMFuzzerTestOneInput(block.get(), input.size());
  currentInput = nullptr;
}

// Bytes that parsers of the program's files treat specially.
constexpr uint8_t Interesting[] = {0,   1,   '\t', '\n', '\r', ' ', '+',  '-',  '.',  '/', '0',
                                   '9', ':', '<',  '>',  '=',  'e', 0x7f, 0x80, 0xc3, 0xff};

class Mutator {
 public:
  explicit Mutator(const std::vector<Bytes>& seeds) : seeds_(seeds) {}

  Bytes Next() {
    Bytes b = seeds_[Pick(seeds_.size())];
    const size_t steps = 1 + Pick(4);
    for (size_t k = 0; k < steps; ++k) Mutate(b);
    if (b.size() > MaxInputSize) b.resize(MaxInputSize);
    return b;
  }

 private:
  size_t Pick(size_t n) { return n == 0 ? 0 : static_cast<size_t>(rng_() % n); }

  void Mutate(Bytes& b) {
    const size_t at = Pick(b.size() + 1);
    switch (Pick(b.empty() ? 3 : 8)) {
      case 0:  // insert an interesting byte
        b.insert(b.begin() + static_cast<std::ptrdiff_t>(at),
                 Interesting[Pick(sizeof Interesting)]);
        break;
      case 1:  // insert a run of random bytes
        for (size_t n = 1 + Pick(8); n > 0; --n)
          b.insert(b.begin() + static_cast<std::ptrdiff_t>(at), static_cast<uint8_t>(rng_()));
        break;
      case 2:  // splice in a piece of another seed
        Splice(b, at);
        break;
      case 3:  // flip one bit
        b[Pick(b.size())] ^= static_cast<uint8_t>(1u << Pick(8));
        break;
      case 4:  // overwrite with an interesting byte
        b[Pick(b.size())] = Interesting[Pick(sizeof Interesting)];
        break;
      case 5:  // erase a range
        b.erase(b.begin() + static_cast<std::ptrdiff_t>(std::min(at, b.size() - 1)),
                b.begin() + static_cast<std::ptrdiff_t>(std::min(b.size(), at + 1 + Pick(16))));
        break;
      case 6:  // cut off the end
        b.resize(Pick(b.size()));
        break;
      default:  // repeat a range
        Repeat(b);
        break;
    }
  }

  void Splice(Bytes& b, size_t at) {
    const Bytes& other = seeds_[Pick(seeds_.size())];
    if (other.empty()) return;
    const size_t from = Pick(other.size());
    const size_t length = 1 + Pick(std::min<size_t>(other.size() - from, 64));
    b.insert(b.begin() + static_cast<std::ptrdiff_t>(at),
             other.begin() + static_cast<std::ptrdiff_t>(from),
             other.begin() + static_cast<std::ptrdiff_t>(from + length));
  }

  void Repeat(Bytes& b) {
    const size_t from = Pick(b.size());
    const size_t length = 1 + Pick(std::min<size_t>(b.size() - from, 32));
    const Bytes piece(b.begin() + static_cast<std::ptrdiff_t>(from),
                      b.begin() + static_cast<std::ptrdiff_t>(from + length));
    for (size_t n = 1 + Pick(4); n > 0; --n)
      b.insert(b.begin() + static_cast<std::ptrdiff_t>(from), piece.begin(), piece.end());
  }

  const std::vector<Bytes>& seeds_;
  std::mt19937_64 rng_{0x51756f7276616e65};  // fixed: every run tries the same inputs
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <corpus folder> [mutations] | %s <input file>\n", argv[0],
                 argv[0]);
    return 2;
  }
  CatchFailures(argv[0]);
  const std::filesystem::path where = argv[1];
  if (std::filesystem::is_regular_file(where)) {
    RunOne(ReadInput(where));
    return 0;
  }
  std::vector<std::filesystem::path> paths;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(where, error)) {
    if (entry.is_regular_file()) paths.push_back(entry.path());
  }
  if (paths.empty()) {  // a target without seeds would test nothing and still pass
    std::fprintf(stderr, "%s: no seed files in %s\n", argv[0], argv[1]);
    return 2;
  }
  std::sort(paths.begin(), paths.end());
  std::vector<Bytes> seeds;
  for (const auto& path : paths) seeds.push_back(ReadInput(path));
  for (const Bytes& seed : seeds) RunOne(seed);

  const int mutations = argc > 2 ? std::atoi(argv[2]) : DefaultMutations;
  Mutator mutator(seeds);
  for (int n = 0; n < mutations; ++n) RunOne(mutator.Next());
  std::printf("%s: %zu seeds and %d mutations ran\n", argv[0], seeds.size(), mutations);
  return 0;
}
