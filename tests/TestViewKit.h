#ifndef BRENNICQT_TESTS_TESTVIEWKIT_H
#define BRENNICQT_TESTS_TESTVIEWKIT_H

#include "PoBaseView.h"

#include <Inventor/fields/SoFieldData.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>
#include <Inventor/nodekits/SoSubKit.h>
#include <gtest/gtest.h>

// Undoes what Coin's SO_KIT_INIT_CLASS and first construction set up for a
// test kit class, so the next initClass and construction build it afresh.
// Coin counts instances to find the first one, so the count goes back too.
inline void releaseTestKitClass(SoType &classTypeId, SoFieldData *&fieldData,
                                const SoFieldData **&parentFieldData,
                                SoNodekitCatalog *&catalog, unsigned int &instances) {
  SoType::removeType(classTypeId.getName());
  classTypeId = SoType::badType();
  delete fieldData;
  fieldData = nullptr;
  parentFieldData = nullptr;
  delete catalog;
  catalog = nullptr;
  instances = 0;
}

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

// Base of the tests that take view classes out of the type system. Taking
// PoBaseView's type away leaves the registered view types derived from a type
// Coin no longer has, so each such test ends with the whole module registered
// again, as the other tests expect it.
class ModuleClassesTest : public ::testing::Test {
protected:
  void TearDown() override;
};

// Reaches the class-wide data of PoBaseView for checks, as a derived class
// may; it is never instantiated.
class PoBaseViewTestAccess : public PoBaseView {
public:
  static SbVec4f vvPortion() { return PoBaseView::m_vvPortion; }
  static SbVec2s logicalViewportSize() { return PoBaseView::m_currentLogicalViewportSize; }
  static void catchAction(PoBaseView *view, SoAction *action) {
    PoBaseView::catchActionCB(view, action);
  }
  static void setRecorded(const SbVec4f &portion, const SbVec2s &logicalSize) {
    PoBaseView::m_vvPortion = portion;
    PoBaseView::m_currentLogicalViewportSize = logicalSize;
  }
  static int firstInstance() { return PoBaseView::firstInstance; }
  static const SoFieldData *fieldData() { return PoBaseView::fieldData; }
  static const SoFieldData **parentFieldData() { return PoBaseView::parentFieldData; }
  static const SoFieldData **fieldDataPtr() {
    return const_cast<const SoFieldData **>(&PoBaseView::fieldData);
  }
  static int mtId() { return PoBaseView::MT_Id; }
  static void normalizeMousePoint(SoQtRenderArea *area, int x, int y, float &nx, float &ny) {
    PoBaseView::normalizeMousePoint(area, x, y, nx, ny);
  }
};

// How often a field table lists a field.
inline int countField(const SoFieldData *data, const char *name) {
  int count = 0;
  for (int i = 0; data && i < data->getNumFields(); ++i)
    if (data->getFieldName(i) == name) ++count;
  return count;
}

// The action-method index Coin hands the next node class it registers.
inline int nextActionMethodIndex() {
  struct Probe : SoNode {
    static int next() { return getNextActionMethodIndex(); }
  };
  return Probe::next();
}

#endif
