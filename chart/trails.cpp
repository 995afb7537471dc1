// chart/trails.cpp - the trail list's slots.
#include "chart/trails.h"

#include <array>
#include <memory>

namespace qv {
namespace {

struct TrailList {
  std::array<std::unique_ptr<Trail>, TrailSlotCount> slots;  // slot 0 stays empty
  int count = 0;
};

TrailList& List() {
  static TrailList list;
  return list;
}

bool IsSlot(int slot) { return slot >= 1 && slot < TrailSlotCount; }

}  // namespace

int CreateTrail(ObjectId object, int32_t type, int32_t capacity, int32_t ticksInterval,
                int32_t datesInterval) {
  DeleteTrail(FindTrail(object));
  if (capacity < 1) return 0;
  TrailList& list = List();
  for (int slot = 1; slot < TrailSlotCount; ++slot) {
    if (list.slots[slot]) continue;
    list.slots[slot] =
        std::make_unique<Trail>(Trail{object, type, ticksInterval, datesInterval, capacity, {}});
    ++list.count;
    return slot;
  }
  return 0;
}

void DeleteTrail(int slot) {
  if (!IsSlot(slot) || !List().slots[slot]) return;
  List().slots[slot].reset();
  --List().count;
}

void DeleteAllTrails() {
  for (int slot = 1; slot < TrailSlotCount; ++slot) DeleteTrail(slot);
}

void ResetAllTrails() {
  for (int slot = FirstTrail(); slot != 0; slot = NextTrail(slot)) GetTrail(slot)->Points.clear();
}

int FindTrail(ObjectId object) {
  for (int slot = FirstTrail(); slot != 0; slot = NextTrail(slot)) {
    if (GetTrail(slot)->Object == object) return slot;
  }
  return 0;
}

int FirstTrail() { return NextTrail(0); }

int NextTrail(int slot) {
  for (int next = slot < 0 ? 1 : slot + 1; next < TrailSlotCount; ++next) {
    if (List().slots[next]) return next;
  }
  return 0;
}

int TrailCount() { return List().count; }

Trail* GetTrail(int slot) { return IsSlot(slot) ? List().slots[slot].get() : nullptr; }

}  // namespace qv
