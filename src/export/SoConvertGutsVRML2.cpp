#include "SoConvertGutsVRML2.h"

#include "QuietVRMLGroups.h"

#include <Inventor/actions/SoCallbackAction.h>
#include <Inventor/actions/SoToVRML2Action.h>
#include <Inventor/nodekits/SoBaseKit.h>
#include <Inventor/nodes/SoNode.h>

#include <mutex>

namespace {

// The conversion running on this thread, if any: the route is open only to it.
thread_local SoConvertGutsVRML2 *t_running = nullptr;

std::once_flag g_kitsRouted;

// Restores the running converter of an enclosing conversion on every way out.
class RunningConversion {
public:
  explicit RunningConversion(SoConvertGutsVRML2 *guts) : m_previous(t_running) { t_running = guts; }
  ~RunningConversion() { t_running = m_previous; }

private:
  SoConvertGutsVRML2 *m_previous;
};

} // namespace

SoConvertGutsVRML2::SoConvertGutsVRML2()
    : m_reuseAppearanceNodes(0), m_reuseGeometryPropertyNodes(0), m_reuseGeometryNodes(0),
      m_convertInlineNodes(1), m_conditionalConversion(0), m_expandTextureNodes(0),
      m_engine(nullptr), m_action(nullptr) {
  routeKits();
}

SoConvertGutsVRML2::~SoConvertGutsVRML2() { delete m_action; }

void SoConvertGutsVRML2::routeKits() {
  std::call_once(g_kitsRouted, [] {
    SoCallbackAction::addMethod(SoBaseKit::getClassTypeId(), &SoConvertGutsVRML2::routedKitMethod);
  });
}

void SoConvertGutsVRML2::routedKitMethod(SoAction *action, SoNode *node) {
  // Only a callback traversal on a converting thread is offered to the
  // converter; anything else traverses the kit as Coin would.
  if (t_running && action->isOfType(SoCallbackAction::getClassTypeId()) &&
      node->isOfType(SoBaseKit::getClassTypeId())) {
    SoConvertGutsVRML2 *guts = t_running;
    // A stand-in traversed from here must not be offered again.
    RunningConversion closed(nullptr);
    if (guts->convertSoBaseKit(static_cast<SoBaseKit *>(node),
                               static_cast<SoCallbackAction *>(action)))
      return;
  }
  SoNode::callbackS(action, node);
}

int SoConvertGutsVRML2::convertSoBaseKit(SoBaseKit *, SoCallbackAction *) { return 0; }

void SoConvertGutsVRML2::finishConversion(SoVRMLGroup *) {}

SoVRMLGroup *SoConvertGutsVRML2::convertTovrinToVRML2(SoNode *root) {
  SoToVRML2Action *action = m_engine;
  if (!action) {
    delete m_action;
    m_action = new SoToVRML2Action;
    action = m_action;
  }
  action->reuseAppearanceNodes(m_reuseAppearanceNodes != 0);
  action->reusePropertyNodes(m_reuseGeometryPropertyNodes != 0);
  action->reuseGeometryNodes(m_reuseGeometryNodes != 0);
  action->convertInlineNodes(m_convertInlineNodes != 0);
  action->conditionalConversion(m_conditionalConversion != 0);
  action->expandTexture2Node(m_expandTextureNodes != 0);
  if (!root) return nullptr;
  {
    RunningConversion running(this);
    const QuietVRMLGroups quiet;
    // Coin's conversion itself, also when the engine is an action that
    // overrides apply.
    action->SoToVRML2Action::apply(root);
  }
  SoVRMLGroup *result = action->SoToVRML2Action::getVRML2SceneGraph();
  finishConversion(result);
  return result;
}
