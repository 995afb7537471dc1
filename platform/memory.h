// platform/memory.h - the machine's memory, for the object store's budget.
#pragma once

#include <cstdint>

namespace qv {

// PhysicalMemoryBytes: the installed physical memory in bytes; 0 when the system does not say.
int64_t PhysicalMemoryBytes();

}  // namespace qv
