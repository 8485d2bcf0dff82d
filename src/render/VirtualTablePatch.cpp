#include "VirtualTablePatch.h"

#include <cstdio>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The protection of the mapping holding `address`, from /proc/self/maps.
// Virtual tables normally sit in read-only relocated data, but the page may
// hold writable data too; it gets back exactly what it had.
bool protectionOf(const void *address, int &protection) {
  std::FILE *maps = std::fopen("/proc/self/maps", "r");
  if (!maps) return false;
  const auto target = reinterpret_cast<std::uintptr_t>(address);
  bool found = false;
  unsigned long start = 0, end = 0;
  char permissions[8] = {0};
  char line[512];
  while (!found && std::fgets(line, sizeof line, maps)) {
    if (std::sscanf(line, "%lx-%lx %4s", &start, &end, permissions) != 3) continue;
    if (target < start || target >= end) continue;
    protection = (permissions[0] == 'r' ? PROT_READ : 0) | (permissions[1] == 'w' ? PROT_WRITE : 0) |
                 (permissions[2] == 'x' ? PROT_EXEC : 0);
    found = true;
  }
  std::fclose(maps);
  return found;
}

} // namespace

namespace VirtualTablePatch {

void *replace(void **table, std::ptrdiff_t slot, void *replacement) {
  void **entry = table + slot;
  int protection = 0;
  if (!protectionOf(entry, protection)) return nullptr;
  const auto pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
  void *page = reinterpret_cast<void *>(reinterpret_cast<std::uintptr_t>(entry) & ~(pageSize - 1));
  if (!(protection & PROT_WRITE) && ::mprotect(page, pageSize, protection | PROT_WRITE) != 0)
    return nullptr;
  void *previous = *entry;
  *entry = replacement;
  if (!(protection & PROT_WRITE)) ::mprotect(page, pageSize, protection);
  return previous;
}

} // namespace VirtualTablePatch
