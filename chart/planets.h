// chart/planets.h - the planet and moon pass of the chart drawing: the Sun, the Moon, the
// planets and their moons, comets, asteroids, spacecraft and Earth satellites of the store, drawn
// farthest first as dots, symbols, phased disks or rendered globes, with Saturn's rings.
#pragma once

#include "chart/sky_objects.h"
#include "objects/records.h"
#include "platform/draw.h"

namespace qv {

// Bodies whose disk would be smaller than this many pixels in radius are dots or symbols.
constexpr int SmallestDiskRadius = 3;
// Symbol icons are numbered this plus the body's kind (kinds 1-15); 32 x 32 pixels.
constexpr int FirstSymbolIcon = 300;
constexpr int SymbolIconHalf = 16;

// DrawPlanets: called after the stars and deep-sky objects when ShowPlanets is on. Every
// solar-system body of the store, farthest from the viewer first, is placed and drawn; its disk
// and label go into `labels`.
// The list of bodies is rebuilt when the store's count of them or the planet generation changed;
// when it cannot be made, message 256 and nothing is drawn.
void DrawPlanets(const ChartOptions& options, ChartLabels& labels);

// A body no farther from the observer than its radius times this is the one the observer stands
// on: Earth's flattening (0.34%) and the highest sites (0.14%) stay well inside the margin.
constexpr double StandingReach = 1.01;

// PlaceSolarSystemBody: the planet branch of PlaceSkyObject. The body the observer stands on
// (within StandingReach of its radius, or at distance 0) is not placed. A body farther than its
// radius times PlanetMagnification is a disk (its pixel radius from the projection); nearer, or
// at an unknown distance, it is a point. A body of radius 0 pixels is placed only when its
// magnitude is within FaintestPlanetMagnitude. Not visible without ShowPlanets or off the chart.
SkyPlace PlaceSolarSystemBody(const ChartOptions& options, const ObjectRecord& record);

// BodyColor: the colour of a body's flat disk, dot or symbol by kind; the Sun takes the colour of
// B-V 0.62 when rendered.
Color BodyColor(int kind, bool rendered);

// SurfaceImageName: the surface map of a kind, relative to the program's folder
// ("Images/Jupiter.jpg"), or null for kinds without one. RingImageCode names the ring profile.
constexpr int RingImageCode = 999;
const char* SurfaceImageName(int kind);

}  // namespace qv
