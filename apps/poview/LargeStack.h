#ifndef POVIEW_LARGESTACK_H
#define POVIEW_LARGESTACK_H

#include <cstddef>
#include <functional>

// Runs `work` on a thread of its own whose stack has `stackBytes` and waits
// for it; answers what `work` answers and rethrows what it throws. Coin reads,
// traverses and destroys a scene graph recursively, one call chain per level
// of nesting, so the whole command runs there, not only the read. The memory
// is reserved, not used: pages are only touched as deep as a scene goes.
int runOnLargeStack(std::size_t stackBytes, const std::function<int()> &work);

// The lowest address of the calling thread's stack, which grows down towards
// it; null when the system does not tell.
const char *currentStackEnd();

#endif
