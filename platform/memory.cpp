// platform/memory.cpp - the installed memory from the system's page counts.
#include "platform/memory.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace qv {

int64_t PhysicalMemoryBytes() {
  const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGE_SIZE);
  return pages > 0 && pageSize > 0 ? int64_t{pages} * pageSize : 0;
}

void ReserveLargeHeapPages(size_t reserveBytes) {
  constexpr uintptr_t LargePage = uintptr_t{2} << 20;
  constexpr uintptr_t HeaderBytes = 64;  // more than malloc writes before and after a block
  mallopt(M_TOP_PAD, static_cast<int>(reserveBytes));
  mallopt(M_MMAP_THRESHOLD, static_cast<int>(reserveBytes / 2));  // large blocks from the heap too
  // A block larger than what is left on top makes the heap grow by it and the reserve; freed,
  // it goes back to the top, where the reserve is kept. malloc marked the byte past it, so the
  // large pages start at the boundary after that: a page touched before the advice is mapped
  // in small pages after all.
  void* grow = std::malloc(LargePage);
  if (!grow) return;
  const auto start = reinterpret_cast<uintptr_t>(grow);
  std::free(grow);
  const uintptr_t boundary = (start + LargePage + HeaderBytes + LargePage - 1) & ~(LargePage - 1);
  // The heap below the boundary is set aside, never touched and never freed, so that what
  // comes next is allocated in large pages.
  const size_t belowBytes = boundary - start - HeaderBytes;
  void* below = std::malloc(belowBytes);
  if (!below) return;
  const uintptr_t from = reinterpret_cast<uintptr_t>(below) + belowBytes + HeaderBytes;
  const uintptr_t end = reinterpret_cast<uintptr_t>(sbrk(0)) & ~(LargePage - 1);
  const uintptr_t first = (from + LargePage - 1) & ~(LargePage - 1);
  if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

}  // namespace qv
