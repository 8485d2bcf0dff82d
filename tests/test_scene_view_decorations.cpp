#include "SceneViewTestAccess.h"

#include <Inventor/nodes/SoCoordinate3.h>
#include <Inventor/nodes/SoFaceSet.h>
#include <Inventor/nodes/SoGroup.h>
#include <Inventor/nodes/SoLineSet.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPickStyle.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

SoGroup *partGroup(PoSceneView *view, const char *name) {
  SoNode *node = part(view, name);
  return node && node->getTypeId() == SoGroup::getClassTypeId() ? static_cast<SoGroup *>(node)
                                                                  : nullptr;
}

template <class Node> Node *childOfType(SoGroup *group, int index) {
  SoNode *child = group->getChild(index);
  EXPECT_TRUE(child->isOfType(Node::getClassTypeId())) << "child " << index;
  return child->isOfType(Node::getClassTypeId()) ? static_cast<Node *>(child) : nullptr;
}

// The four nodes of a decoration group, in their order; all null when the
// part is not a group of exactly these.
template <class Shape> struct Decoration {
  SoOrthographicCamera *camera = nullptr;
  SoPickStyle *style = nullptr;
  SoCoordinate3 *coordinates = nullptr;
  Shape *shape = nullptr;
};

template <class Shape> Decoration<Shape> decorationOf(PoSceneView *view, const char *name) {
  Decoration<Shape> found;
  SoGroup *group = partGroup(view, name);
  EXPECT_NE(group, nullptr) << name;
  if (!group) return found;
  EXPECT_EQ(group->getNumChildren(), 4) << name;
  if (group->getNumChildren() != 4) return found;
  auto *camera = childOfType<SoOrthographicCamera>(group, 0);
  auto *style = childOfType<SoPickStyle>(group, 1);
  auto *coordinates = childOfType<SoCoordinate3>(group, 2);
  auto *shape = childOfType<Shape>(group, 3);
  if (camera && style && coordinates && shape) found = {camera, style, coordinates, shape};
  return found;
}

uint32_t bitsOf(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Every camera field except those named keeps the value of a fresh camera.
void expectCameraDefaultsExcept(SoOrthographicCamera *camera, std::vector<const SoField *> set) {
  SoOrthographicCamera *fresh = new SoOrthographicCamera;
  fresh->ref();
  SoFieldList fields;
  camera->getFields(fields);
  for (int i = 0; i < fields.getLength(); ++i) {
    SbName name;
    camera->getFieldName(fields[i], name);
    bool isSet = false;
    for (const SoField *field : set) isSet |= field == fields[i];
    if (isSet) continue;
    EXPECT_TRUE(fields[i]->isSame(*fresh->getField(name))) << name.getString();
  }
  fresh->unref();
}

} // namespace

TEST(SceneViewDecorations, BackgroundSubgraph) {
  SceneViewRef view;
  view->isBackgroundVisible = TRUE;
  const auto background = decorationOf<SoFaceSet>(view.get(), "background");
  ASSERT_NE(background.shape, nullptr);
  SoOrthographicCamera *camera = background.camera;

  EXPECT_EQ(camera->viewportMapping.getValue(), int(SoCamera::LEAVE_ALONE));
  EXPECT_EQ(camera->viewportMapping.getValue(), 4);
  EXPECT_EQ(camera->nearDistance.getValue(), 1.0f);
  EXPECT_EQ(camera->farDistance.getValue(), 0.0f);
  expectCameraDefaultsExcept(camera, {&camera->viewportMapping, &camera->nearDistance,
                                      &camera->farDistance});
  EXPECT_EQ(background.style->style.getValue(), 2);
  EXPECT_EQ(background.style->style.getValue(), int(SoPickStyle::UNPICKABLE));

  const SoCoordinate3 *coordinates = background.coordinates;
  ASSERT_EQ(coordinates->point.getNum(), 4);
  const float xy[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const SbVec3f &p = coordinates->point[i];
    EXPECT_EQ(p[0], xy[i][0]);
    EXPECT_EQ(p[1], xy[i][1]);
    EXPECT_EQ(bitsOf(p[2]), 0x3F7FFFFEu);
  }
  ASSERT_EQ(background.shape->numVertices.getNum(), 1);
  EXPECT_EQ(background.shape->numVertices[0], 4);
}

TEST(SceneViewDecorations, BorderSubgraph) {
  SceneViewRef view;
  view->isBorderVisible = TRUE;
  const auto border = decorationOf<SoLineSet>(view.get(), "border");
  ASSERT_NE(border.shape, nullptr);
  SoOrthographicCamera *camera = border.camera;

  EXPECT_EQ(camera->viewportMapping.getValue(), 4);
  expectCameraDefaultsExcept(camera, {&camera->viewportMapping});
  EXPECT_EQ(border.style->style.getValue(), 2);

  // Bottom, right, top and left edge, each its own segment at z = -1.
  const float xy[8][2] = {{-1, -1}, {1, -1}, {1, -1}, {1, 1}, {1, 1}, {-1, 1}, {-1, 1}, {-1, -1}};
  ASSERT_EQ(border.coordinates->point.getNum(), 8);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(border.coordinates->point[i], SbVec3f(xy[i][0], xy[i][1], -1.0f)) << i;
  ASSERT_EQ(border.shape->numVertices.getNum(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(border.shape->numVertices[i], 2) << i;
}

TEST(SceneViewDecorations, EveryDrawBuildsANewGroup) {
  SceneViewRef view;
  view->isBackgroundVisible = TRUE;
  view->isBorderVisible = TRUE;
  for (auto draw : {&PoSceneViewTestAccess::drawBackgroundOf, &PoSceneViewTestAccess::drawBorderOf}) {
    const char *name = draw == &PoSceneViewTestAccess::drawBackgroundOf ? "background" : "border";
    SCOPED_TRACE(name);
    SoGroup *first = partGroup(view.get(), name);
    ASSERT_NE(first, nullptr);
    first->ref(); // keeps its address from being reused
    draw(view.get());
    SoGroup *second = partGroup(view.get(), name);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    // The old group left the kit; the new one is the parent's only child of it.
    EXPECT_EQ(first->getRefCount(), 1);
    SoNode *parent = static_cast<SoSFNode *>(
        view->getField(name == std::string("background") ? "backgroundSep" : "borderSep"))
        ->getValue();
    EXPECT_EQ(parent->getChildren()->find(first), -1);
    EXPECT_NE(parent->getChildren()->find(second), -1);
    // Vertices come from the same constant table every time.
    auto *a = static_cast<SoCoordinate3 *>(first->getChild(2));
    auto *b = static_cast<SoCoordinate3 *>(second->getChild(2));
    EXPECT_TRUE(a->point == b->point);
    first->unref();
  }
}
