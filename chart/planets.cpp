// chart/planets.cpp - the planet pass (see planets.h): the list of bodies farthest first, their
// placement, the small bodies' dots and symbols, and the disks: flat with phase and grid, or
// rendered from surface maps, with Saturn's rings around them.
#include "chart/planets.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "astro/rotation.h"
#include "chart/drawing.h"
#include "chart/magnitudes.h"
#include "chart/pens.h"
#include "chart/planet_disk.h"
#include "chart/planet_sphere.h"
#include "chart/planet_view.h"
#include "chart/projection.h"
#include "chart/sky_link.h"
#include "chart/surface_maps.h"
#include "chart/symbols.h"
#include "objects/messages.h"
#include "objects/physical.h"
#include "objects/sky.h"
#include "objects/store.h"
#include "platform/alert.h"
#include "platform/files.h"
#include "platform/image_files.h"
#include "platform/result.h"

namespace qv {
namespace {

constexpr Color OtherBodyColor = MakeColor(192, 192, 192);
constexpr Color BodyColors[] = {
    OtherBodyColor,            // no kind 0
    MakeColor(255, 255, 0),    // Sun
    MakeColor(255, 199, 118),  // Mercury
    MakeColor(255, 255, 255),  // Venus
    MakeColor(164, 255, 255),  // Earth
    MakeColor(255, 103, 23),   // Mars
    MakeColor(255, 255, 182),  // Jupiter
    MakeColor(255, 255, 88),   // Saturn
    MakeColor(164, 255, 210),  // Uranus
    MakeColor(164, 210, 255),  // Neptune
    MakeColor(255, 185, 255),  // Pluto
};
constexpr int RenderedSunColorIndex = 62;  // B-V of the Sun, hundredths

struct ImageName {
  int kind;
  const char* name;
};
constexpr ImageName SurfaceImages[] = {
    {KindMercury, "Images/Mercury.jpg"},
    {KindVenus, "Images/Venus.jpg"},
    {KindEarth, "Images/Earth.jpg"},
    {KindMars, "Images/Mars.jpg"},
    {KindJupiter, "Images/Jupiter.jpg"},
    {KindSaturn, "Images/Saturn.jpg"},
    {KindUranus, "Images/Uranus.jpg"},
    {KindNeptune, "Images/Neptune.jpg"},
    {KindPluto, "Images/Pluto.jpg"},
    {KindMoon, "Images/Moon.jpg"},
    {KindPhobos, "Images/Phobos.jpg"},
    {KindDeimos, "Images/Deimos.jpg"},
    {KindIo, "Images/Io.jpg"},
    {KindEuropa, "Images/Europa.jpg"},
    {KindGanymede, "Images/Ganymede.jpg"},
    {KindCallisto, "Images/Callisto.jpg"},
    {KindMimas, "Images/Mimas.jpg"},
    {KindEnceladus, "Images/Enceladus.jpg"},
    {KindTethys, "Images/Tethys.jpg"},
    {KindDione, "Images/Dione.jpg"},
    {KindRhea, "Images/Rhea.jpg"},
    {KindTitan, "Images/Titan.jpg"},
    {KindIapetus, "Images/Iapetus.jpg"},
    {KindMiranda, "Images/Miranda.jpg"},
    {KindAriel, "Images/Ariel.jpg"},
    {KindUmbriel, "Images/Umbriel.jpg"},
    {KindTitania, "Images/Titania.jpg"},
    {KindOberon, "Images/Oberon.jpg"},
    {KindTriton, "Images/Triton.jpg"},
    {KindCharon, "Images/Charon.jpg"},
    {RingImageCode, "Images/Saturn-Rings.jpg"},
};

// The bodies of the store, farthest first, and what the list was built for.
struct BodyList {
  std::vector<ObjectId> ids;
  uint32_t bodyCount = 0;
  uint32_t generation = 0;
  bool built = false;
};

BodyList& Bodies() {
  static BodyList list;
  return list;
}

struct BodyDistance {
  ObjectId id;
  double distance;  // unknown distances sort as infinitely far
};

// Collects every solar-system body of the files that hold some, each brought up to date.
void CollectBodies(std::vector<BodyDistance>& out) {
  for (ObjectId fileId = FirstFile(); fileId != 0; fileId = NextFile(fileId)) {
    DatabaseFile* file = FileOfId(fileId);
    if (!file || file->summary.solarSystemCount <= 0) continue;
    if (EnsureLoaded(fileId) != ResultOk) continue;
    file = FileOfId(fileId);  // a failed read may have taken the file away
    if (!file || !file->table) continue;
    LockFile(fileId);  // moons bring their primaries up to date, which may read other files
    for (const std::unique_ptr<ObjectRecord>& record : *file->table) {
      if (!record || !IsSolarSystemKind(record->kind)) continue;
      UpdatePlace(*record);
      const double d = CurrentDistance(*record);
      out.push_back({record->id, std::isnan(d) ? std::numeric_limits<double>::infinity() : d});
    }
    UnlockFile(fileId);
  }
}

bool RebuildBodyList(BodyList& list, uint32_t bodyCount, uint32_t generation) {
  list.built = false;
  try {
    std::vector<BodyDistance> bodies;
    bodies.reserve(bodyCount);
    CollectBodies(bodies);
    std::stable_sort(
        bodies.begin(), bodies.end(),
        [](const BodyDistance& a, const BodyDistance& b) { return a.distance > b.distance; });
    list.ids.clear();
    list.ids.reserve(bodies.size());
    for (const BodyDistance& body : bodies) list.ids.push_back(body.id);
  } catch (const std::bad_alloc&) {
    list.ids.clear();
    return false;
  }
  list.bodyCount = bodyCount;
  list.generation = generation;
  list.built = true;
  return true;
}

// The surface map of a kind, decoded once and kept; empty (a grey globe) when there is none or it
// cannot be read.
struct LoadedMap {
  std::shared_ptr<const RgbPixels> pixels;
  SurfaceMap Map() const {
    if (!pixels || pixels->rgb.empty()) return {};
    return {pixels->width, pixels->height, pixels->rgb.data()};
  }
};

void LoadMap(int kind, LoadedMap& out) {
  const char* name = SurfaceImageName(kind);
  out.pixels = name ? DecodedSurfaceMap(PathBesideProgram(name)) : nullptr;
}

TexelTint TintOf(const ChartOptions& s) {
  if (s.ShowColors) return TintNatural;
  return s.RedScreen ? TintRed : TintGrey;
}

Color HalfIntensity(Color c) { return MakeColor(RedOf(c) / 2, GreenOf(c) / 2, BlueOf(c) / 2); }

// What one drawing of one body needs to know.
struct BodyDrawing {
  const ObjectRecord& record;
  const SkyPlace& place;
  int magnitude;
  Color color;        // the body's colour, or the foreground without colours
  Image* renderInto;  // the 32-bit chart image while rendering, else null
};

// Dots and symbols of bodies too small for a disk.
void DrawSmallBody(const BodyDrawing& b, const ChartOptions& s) {
  const int x = b.place.x, y = b.place.y;
  if (!s.ShowPlanetSymbols) {
    const int m = std::min(b.magnitude, static_cast<int>(s.FaintestStarMagnitude));
    if (b.renderInto && !SkyIsLight(s)) {  // a glow would fade into a light sky
      RenderStar(b.renderInto, x, y, m, b.color, false, CurrentStarScale());
    } else {
      DrawStarSymbol(x, y, StarRadius(CurrentStarScale(), m), MarkNone, s.ShowLargeStars);
    }
  } else if (const Icon* icon = LoadIcon(FirstSymbolIcon + b.record.kind)) {
    DrawIcon(icon, x - SymbolIconHalf, y - SymbolIconHalf);
  } else {
    DrawEllipse(x, y, x + 2, y + 2);
  }
}

// The Sun's glow, its saturated core as wide as its disk: the brightest-star limit is lifted for
// it, and a Sun brighter than the magnitude whose core reaches r pixels is drawn at that magnitude.
void RenderSun(const BodyDrawing& b, const ChartOptions& s) {
  StarSizeScale scale = CurrentStarScale();
  const double r = b.place.radius;
  const double coreMagnitude = scale.faintest - 250 * std::log10(4 * (7 * r * r + 1));
  const int limit = static_cast<int>(std::min(coreMagnitude, static_cast<double>(scale.brightest)));
  const int magnitude = b.magnitude < limit ? limit : b.magnitude;
  scale.brightest = -32767;
  RenderStar(b.renderInto, b.place.x, b.place.y, magnitude, b.color, s.SkyBackground == SkyWhite,
             scale);
}

PlanetView ViewOfBody(const BodyDrawing& b) {
  const ObjectRecord& record = b.record;
  const OrbitRecord& orbit = *OrbitOf(record);
  const SubObserverPoint sub = PhysicalEphemeris(CurrentSky(), record.kind, CachedPlace(record));
  GlobeOrientation globe;
  globe.centralLongitude = sub.longitude;
  globe.centralLatitude = sub.latitude;
  globe.poleAngle = sub.poleAngle;
  globe.longitudeWithRotation = LongitudeIncreasesWithRotation(record.kind);
  globe.phase = orbit.physical[PhysicalPhaseAngle];
  globe.brightLimbAngle = orbit.physical[PhysicalBrightLimb];
  const SkyOnScreen sky = SkyOnScreenAt(CurrentChartFrame(), CurrentDirectionVector(record));
  return MakePlanetView(record.kind, b.place.x, b.place.y, b.place.radius, sky, globe);
}

void DrawRingHalf(const BodyDrawing& b, const PlanetView& view, const SurfaceMap& profile,
                  RingHalf half, const ChartOptions& s) {
  if (b.renderInto) {
    RenderRings(b.renderInto, view, profile, half, TintOf(s));
  } else {
    SetPen(b.color, 1, false);
    DrawFlatRings(view, half);
  }
}

void DrawDisk(const BodyDrawing& b, const PlanetView& view, const ChartOptions& s) {
  if (!b.renderInto) {
    const Color foreground = ChartForegroundColor(s), background = ChartBackgroundColor(s);
    const DiskColors colors = s.ShowColors ? DiskColors{b.color, HalfIntensity(b.color), background}
                                           : DiskColors{background, foreground, foreground};
    DrawFlatDisk(view, colors);
  } else if (b.record.kind == KindSun) {
    RenderSun(b, s);
  } else {
    LoadedMap map;
    LoadMap(b.record.kind, map);
    RenderGlobe(b.renderInto, view, map.Map(), TintOf(s));
  }
}

void DrawBody(const BodyDrawing& b, const ChartOptions& s) {
  SetPen(b.color, 1, true);
  if (b.place.radius < SmallestDiskRadius && b.magnitude <= s.FaintestPlanetMagnitude) {
    DrawSmallBody(b, s);
    return;
  }
  const PlanetView view = ViewOfBody(b);
  const bool rings = b.record.kind == KindSaturn;
  LoadedMap profile;
  if (rings && b.renderInto) LoadMap(RingImageCode, profile);
  if (rings) DrawRingHalf(b, view, profile.Map(), RingsBehind, s);
  DrawDisk(b, view, s);
  SetChartPen(s, PenForeground, 1, false);
  if (s.ShowPlanetGrids) DrawPlanetGrid(view);
  if (rings) DrawRingHalf(b, view, profile.Map(), RingsInFront, s);
}

// The pixels a body covers: its disk, or the star dot drawn for it.
int BodyReach(const BodyDrawing& b, const ChartOptions& s) {
  if (b.place.radius >= SmallestDiskRadius || b.magnitude > s.FaintestPlanetMagnitude)
    return b.place.radius;
  const int m = std::min(b.magnitude, static_cast<int>(s.FaintestStarMagnitude));
  return b.renderInto && !SkyIsLight(s) ? RenderedStarReach(m, CurrentStarScale())
                                        : StarRadius(CurrentStarScale(), m);
}

void AddBodyLabel(const BodyDrawing& b, int reach, const ChartOptions& s, ChartLabels& labels) {
  if (b.magnitude > s.FaintestPlanetLabelMagnitude) return;
  AddObjectLabel(s, labels, DisplayName(b.record), b.place.x, b.place.y,
                 LabelOffset(b.record.kind, b.place.radius), reach,
                 s.ShowColors ? ChartColor(s, s.Colors[PlanetColor]) : b.color,
                 ObjectLabelRank(true, b.magnitude));
}

void DrawBodyOfId(ObjectId id, const ChartOptions& s, Image* renderInto, ChartLabels& labels) {
  ObjectRecord* record = ObjectOfId(id);
  if (!record || !IsSolarSystemKind(record->kind)) return;  // gone since the list was made
  if (DatabaseFile* file = FileOfId(id)) file->lastUsed = Store().redrawCounter;
  LockFile(FileIdOf(id));
  UpdatePlace(*record);
  const SkyPlace place = PlaceSkyObject(s, *record);
  if (place.visible) {
    const bool rendered = renderInto != nullptr;
    const BodyDrawing b{
        *record, place, CurrentMagnitude(*record),
        s.ShowColors ? ChartColor(s, BodyColor(record->kind, rendered)) : ChartForegroundColor(s),
        renderInto};
    DrawBody(b, s);
    const int reach = BodyReach(b, s);
    AddLabelDisk(labels, b.place.x, b.place.y, reach);
    if (s.ShowObjectLabels) AddBodyLabel(b, reach, s, labels);
  }
  UnlockFile(FileIdOf(id));
}

}  // namespace

Color BodyColor(int kind, bool rendered) {
  if (kind == KindSun && rendered) return StarColorFromIndex(RenderedSunColorIndex);
  if (kind >= 1 && kind < static_cast<int>(std::size(BodyColors))) return BodyColors[kind];
  return OtherBodyColor;
}

const char* SurfaceImageName(int kind) {
  for (const ImageName& image : SurfaceImages) {
    if (image.kind == kind) return image.name;
  }
  return nullptr;
}

SkyPlace PlaceSolarSystemBody(const ChartOptions& s, const ObjectRecord& record) {
  const OrbitRecord* orbit = OrbitOf(record);
  if (!orbit || !s.ShowPlanets) return SkyPlace{};
  const double distance = orbit->currentDistance;
  // The body the observer stands on (or is inside) is the ground, not something in the sky.
  if (std::isfinite(distance) && distance <= orbit->radius * StandingReach) return SkyPlace{};
  // A magnification that is not a positive number shows the bodies without size.
  const double magnification = s.PlanetMagnification > 0 ? s.PlanetMagnification : 0;
  const double reach = orbit->radius * magnification;
  // Nearer than its magnified radius or at an unknown distance, a body is a point.
  const bool disk = std::isfinite(distance) && distance > reach && reach > 0;
  SkyPlace place = PlaceDiscOrPoint(RecordDirection(record), disk ? reach / distance : 0);
  if (place.radius == 0 && CurrentMagnitude(record) > s.FaintestPlanetMagnitude)
    place.visible = false;
  return place;
}

void DrawPlanets(const ChartOptions& s, ChartLabels& labels) {
  BodyList& list = Bodies();
  const uint32_t bodyCount = TotalSolarSystemCount();
  const uint32_t generation = PlanetGeneration();
  if (!list.built || list.bodyCount != bodyCount || list.generation != generation) {
    if (!RebuildBodyList(list, bodyCount, generation)) {
      Stop(ButtonsOk, MessageNoMemory);
      return;
    }
  }
  Image* image = CurrentChartImage();
  const bool render =
      s.ShowRenderedObjects && image && ImageDepth(image) == 32 && ImageRow(image, 0);
  for (const ObjectId id : list.ids) DrawBodyOfId(id, s, render ? image : nullptr, labels);
  SetChartPen(s, PenForeground, 1, false);
}

}  // namespace qv
