// platform/memory.cpp - the installed memory from the system's page counts.
#include "platform/memory.h"

#include <unistd.h>

namespace qv {

int64_t PhysicalMemoryBytes() {
  const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGE_SIZE);
  return pages > 0 && pageSize > 0 ? int64_t{pages} * pageSize : 0;
}

}  // namespace qv
