#include "StackGuard.h"

#include <cstddef>
#include <pthread.h>

namespace {

// Room kept for Coin to give up: unwinding, and posting its read error.
constexpr std::size_t kStackReserve = std::size_t(4) << 20;

// The lowest address of the calling thread's stack, which grows down towards
// it; null when the system does not tell.
const char *currentStackEnd() {
  pthread_attr_t attributes;
  if (pthread_getattr_np(pthread_self(), &attributes) != 0) return nullptr;
  void *lowest = nullptr;
  std::size_t size = 0;
  const int status = pthread_attr_getstack(&attributes, &lowest, &size);
  pthread_attr_destroy(&attributes);
  return status == 0 ? static_cast<const char *>(lowest) : nullptr;
}

} // namespace

NestingGuardInput::NestingGuardInput() : m_stopBelow(nullptr), m_ranOut(false) {
  if (const char *end = currentStackEnd()) m_stopBelow = end + kStackReserve;
}

bool NestingGuardInput::roomLeft() {
  if (!m_ranOut && m_stopBelow &&
      static_cast<const char *>(__builtin_frame_address(0)) < m_stopBelow)
    m_ranOut = true;
  return !m_ranOut;
}

SbBool NestingGuardInput::read(SbName &name, SbBool validIdent) {
  return roomLeft() ? SoInput::read(name, validIdent) : FALSE;
}

SbBool NestingGuardInput::read(char &c) { return roomLeft() ? SoInput::read(c) : FALSE; }
