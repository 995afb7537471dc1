// tools/catalog/text_lines.cpp - formatting object text file lines.
#include "tools/catalog/text_lines.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qv {

namespace {

constexpr long long MillisecondsPerDay = 86400000;

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  if (std::strtod(text, nullptr) == 0) std::snprintf(text, sizeof text, "%.*f", decimals, 0.0);
  return text;
}

std::string Optional(const std::optional<double>& value, int decimals) {
  return value ? Fixed(*value, decimals) : std::string();
}

// Cuts text to at most maxBytes without splitting a UTF-8 sequence.
std::string CutUtf8(const std::string& text, size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  size_t end = maxBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

// The importer's motion fields: R.A. in seconds of time per year (the change of R.A. itself, so
// mu alpha * is divided by cos Dec.), Dec. in arcseconds per year; at a pole R.A. stands still.
std::string RaMotionField(const SkyEntry& entry) {
  if (!entry.motion) return {};
  const double cosDec = std::cos(entry.position.decDeg * 0.017453292519943295);
  const double secondsPerYear = cosDec > 1e-9 ? entry.motion->raMas / 15000.0 / cosDec : 0.0;
  return Fixed(secondsPerYear, 7);
}

std::string DecMotionField(const SkyEntry& entry) {
  return entry.motion ? Fixed(entry.motion->decMas / 1000.0, 5) : std::string();
}

// Distance in parsecs from the parallax, to the parallax's own precision of 0.1 mas.
std::string DistanceField(const SkyEntry& entry) {
  if (!entry.motion || !entry.motion->parallaxMas) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", 1000.0 / *entry.motion->parallaxMas);
  return text;
}

}  // namespace

std::string FormatRightAscension(double raDeg) {
  // Whole milliseconds of time first, so the seconds never print as 60.
  long long ms = std::llround(raDeg / 15.0 * 3600000.0) % MillisecondsPerDay;
  if (ms < 0) ms += MillisecondsPerDay;
  char text[32];
  std::snprintf(text, sizeof text, "%02lld %02lld %06.3f", ms / 3600000, ms / 60000 % 60,
                static_cast<double>(ms % 60000) / 1000.0);
  return text;
}

std::string FormatDeclination(double decDeg) {
  const long long cs = std::llround(std::fabs(decDeg) * 360000.0);  // centi-arcseconds
  char text[32];
  std::snprintf(text, sizeof text, "%c%02lld %02lld %05.2f", decDeg < 0 ? '-' : '+', cs / 360000,
                cs / 6000 % 60, static_cast<double>(cs % 6000) / 100.0);
  return text;
}

std::string JoinNameParts(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) {
    const std::string joined = text.empty() ? part : text + "; " + part;
    if (joined.size() > MaxNameTextBytes) {
      if (text.empty()) text = CutUtf8(part, MaxNameTextBytes);
      break;
    }
    text = joined;
  }
  return text;
}

std::string SkyObjectLine(const SkyEntry& entry) {
  const bool deepSky = entry.kind >= KindOpenCluster;
  const std::string fields[] = {
      "S" + std::to_string(entry.kind - 50),
      "2000.0",
      FormatRightAscension(entry.position.raDeg),
      FormatDeclination(entry.position.decDeg),
      RaMotionField(entry),
      DecMotionField(entry),
      Optional(entry.magnitude, 2),
      Optional(entry.colorIndex, 2),
      "",  // radial velocity: not in the star-data files
      DistanceField(entry),
      deepSky && entry.sizeArcmin > 0 ? Fixed(entry.sizeArcmin, 3) : std::string(),
      JoinNameParts(entry.names),
  };
  std::string line;
  for (const std::string& field : fields) {
    if (!line.empty()) line += '\t';
    line += field;
  }
  return line;
}

std::string FigureLineText(const FigureLine& line) {
  std::string text = "C1\t" + line.first + "\t" + line.second;
  if (!line.label.empty()) text += "\t" + line.label;
  return text;
}

std::string BoundaryLineText(const BoundaryLine& line) {
  return "C2\t2000.0\t" + FormatRightAscension(line.first.raDeg) + "\t" +
         FormatDeclination(line.first.decDeg) + "\t" + FormatRightAscension(line.second.raDeg) +
         "\t" + FormatDeclination(line.second.decDeg);
}

std::string MilkyWayText(const std::vector<PackageMilkyWayRing>& rings) {
  std::string text =
      "# The Milky Way's outline in brightness levels 1 (faintest) to 5, from d3-celestial's "
      "mw.json\n";
  char line[64];
  for (const PackageMilkyWayRing& ring : rings) {
    std::snprintf(line, sizeof line, "R %d\n", ring.level);
    text += line;
    for (const SkyPosition& p : ring.points) {
      std::snprintf(line, sizeof line, "%.3f %.3f\n", p.raDeg, p.decDeg);
      text += line;
    }
  }
  return text;
}

}  // namespace qv
