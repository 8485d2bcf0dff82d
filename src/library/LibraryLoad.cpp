// What the library sets up while it is loaded, in the order it happens. The
// objects are defined in this one file so that C++ constructs them in the order
// written here and destroys them in the reverse order at unload: the class
// mutexes go as PoView's, PoSceneView's, then PoBaseView's. Nothing here
// touches Coin's type system; the classes register only in initClasses().

#include "ActionClass.h"
#include "PoBaseView.h"
#include "PoSceneView.h"
#include "PoToVRML2Action.h"
#include "PoToX3DAction.h"
#include "PoView.h"
#include "SoModifyViewVolumeElement.h"
#include "SoModule.h"
#include "ViewKitClass.h"

#include <new>

namespace {

#if defined(__clang__)
#define BRENNICQT_COMPILER __VERSION__ // "Debian Clang 14.0.6", say
#elif defined(__GNUC__)
#define BRENNICQT_COMPILER "GNU C++ " __VERSION__
#else
#define BRENNICQT_COMPILER "an unknown C++ compiler"
#endif

class BrennicQtModule : public SoModule {
public:
  BrennicQtModule()
      : SoModule("BrennicQtD.dll", "8.0.0", "BrennicQt built with " BRENNICQT_COMPILER, true) {}
};

// The record lives as long as the library and is never destroyed, so it is
// built in place in static storage rather than as a static object.
alignas(BrennicQtModule) unsigned char g_moduleStorage[sizeof(BrennicQtModule)];
const SoModule *const g_module = new (g_moduleStorage) BrennicQtModule;

} // namespace

ClassMutex::DestroyHook ClassMutex::s_destroyHook = nullptr;

SbVec4f PoBaseView::m_vvPortion = SoModifyViewVolumeElement::getDefault();
SbVec2s PoBaseView::m_currentLogicalViewportSize(1, 1);
PO_VIEW_KIT_CLASS_DATA(PoBaseView);
PO_VIEW_KIT_CLASS_DATA(PoSceneView);
PO_VIEW_KIT_CLASS_DATA(PoView);
PO_ACTION_CLASS_DATA(PoToVRML2Action);
PO_ACTION_CLASS_DATA(PoToX3DAction);
