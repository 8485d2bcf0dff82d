#include "PoBase.h"

#include <atomic>

namespace {
// Read by core-library nodes on whatever thread traverses them.
std::atomic<int> g_rebuildBlocked{0};
} // namespace

void PoBase::blockRebuild(int flag) { g_rebuildBlocked.store(flag); }

int PoBase::isRebuildBlocked() { return g_rebuildBlocked.load(); }
