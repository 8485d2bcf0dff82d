#ifndef BRENNICQT_TESTS_TESTVIEWKIT_H
#define BRENNICQT_TESTS_TESTVIEWKIT_H

#include "PoBaseView.h"

#include <Inventor/nodekits/SoSubKit.h>

// PoBaseView is abstract; this is the smallest concrete kit on top of it,
// written the way an application would derive its own view with Coin's macros.
class TestViewKit : public PoBaseView {
  SO_KIT_HEADER(TestViewKit);

public:
  static void initClass();
  static void exitClass();
  TestViewKit();

  using PoBaseView::setDefaultOnNonWritingFields;

protected:
  ~TestViewKit() override;
};

// Registers all module classes afresh when a test that unregistered or
// re-registered some of them ends: a subclass type registered under a removed
// PoBaseView type would keep a stale parent. Declare it first in the test, so
// that it runs after every other clean-up.
struct ModuleClassesReset {
  ModuleClassesReset() = default;
  ModuleClassesReset(const ModuleClassesReset &) = delete;
  ModuleClassesReset &operator=(const ModuleClassesReset &) = delete;
  ~ModuleClassesReset();
};

// Reaches the class-wide data of PoBaseView for checks.
class PoBaseViewTestAccess {
public:
  static SbVec4f vvPortion() { return PoBaseView::m_vvPortion; }
  static SbVec2s logicalViewportSize() { return PoBaseView::m_currentLogicalViewportSize; }
  static int firstInstance() { return PoBaseView::firstInstance; }
  static const SoFieldData *fieldData() { return PoBaseView::fieldData; }
  static const SoFieldData **parentFieldData() { return PoBaseView::parentFieldData; }
  static int mtId() { return PoBaseView::MT_Id; }
  static int classMutexFlag() { return PoBaseView::classMutex.getFlag(); }
};

#endif
