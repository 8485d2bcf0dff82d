#include "QuietVRMLGroups.h"

#include <Inventor/SoType.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>
#include <Inventor/VRMLnodes/SoVRMLLOD.h>
#include <Inventor/VRMLnodes/SoVRMLSwitch.h>
#include <Inventor/VRMLnodes/SoVRMLTransform.h>

#include <mutex>

namespace {

thread_local QuietVRMLGroups *t_active = nullptr;

std::once_flag g_installed;

// The grouping types Coin's conversion makes, and the factories Coin had for
// them before ours went in.
constexpr int kTypes = 4;
SoType::instantiationMethod g_coinFactory[kTypes];

SoType groupingType(int index) {
  switch (index) {
  case 0: return SoVRMLGroup::getClassTypeId();
  case 1: return SoVRMLTransform::getClassTypeId();
  case 2: return SoVRMLSwitch::getClassTypeId();
  default: return SoVRMLLOD::getClassTypeId();
  }
}

template <int Index> void *makeGrouping() {
  void *made = g_coinFactory[Index] ? g_coinFactory[Index]() : nullptr;
  if (made && t_active) t_active->note(static_cast<SoNode *>(made));
  return made;
}

SoType::instantiationMethod ourFactory(int index) {
  switch (index) {
  case 0: return &makeGrouping<0>;
  case 1: return &makeGrouping<1>;
  case 2: return &makeGrouping<2>;
  default: return &makeGrouping<3>;
  }
}

// Installed once and for good, like the library's other methods in Coin's
// tables: swapping factories for each conversion would race with conversions
// on other threads. Ours hand every call to Coin's.
void install() {
  for (int i = 0; i < kTypes; ++i) {
    const SoType type = groupingType(i);
    g_coinFactory[i] = type.getInstantiationMethod();
    if (g_coinFactory[i]) SoType::overrideType(type, ourFactory(i));
  }
}

} // namespace

QuietVRMLGroups::QuietVRMLGroups() : m_enclosing(t_active) {
  std::call_once(g_installed, install);
  t_active = this;
}

QuietVRMLGroups::~QuietVRMLGroups() {
  t_active = m_enclosing;
  for (SoNode *node : m_made) {
    node->enableNotify(TRUE);
    node->unref();
  }
}

// The reference keeps a node Coin drops during the conversion alive until
// its notification is back on, so that no pointer here outlives its node.
void QuietVRMLGroups::note(SoNode *made) {
  made->ref();
  made->enableNotify(FALSE);
  m_made.push_back(made);
}
