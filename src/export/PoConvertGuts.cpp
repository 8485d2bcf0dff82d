#include "PoConvertGuts.h"

#include "PoSceneView.h"
#include "PoView.h"

PoConvertGuts::PoConvertGuts() {}

PoConvertGuts::~PoConvertGuts() { reset(); }

void PoConvertGuts::reset() {
  for (const auto &entry : m_entries) entry->sceneView->unref();
  m_entries.clear();
}

int PoConvertGuts::convertSoBaseKit(SoBaseKit *kit) {
  // Nothing in a plain view's own parts is converted.
  const SoType viewType = PoView::getClassTypeId();
  if (!viewType.isBad() && kit->isOfType(viewType)) return 0;
  SoType sceneViewType = PoSceneView::getClassTypeId();
  if (sceneViewType.isBad() || !kit->isOfType(sceneViewType)) return 1;
  recordSceneView(static_cast<PoSceneView *>(kit));
  return 0;
}

int PoConvertGuts::getSceneViewInfoNum() const { return static_cast<int>(m_entries.size()); }

PoConvertGuts::SceneViewInfo *PoConvertGuts::getSceneViewInfo(int index) const {
  if (index < 0 || index >= getSceneViewInfoNum()) return nullptr;
  return m_entries[static_cast<std::size_t>(index)].get();
}

int PoConvertGuts::findSceneView(const SoNode *node) const {
  for (std::size_t i = 0; i < m_entries.size(); ++i)
    if (m_entries[i]->sceneView == node) return static_cast<int>(i);
  return -1;
}

int PoConvertGuts::recordSceneView(PoSceneView *sceneView) {
  int index = findSceneView(sceneView);
  if (index >= 0) return index;
  sceneView->ref();
  m_entries.push_back(std::unique_ptr<SceneViewInfo>(new SceneViewInfo{sceneView, nullptr}));
  return getSceneViewInfoNum() - 1;
}
