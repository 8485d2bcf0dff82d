#ifndef BRENNICQT_TESTS_SCENEVIEWTESTACCESS_H
#define BRENNICQT_TESTS_SCENEVIEWTESTACCESS_H

#include "PoSceneView.h"
#include "SoDBImpl.h"

#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/sensors/SoFieldSensor.h>

// Reaches the protected operations and class data of PoSceneView for checks,
// as a derived class may; it is never instantiated. Members of a given view
// are reached through pointers to members, which a derived class may form.
class PoSceneViewTestAccess : public PoSceneView {
public:
  static SbBool setUpConnectionsOf(PoSceneView *view, SbBool connect, SbBool force) {
    return (view->*(&PoSceneViewTestAccess::setUpConnections))(connect, force);
  }
  static SbBool isConnected(const PoSceneView *view) {
    return view->*(&PoSceneViewTestAccess::connectionsSetUp);
  }
  static SoFieldSensor *backgroundSensor(const PoSceneView *view) {
    return view->*(&PoSceneViewTestAccess::m_backgroundSensor);
  }
  static SoFieldSensor *borderSensor(const PoSceneView *view) {
    return view->*(&PoSceneViewTestAccess::m_borderSensor);
  }
  static void fieldSensorCB(PoSceneView *view, SoSensor *sensor) {
    PoSceneView::fieldSensorCB(view, sensor);
  }
  static void drawBackgroundOf(PoSceneView *view) {
    (view->*(&PoSceneViewTestAccess::drawBackground))();
  }
  static void drawBorderOf(PoSceneView *view) { (view->*(&PoSceneViewTestAccess::drawBorder))(); }
  static void setDefaultOnNonWritingFieldsOf(PoSceneView *view) {
    (view->*(&PoSceneViewTestAccess::setDefaultOnNonWritingFields))();
  }
  static int firstInstance() { return PoSceneView::firstInstance; }
  static const SoFieldData *fieldData() { return PoSceneView::fieldData; }
  static int mtId() { return PoSceneView::MT_Id; }
};

// Logical-viewport mode for the life of one scope.
class ZembaMode {
public:
  ZembaMode() : m_previous(SoDBImpl::m_isZemba) { SoDBImpl::m_isZemba = 1; }
  ~ZembaMode() { SoDBImpl::m_isZemba = m_previous; }
  ZembaMode(const ZembaMode &) = delete;
  ZembaMode &operator=(const ZembaMode &) = delete;

private:
  int m_previous;
};

// Holds a new scene view referenced for the life of one scope.
class SceneViewRef {
public:
  SceneViewRef() : m_view(new PoSceneView) { m_view->ref(); }
  explicit SceneViewRef(PoSceneView *view) : m_view(view) { m_view->ref(); }
  ~SceneViewRef() { m_view->unref(); }
  SceneViewRef(const SceneViewRef &) = delete;
  SceneViewRef &operator=(const SceneViewRef &) = delete;
  PoSceneView *operator->() const { return m_view; }
  PoSceneView *get() const { return m_view; }

private:
  PoSceneView *m_view;
};

// The node a part field holds. Coin's getPart answers leaf parts only.
inline SoNode *part(PoSceneView *view, const char *name) {
  return static_cast<SoSFNode *>(view->getField(name))->getValue();
}
inline SoNode *part(const SceneViewRef &view, const char *name) { return part(view.get(), name); }

// The scene view a file held as its only node, or null.
inline PoSceneView *onlyView(SoSeparator *root) {
  if (!root || root->getNumChildren() != 1) return nullptr;
  SoNode *node = root->getChild(0);
  return node->isOfType(PoSceneView::getClassTypeId()) ? static_cast<PoSceneView *>(node)
                                                       : nullptr;
}

#endif
