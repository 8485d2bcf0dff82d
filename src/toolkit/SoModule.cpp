#include "SoModule.h"

namespace {
// A fixed table rather than a container: records are made while the library
// loads, before any other static object of ours can be relied on.
constexpr std::size_t kMaxModules = 16;
const SoModule *g_modules[kMaxModules];
std::size_t g_numModules = 0;
} // namespace

SoModule::SoModule(const char *fileName, const char *version,
                   const char *buildDescription, bool flag)
    : m_fileName(fileName), m_version(version),
      m_buildDescription(buildDescription), m_flag(flag) {
  if (g_numModules < kMaxModules) g_modules[g_numModules++] = this;
}

std::size_t SoModule::getNumModules() { return g_numModules; }

const SoModule *SoModule::getModule(std::size_t index) {
  return index < g_numModules ? g_modules[index] : nullptr;
}
