// What the library sets up while it is loaded, in the order it happens. The
// objects are defined in this one file so that C++ constructs them in the order
// written here and destroys them in the reverse order at unload: the class
// mutexes go as PoView's, PoSceneView's, then PoBaseView's. Nothing here
// touches Coin's type system; the classes register only in initClasses().

#include "PoBaseView.h"
#include "PoSceneView.h"
#include "PoToVRML2Action.h"
#include "PoToX3DAction.h"
#include "PoView.h"
#include "SoModifyViewVolumeElement.h"
#include "SoModule.h"

#include <new>

namespace {

#if defined(__clang__)
#define BRENNICQT_COMPILER "clang " __clang_version__
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
ClassMutex PoBaseView::classMutex(0);
SoType PoBaseView::classTypeId;
ClassMutex PoSceneView::classMutex(0);
SoType PoSceneView::classTypeId;
ClassMutex PoView::classMutex(0);
SoType PoView::classTypeId;
SoType PoToVRML2Action::classTypeId;
SoType PoToX3DAction::classTypeId;

SoFieldData *PoBaseView::fieldData = nullptr;
const SoFieldData **PoBaseView::parentFieldData = nullptr;
int PoBaseView::firstInstance = 1;
int PoBaseView::isBuiltIn = 0;
int PoBaseView::MT_Id = 0;
SoNodekitCatalog *PoBaseView::nodekitCatalog = nullptr;
const SoNodekitCatalog **PoBaseView::parentNodekitCatalogPtr = nullptr;

SoFieldData *PoSceneView::fieldData = nullptr;
const SoFieldData **PoSceneView::parentFieldData = nullptr;
int PoSceneView::firstInstance = 1;
int PoSceneView::isBuiltIn = 0;
int PoSceneView::MT_Id = 0;
SoNodekitCatalog *PoSceneView::nodekitCatalog = nullptr;
const SoNodekitCatalog **PoSceneView::parentNodekitCatalogPtr = nullptr;

SoFieldData *PoView::fieldData = nullptr;
const SoFieldData **PoView::parentFieldData = nullptr;
int PoView::firstInstance = 1;
int PoView::isBuiltIn = 0;
int PoView::MT_Id = 0;
SoNodekitCatalog *PoView::nodekitCatalog = nullptr;
const SoNodekitCatalog **PoView::parentNodekitCatalogPtr = nullptr;

SoEnabledElementsList *PoToVRML2Action::enabledElements = nullptr;
SoActionMethodList *PoToVRML2Action::methods = nullptr;
int PoToVRML2Action::classTypeIdIsSet = 0;

SoEnabledElementsList *PoToX3DAction::enabledElements = nullptr;
SoActionMethodList *PoToX3DAction::methods = nullptr;
int PoToX3DAction::classTypeIdIsSet = 0;
