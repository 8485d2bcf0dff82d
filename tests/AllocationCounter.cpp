#include "AllocationCounter.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<int> g_counting{0};
std::atomic<long> g_allocations{0};

void *allocate(std::size_t size) {
  if (g_counting.load(std::memory_order_relaxed)) g_allocations.fetch_add(1);
  if (size == 0) size = 1;
  return std::malloc(size);
}

void *allocateAligned(std::size_t size, std::align_val_t alignment) {
  if (g_counting.load(std::memory_order_relaxed)) g_allocations.fetch_add(1);
  void *p = nullptr;
  const std::size_t align = std::max(static_cast<std::size_t>(alignment), sizeof(void *));
  return posix_memalign(&p, align, size ? size : 1) == 0 ? p : nullptr;
}
} // namespace

AllocationCounter::AllocationCounter() {
  g_allocations = 0;
  g_counting = 1;
}

AllocationCounter::~AllocationCounter() { g_counting = 0; }

long AllocationCounter::count() const { return g_allocations.load(); }

void *operator new(std::size_t size) {
  if (void *p = allocate(size)) return p;
  throw std::bad_alloc();
}
void *operator new[](std::size_t size) {
  if (void *p = allocate(size)) return p;
  throw std::bad_alloc();
}
void *operator new(std::size_t size, const std::nothrow_t &) noexcept { return allocate(size); }
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept { return allocate(size); }
void *operator new(std::size_t size, std::align_val_t alignment) {
  if (void *p = allocateAligned(size, alignment)) return p;
  throw std::bad_alloc();
}
void *operator new[](std::size_t size, std::align_val_t alignment) {
  if (void *p = allocateAligned(size, alignment)) return p;
  throw std::bad_alloc();
}
void operator delete(void *p) noexcept { std::free(p); }
void operator delete[](void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }
void operator delete[](void *p, std::size_t) noexcept { std::free(p); }
void operator delete(void *p, const std::nothrow_t &) noexcept { std::free(p); }
void operator delete[](void *p, const std::nothrow_t &) noexcept { std::free(p); }
void operator delete(void *p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void *p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void *p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void *p, std::size_t, std::align_val_t) noexcept { std::free(p); }
