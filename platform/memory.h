// platform/memory.h - the machine's memory, for the object store's budget, and the heap's pages.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qv {

// PhysicalMemoryBytes: the installed physical memory in bytes; 0 when the system does not say.
int64_t PhysicalMemoryBytes();

// ReserveLargeHeapPages: lets the heap grow by reserveBytes at a time and advises the system's
// 2 MB pages for it, so that a short-lived program that allocates tens of megabytes (a database
// read in, a chart drawn) first touches a few large pages instead of thousands of 4 KB ones.
// Resident memory then grows in steps of 2 MB: for programs that run and end, not for the
// planetarium's window.
void ReserveLargeHeapPages(size_t reserveBytes);

}  // namespace qv
