// The simulated mount's answers in the Celestron, encoder-box and line command sets.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "tests/telescope/mount_simulator.h"

namespace qv {
namespace {

std::string Text(const char* format, ...) {
  char text[128];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

bool Begins(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The coordinates of a line-command go to or sync: seconds of time and arcseconds.
bool ReadTarget(const std::string& command, int& ra, int& dec) {
  int h = 0, m = 0, s = 0, d = 0, dm = 0, ds = 0;
  char sign = '+';
  if (std::sscanf(command.c_str() + 1, "RA:%d:%d:%d DEC:%c%d:%d:%d", &h, &m, &s, &sign, &d, &dm,
                  &ds) != 7)
    return false;
  ra = h * 3600 + m * 60 + s;
  dec = (sign == '-' ? -1 : 1) * (d * 3600 + dm * 60 + ds);
  return true;
}

}  // namespace

std::string MountSimulator::UltimaAnswer(const std::string& command) {
  if (options.decline) return "%";
  if (command == "E#") return Text("%04X,%04X#", unsigned(binaryRa), unsigned(binaryDec));
  unsigned ra = 0, dec = 0;
  if ((command[0] == 'R' || command[0] == 'F') &&
      std::sscanf(command.c_str() + 1, "%4X,%4X#", &ra, &dec) == 2) {
    binaryRa = uint16_t(ra);
    binaryDec = uint16_t(dec);
    return "#";
  }
  return "";  // "M#" and anything else: no answer
}

std::string MountSimulator::NexStarAnswer(const std::string& command) {
  if (command == "?") return "#";
  if (command == "E") {
    return {char(binaryRa >> 8), char(binaryRa & 0xFF), char(binaryDec >> 8),
            char(binaryDec & 0xFF)};
  }
  const auto byte = [&](size_t at) { return uint16_t(uint8_t(command[at])); };
  binaryTargetRa = uint16_t(byte(1) << 8 | byte(2));
  binaryTargetDec = uint16_t(byte(3) << 8 | byte(4));
  slewing = true;
  return "";
}

std::string MountSimulator::EncoderAnswer(const std::string& command) {
  if (command == "P") return options.greeting + "\r";
  const long first = options.swapped ? latCount : lonCount;
  const long second = options.swapped ? lonCount : latCount;
  return Text("%+06ld\t%+06ld\r", first, second);
}

std::string MountSimulator::LineAnswer(const std::string& command) {
  if (command == "D\r") {
    return "** AIM Controls Coordinate\n** Firmware 2.1\n** Ready\n" + options.openStatus + "\n";
  }
  if (command == "R\r") {
    const int a = std::abs(decArcseconds);
    return Text("** RA:%02d:%02d:%04.1f DEC:%c%02d:%02d:%04.1f\n00\n", raSeconds / 3600,
                raSeconds / 60 % 60, double(raSeconds % 60), decArcseconds < 0 ? '-' : '+',
                a / 3600, a / 60 % 60, double(a % 60));
  }
  int ra = 0, dec = 0;
  const bool goTo = Begins(command, "XRA:"), sync = Begins(command, "SRA:");
  if ((goTo || sync) && ReadTarget(command, ra, dec)) {
    if (goTo && options.goToStatus != "00") return options.goToStatus + "\n";
    raSeconds = ra;
    decArcseconds = dec;
  }
  return "00\n";  // stop, jogs, time and anything else
}

}  // namespace qv
