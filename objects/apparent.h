// objects/apparent.h - an object's place as the chart, the info window and the ephemeris read
// it: its current values for a sky context (cached in the record for the current sky), carried
// from the J2000 equator into the equator of the chart's equinox, the chart's coordinate system
// (refracted on horizon charts) and the instants of rising and setting, refined with the object's
// motion. Radians, Julian dates (UT for instants).
#pragma once

#include "astro/riseset.h"
#include "astro/satellite_pass.h"
#include "astro/skycontext.h"
#include "objects/records.h"

namespace qv {

// PlaceAt: the current values of a star, deep-sky object or solar-system body for any context,
// computed without reading a record's cache or writing any record; other kinds give their
// cached values.
ApparentPlace PlaceAt(const ObjectRecord& object, const SkyContext& sky);

// RecomputeObject: the object's current values for the current sky, stored and stamped;
// EnsureCurrent does it only when the record's stamp is stale.
void RecomputeObject(ObjectRecord& object);
void EnsureCurrent(ObjectRecord& object);

struct ChartPlace {
  double ra = 0, dec = 0;   // of the chart's equinox
  double lon = 0, lat = 0;  // in the chart's coordinate system, refracted on horizon charts
  RiseSet rise, set;
  SatellitePass pass;  // an Earth satellite's next pass, when rise and set come from it
};

// ChartPlaceOf: a J2000 apparent direction in a coordinate system of the context, with the
// rising and setting of that direction on the context's local day.
ChartPlace ChartPlaceOf(const SkyContext& sky, const Vector3& direction, int coordinateSystem);

// ApparentChartPosition: the object's place for the current sky, brought up to date first.
ChartPlace ApparentChartPosition(ObjectRecord& object, int coordinateSystem);

// RefineRiseSetTime: when the context's PreciseRiseSetTimes is on, the event of the context's
// local day from the object's motion: found from its place at local noon, then again from its
// place at the time found, on the same day, until the time settles within RiseSetTolerance or
// RiseSetMaxEvaluations evaluations are made. A time that settles outside the day: no such event
// that day (missed). Where a place has no event at all, the object's altitude at the day's two
// ends decides: up at both (2 pi), down at both (0), else the crossing found by halving the day
// (or missed for the other event). No record and no other context changes. Returns the number
// of evaluations made.
int RefineRiseSetTime(const ObjectRecord& object, const SkyContext& sky, int event,
                      RiseSet& result);

// SatellitePassOf: an Earth satellite's next pass over the context's Earth site from the
// context's time (NextSatellitePass with the context's settings); PassNoOrbit for a record
// without elements.
SatellitePass SatellitePassOf(const ObjectRecord& satellite, const SkyContext& sky);

// EventAtInstant: an event that happens at a UT instant, its time of day on the context's local
// clock (of the day it falls on).
RiseSet EventAtInstant(const SkyContext& sky, double instant);

// PassRiseSet: the pass as rising and setting times of day on the context's local clock (a pass
// may fall on the next day): a found pass rises (missed when up for the whole day before) and
// sets; no pass reads as never rising, one always up as never setting.
void PassRiseSet(const SkyContext& sky, const SatellitePass& pass, RiseSet& rise, RiseSet& set);

}  // namespace qv
