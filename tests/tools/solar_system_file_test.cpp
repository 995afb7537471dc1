// The default database's solar-system file (resources/catalog/SolarSystem.txt): every body the
// program has a kind for is there once, each moon after the body it orbits (the importer finds a
// parent by name, so a parent listed later would drop the moon), and the numbers parse.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace qv {
namespace {

struct OrbitLine {
  int kind = 0;
  std::vector<std::string> fields;
};

std::vector<OrbitLine> ReadOrbitLines() {
  std::vector<OrbitLine> lines;
  std::ifstream in(std::string(QV_SOURCE_DIR) + "/resources/catalog/SolarSystem.txt");
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] != 'P') continue;
    OrbitLine orbit;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
      orbit.fields.push_back(line.substr(start, tab - start));
    }
    orbit.fields.push_back(line.substr(start));
    orbit.kind = std::atoi(orbit.fields[0].c_str() + 1);
    lines.push_back(orbit);
  }
  return lines;
}

bool IsNumber(const std::string& text) {
  char* end = nullptr;
  std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0';
}

TEST(SolarSystemFile, HoldsEveryBodyOnceWithParentsFirst) {
  const std::vector<OrbitLine> lines = ReadOrbitLines();
  ASSERT_EQ(lines.size(), 50u);
  std::map<int, int> kinds;
  std::set<std::string> names;
  for (const OrbitLine& line : lines) {
    SCOPED_TRACE(line.fields[0] + " " + (line.fields.size() > 12 ? line.fields[12] : ""));
    ASSERT_GE(line.fields.size(), 13u);
    ++kinds[line.kind];
    for (int field = 1; field <= 7; ++field) EXPECT_TRUE(IsNumber(line.fields[field])) << field;
    EXPECT_TRUE(IsNumber(line.fields[10]));  // radius, km
    EXPECT_TRUE(IsNumber(line.fields[11]));  // mass, Earth masses
    if (line.fields.size() > 13 && !line.fields[13].empty()) {
      EXPECT_TRUE(names.count(line.fields[13])) << "parent listed after its moon";
    }
    EXPECT_TRUE(names.insert(line.fields[12]).second) << "name used twice";
  }
  for (int kind = 1; kind <= 10; ++kind) EXPECT_EQ(kinds[kind], 1) << kind;
  for (int kind = 15; kind <= 38; ++kind) EXPECT_EQ(kinds[kind], 1) << kind;
  EXPECT_EQ(kinds[11], 6);   // periodic comets
  EXPECT_EQ(kinds[12], 10);  // bright asteroids
  for (const char* body : {"Sun", "Moon", "Mercury", "Venus", "Earth", "Mars", "Jupiter", "Saturn",
                           "Uranus", "Neptune", "Pluto"}) {
    EXPECT_TRUE(names.count(body)) << body;  // the View > Center Planet items
  }
}

TEST(SolarSystemFile, TheMoonOrbitsTheEarthAndMoonsTheirPlanets) {
  std::map<std::string, std::string> parents;
  for (const OrbitLine& line : ReadOrbitLines()) {
    if (line.fields.size() > 13) parents[line.fields[12]] = line.fields[13];
  }
  EXPECT_EQ(parents["Moon"], "Earth");
  EXPECT_EQ(parents["Phobos"], "Mars");
  EXPECT_EQ(parents["Callisto"], "Jupiter");
  EXPECT_EQ(parents["Titan"], "Saturn");
  EXPECT_EQ(parents["Oberon"], "Uranus");
  EXPECT_EQ(parents["Nereid"], "Neptune");
  EXPECT_EQ(parents["Charon"], "Pluto");
  EXPECT_EQ(parents.count("Ceres"), 0u);  // asteroids orbit the Sun: no parent field
}

}  // namespace
}  // namespace qv
