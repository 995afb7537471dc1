// chart/trails.h - the trail list: up to 255 trails of object positions recorded during animation,
// kept in numbered slots 1-255 (slot 0 is never used) and visited in slot order. Settings files
// save and restore them (settings/settings_file.h).
#pragma once

#include <cstdint>
#include <vector>

#include "astro/kinds.h"

namespace qv {

constexpr int TrailSlotCount = 256;

enum TrailType : int32_t {
  TrailInSpace = 1,               // physical positions in space
  TrailInSky = 2,                 // apparent directions against the fixed stars
  TrailInCurrentCoordinates = 3,  // apparent directions in the chart's coordinate system
};

struct TrailPoint {
  float x = 0, y = 0, z = 0;
  float time = 0;  // Julian date (dynamical time) - 2451545.0
};

struct Trail {
  ObjectId Object = 0;
  int32_t Type = TrailInSky;
  int32_t TicksInterval = 0;  // a tick every that many positions; 0 = none
  int32_t DatesInterval = 0;  // a date label every that many positions; 0 = none
  int32_t Capacity = 0;       // the most positions kept
  // The recorded positions, newest first; never more than Capacity. Grows as points are
  // recorded, so a large capacity costs nothing until it is used.
  std::vector<TrailPoint> Points;
};

// CreateTrail: a new trail in the lowest free slot, replacing any trail of the same object.
// Returns the slot, or 0 when capacity < 1 or no slot is free (the object's old trail, if any,
// is deleted all the same).
int CreateTrail(ObjectId object, int32_t type, int32_t capacity, int32_t ticksInterval,
                int32_t datesInterval);

void DeleteTrail(int slot);  // a slot without a trail, or outside 1-255, is left alone
void DeleteAllTrails();
void ResetAllTrails();           // forgets every recorded position, keeps the trails
int FindTrail(ObjectId object);  // the slot of the object's trail, or 0
int FirstTrail();                // the first slot holding a trail, or 0
int NextTrail(int slot);         // the next slot after slot holding a trail, or 0
int TrailCount();

// GetTrail: the trail in that slot, or nullptr. Valid until the slot is deleted.
Trail* GetTrail(int slot);

}  // namespace qv
