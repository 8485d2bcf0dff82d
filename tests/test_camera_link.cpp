// Views whose cameras move together: what a change of one camera does to the
// cameras linked to it, for each kind of link, camera and view size, in both
// directions and through several links; what files keep of a link.
#include "PoCameraLink.h"
#include "PoSceneView.h"
#include "PoView.h"
#include "SceneFiles.h"

#include <Inventor/SbLinear.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/actions/SoGetBoundingBoxAction.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoTranslation.h>
#include <Inventor/sensors/SoFieldSensor.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <regex>
#include <string>
#include <vector>

namespace {

// Known once Coin is set up, after static initialisation.
#define kPerspective SoPerspectiveCamera::getClassTypeId()
#define kOrthographic SoOrthographicCamera::getClassTypeId()

SbVec3f directionOf(const SoCamera *camera) {
  SbVec3f direction;
  camera->orientation.getValue().multVec(SbVec3f(0, 0, -1), direction);
  return direction;
}

SbVec3f focalPointOf(const SoCamera *camera) {
  return camera->position.getValue() + camera->focalDistance.getValue() * directionOf(camera);
}

// The height of the world shown at the focal distance.
float extentOf(const SoCamera *camera) {
  if (camera->isOfType(kOrthographic))
    return static_cast<const SoOrthographicCamera *>(camera)->height.getValue();
  const float angle = static_cast<const SoPerspectiveCamera *>(camera)->heightAngle.getValue();
  return 2 * camera->focalDistance.getValue() * std::tan(angle / 2);
}

// Every field of a camera, to tell a camera left alone from one changed.
std::string fieldsOf(const SoCamera *camera) {
  SbString text;
  SoFieldList fields;
  camera->getFields(fields);
  for (int i = 0; i < fields.getLength(); ++i) {
    SbString value;
    fields[i]->get(value);
    text += value + ";";
  }
  return text.getString();
}

bool near(const SbVec3f &a, const SbVec3f &b, float tolerance = 1e-4f) {
  return (a - b).length() <= tolerance * (1 + b.length());
}

bool near(float a, float b, float tolerance = 1e-4f) {
  return std::fabs(a - b) <= tolerance * (1 + std::fabs(b));
}

// Quaternions q and -q are the same orientation.
::testing::AssertionResult sameOrientation(const SbRotation &a, const SbRotation &b) {
  const float *q = b.getValue();
  if (a.equals(b, 1e-5f) || a.equals(SbRotation(-q[0], -q[1], -q[2], -q[3]), 1e-5f))
    return ::testing::AssertionSuccess();
  SbVec3f axisA, axisB;
  float angleA, angleB;
  a.getValue(axisA, angleA);
  b.getValue(axisB, angleB);
  return ::testing::AssertionFailure() << "orientations differ: angle " << angleA << " vs "
                                       << angleB;
}

// A scene view with a camera of the given type; distinct cameras for
// distinct seeds.
PoSceneView *makeView(SoSeparator *root, SbVec2f origin, SbVec2f size, SoType type, int seed) {
  auto *view = new PoSceneView;
  view->viewportOrigin.setValue(origin);
  view->viewportSize.setValue(size);
  root->addChild(view);
  SoCamera *camera = view->getCamera(type);
  camera->position.setValue(1.5f * seed, -0.5f * seed, 8 + seed);
  camera->orientation.setValue(SbVec3f(0.2f, 1, 0.1f * seed), 0.15f * seed);
  camera->focalDistance = 6.0f + seed;
  camera->nearDistance = 1;
  camera->farDistance = 40;
  if (type == kOrthographic)
    static_cast<SoOrthographicCamera *>(camera)->height = 3.0f + seed;
  else
    static_cast<SoPerspectiveCamera *>(camera)->heightAngle = 0.5f + 0.1f * seed;
  return view;
}

// Making a link changes no camera.
PoCameraLink *makeLink(SoSeparator *root, std::initializer_list<PoBaseView *> views, int kinds) {
  std::vector<std::string> before;
  for (PoBaseView *view : views) before.push_back(fieldsOf(view->getCamera()));
  auto *link = new PoCameraLink;
  link->link = kinds;
  for (PoBaseView *view : views) link->views.set1Value(link->views.getNum(), view);
  root->addChild(link);
  std::size_t i = 0;
  for (PoBaseView *view : views) EXPECT_EQ(fieldsOf(view->getCamera()), before[i++]);
  return link;
}

// Tells the link the window the views are in, as a viewer's frame does.
void showInWindow(SoNode *root, short width = 640, short height = 480) {
  SoGetBoundingBoxAction bounds(SbViewportRegion(width, height));
  bounds.apply(root);
}

// What a viewer does to a camera, one field at a time as an examiner viewer
// sets them: a turn about the focal point, a pan, and a zoom to half the
// height (a perspective camera dollies).
void moveAsAViewerDoes(SoCamera *camera) {
  const SbVec3f focal = focalPointOf(camera);
  camera->orientation = SbRotation(SbVec3f(1, 0.5f, 0), 0.4f) * camera->orientation.getValue();
  camera->position = focal - camera->focalDistance.getValue() * directionOf(camera);
  camera->position = camera->position.getValue() + SbVec3f(1, 0.5f, -0.25f);
  if (camera->isOfType(kOrthographic)) {
    auto *orthographic = static_cast<SoOrthographicCamera *>(camera);
    orthographic->height = orthographic->height.getValue() / 2;
  } else {
    const SbVec3f newFocal = focalPointOf(camera);
    camera->position = camera->position.getValue() + 0.5f * camera->focalDistance.getValue() *
                                                          directionOf(camera);
    camera->focalDistance = camera->focalDistance.getValue() / 2;
    EXPECT_TRUE(near(focalPointOf(camera), newFocal));
  }
}

void pan(SoCamera *camera, const SbVec3f &by) {
  camera->position = camera->position.getValue() + by;
}

// The pixels a camera's height spans in a 640 x 480 window.
float heightPixels(const PoBaseView *view) {
  const SbVec2f size = view->viewportSize.getValue();
  return std::min(size[0] * 640, size[1] * 480);
}

struct CameraSnapshot {
  SbRotation orientation;
  SbVec3f focal;
  float extent;
  float focalDistance;
};

CameraSnapshot snapshot(const SoCamera *camera) {
  return {camera->orientation.getValue(), focalPointOf(camera), extentOf(camera),
          camera->focalDistance.getValue()};
}

struct KindCase {
  const char *name;
  int kinds;
};
const KindCase kKinds[] = {{"orientation", PoCameraLink::ORIENTATION},
                           {"position", PoCameraLink::POSITION},
                           {"zoom", PoCameraLink::ZOOM},
                           {"all", PoCameraLink::ALL}};

struct SizeCase {
  const char *name;
  SbVec2f size; // of the second view; the first is a quarter of the window
};
const SizeCase kSizes[] = {{"same size", SbVec2f(0.5f, 0.5f)},
                           {"half as high", SbVec2f(0.5f, 0.25f)},
                           {"taller than wide", SbVec2f(0.2f, 0.9f)}};

} // namespace

// Each kind of link between two views, of every pair of camera types and of
// different sizes, in both directions: the moved camera's change is carried
// to the linked one, as far as the link reaches, and a third view outside the
// link keeps its camera.
TEST(CameraLink, CarriesEachKindBetweenCameraTypesAndViewSizes) {
  const SoType types[] = {kPerspective, kOrthographic};
  for (const KindCase &kind : kKinds)
    for (SoType firstType : types)
      for (SoType secondType : types)
        for (const SizeCase &size : kSizes)
          for (bool forward : {true, false}) {
            SCOPED_TRACE(std::string(kind.name) + ", " + firstType.getName().getString() +
                         " to " + secondType.getName().getString() + ", " + size.name +
                         (forward ? "" : ", backwards"));
            auto *root = new SoSeparator;
            root->ref();
            PoSceneView *first = makeView(root, SbVec2f(0, 0), SbVec2f(0.5f, 0.5f), firstType, 1);
            PoSceneView *second = makeView(root, SbVec2f(0.5f, 0), size.size, secondType, 2);
            PoSceneView *outside = makeView(root, SbVec2f(0, 0.5f), SbVec2f(0.5f, 0.5f),
                                            secondType, 3);
            makeLink(root, {first, second}, kind.kinds);
            showInWindow(root);

            PoSceneView *source = forward ? first : second;
            PoSceneView *target = forward ? second : first;
            SoCamera *moved = source->getCamera();
            SoCamera *linked = target->getCamera();
            const CameraSnapshot movedBefore = snapshot(moved);
            // The same moves on a camera no link knows of.
            auto *free = static_cast<SoCamera *>(moved->copy());
            free->ref();
            moveAsAViewerDoes(free);
            const CameraSnapshot linkedBefore = snapshot(linked);
            const std::string outsideBefore = fieldsOf(outside->getCamera());
            moveAsAViewerDoes(moved);
            const CameraSnapshot movedAfter = snapshot(moved);

            const bool orientation = kind.kinds & PoCameraLink::ORIENTATION;
            const bool position = kind.kinds & PoCameraLink::POSITION;
            const bool zoom = kind.kinds & PoCameraLink::ZOOM;
            EXPECT_TRUE(sameOrientation(linked->orientation.getValue(),
                                        orientation ? movedAfter.orientation
                                                    : linkedBefore.orientation));
            const SbVec3f focal =
                linkedBefore.focal + (position ? movedAfter.focal - movedBefore.focal : SbVec3f(0, 0, 0));
            EXPECT_TRUE(near(focalPointOf(linked), focal, 1e-3f));
            // The same world units per pixel in both views.
            const float extent = zoom ? movedAfter.extent / heightPixels(source) *
                                            heightPixels(target)
                                      : linkedBefore.extent;
            EXPECT_TRUE(near(extentOf(linked), extent)) << extentOf(linked) << " vs " << extent;
            // An orthographic camera keeps its focal distance; a perspective
            // one keeps its angle, so its distance gives the extent.
            if (linked->isOfType(kOrthographic)) {
              EXPECT_EQ(linked->focalDistance.getValue(), linkedBefore.focalDistance);
            }
            EXPECT_EQ(fieldsOf(outside->getCamera()), outsideBefore);
            // Nothing came back to the camera that moved.
            EXPECT_EQ(fieldsOf(moved), fieldsOf(free));
            free->unref();
            root->unref();
          }
}

namespace {

// Three views A, B, C, each a perspective camera of its own, linked in
// various ways; the test pans or zooms A.
struct Topology {
  const char *name;
  std::function<void(SoSeparator *, PoSceneView *[3])> build;
  bool bFollows, cFollows; // the pan of A
};

} // namespace

// Changes travel along chains of links, each camera takes one change once,
// and links in a cycle, views listed twice or linked twice carry it once;
// views left out of a link, and links destroyed, carry nothing.
TEST(CameraLink, CarriesEachChangeOnceWhateverTheLinksAround) {
  using Views = PoSceneView *[3];
  const int shift = PoCameraLink::POSITION;
  const Topology topologies[] = {
      {"one link", [&](SoSeparator *r, Views v) { makeLink(r, {v[0], v[1]}, shift); }, true,
       false},
      {"chain", [&](SoSeparator *r, Views v) {
         makeLink(r, {v[0], v[1]}, shift);
         makeLink(r, {v[1], v[2]}, shift);
       },
       true, true},
      {"chain through a link of another kind", [&](SoSeparator *r, Views v) {
         makeLink(r, {v[0], v[1]}, PoCameraLink::ZOOM);
         makeLink(r, {v[1], v[2]}, shift);
       },
       false, false},
      {"cycle over two links", [&](SoSeparator *r, Views v) {
         makeLink(r, {v[0], v[1]}, shift);
         makeLink(r, {v[1], v[0]}, shift);
       },
       true, false},
      {"cycle over three links", [&](SoSeparator *r, Views v) {
         makeLink(r, {v[0], v[1]}, shift);
         makeLink(r, {v[1], v[2]}, shift);
         makeLink(r, {v[2], v[0]}, shift);
       },
       true, true},
      {"views listed twice", [&](SoSeparator *r, Views v) {
         makeLink(r, {v[0], v[1], v[0], v[1], v[1]}, shift);
       },
       true, false},
      {"two links for the same views", [&](SoSeparator *r, Views v) {
         makeLink(r, {v[0], v[1]}, shift);
         makeLink(r, {v[1], v[0]}, PoCameraLink::ALL);
       },
       true, false},
      {"two views sharing a camera", [&](SoSeparator *r, Views v) {
         v[2]->setPart("cameraKit", v[1]->getPart("cameraKit", FALSE));
         makeLink(r, {v[0], v[1], v[2]}, shift);
       },
       true, true},
      {"view removed", [&](SoSeparator *r, Views v) {
         PoCameraLink *link = makeLink(r, {v[0], v[1], v[2]}, shift);
         link->views.deleteValues(1, 1);
       },
       false, true},
      {"link destroyed", [&](SoSeparator *r, Views v) {
         r->removeChild(makeLink(r, {v[0], v[1]}, shift));
       },
       false, false},
      {"views replaced", [&](SoSeparator *r, Views v) {
         PoCameraLink *link = makeLink(r, {v[0], v[1]}, shift);
         link->views.set1Value(1, v[2]);
       },
       false, true},
  };
  for (const Topology &topology : topologies) {
    SCOPED_TRACE(topology.name);
    auto *root = new SoSeparator;
    root->ref();
    PoSceneView *views[3];
    for (int i = 0; i < 3; ++i)
      views[i] = makeView(root, SbVec2f(0.25f * i, 0), SbVec2f(0.25f, 0.5f), kPerspective, i + 1);
    topology.build(root, views);

    SbVec3f start[3];
    for (int i = 0; i < 3; ++i) start[i] = views[i]->getCamera()->position.getValue();
    const SbVec3f by(0.5f, -1, 2);
    pan(views[0]->getCamera(), by);
    EXPECT_EQ(views[0]->getCamera()->position.getValue(), start[0] + by);
    const bool follows[3] = {true, topology.bFollows, topology.cFollows};
    for (int i = 1; i < 3; ++i)
      EXPECT_TRUE(near(views[i]->getCamera()->position.getValue(),
                       follows[i] ? start[i] + by : start[i], 1e-6f))
          << "view " << i;
    root->unref();
  }
}

// A view whose camera is replaced stays linked through its new camera: in a
// new camera kit, a new camera in its kit, or a camera of another type. The
// replacement itself is carried nowhere, and the old camera is let go.
TEST(CameraLink, FollowsAViewsNewCamera) {
  const std::function<SoCamera *(PoSceneView *)> replacements[] = {
      [](PoSceneView *view) {
        view->setPart("cameraKit.camera", new SoPerspectiveCamera);
        return view->getCamera();
      },
      [](PoSceneView *view) { return view->getCamera(kOrthographic); },
      [](PoSceneView *view) {
        view->setPart("cameraKit", nullptr);
        return view->getCamera();
      },
  };
  for (const auto &replace : replacements) {
    auto *root = new SoSeparator;
    root->ref();
    PoSceneView *a = makeView(root, SbVec2f(0, 0), SbVec2f(0.5f, 1), kPerspective, 1);
    PoSceneView *b = makeView(root, SbVec2f(0.5f, 0), SbVec2f(0.5f, 1), kPerspective, 2);
    makeLink(root, {a, b}, PoCameraLink::ALL);
    SoCamera *old = b->getCamera();
    old->ref();
    const std::string oldFields = fieldsOf(old);
    const std::string aBefore = fieldsOf(a->getCamera());
    SoCamera *fresh = replace(b);
    ASSERT_NE(fresh, old);
    EXPECT_EQ(fieldsOf(a->getCamera()), aBefore);

    const SbVec3f freshStart = fresh->position.getValue();
    pan(a->getCamera(), SbVec3f(1, 2, 3));
    EXPECT_TRUE(near(fresh->position.getValue(), freshStart + SbVec3f(1, 2, 3), 1e-6f));
    EXPECT_EQ(fieldsOf(old), oldFields);
    // And back from the new camera.
    const SbVec3f aStart = a->getCamera()->position.getValue();
    pan(fresh, SbVec3f(-2, 0, 0));
    EXPECT_TRUE(near(a->getCamera()->position.getValue(), aStart + SbVec3f(-2, 0, 0), 1e-6f));
    old->unref();
    root->unref();
  }
}

// A camera put in a view's place by code that reacts to a carried change
// (here a sensor on the camera the change reached) is the one the link
// follows afterwards, both ways.
TEST(CameraLink, FollowsACameraReplacedWhileAChangeIsCarried) {
  struct Replacement {
    PoSceneView *view;
    SoCamera *fresh;
    SoFieldSensor *sensor;
  };
  auto *root = new SoSeparator;
  root->ref();
  PoSceneView *a = makeView(root, SbVec2f(0, 0), SbVec2f(0.5f, 1), kPerspective, 1);
  PoSceneView *b = makeView(root, SbVec2f(0.5f, 0), SbVec2f(0.5f, 1), kPerspective, 2);
  makeLink(root, {a, b}, PoCameraLink::POSITION);
  SoCamera *old = b->getCamera();
  old->ref();
  Replacement replacement{b, new SoPerspectiveCamera, nullptr};
  replacement.fresh->ref();
  SoFieldSensor sensor(
      [](void *data, SoSensor *) {
        auto *r = static_cast<Replacement *>(data);
        r->sensor->detach();
        r->view->setPart("cameraKit.camera", r->fresh);
      },
      &replacement);
  replacement.sensor = &sensor;
  sensor.setPriority(0);
  sensor.attach(&old->position);
  pan(a->getCamera(), SbVec3f(1, 0, 0));
  ASSERT_EQ(b->getCamera(), replacement.fresh);

  const SbVec3f freshStart = replacement.fresh->position.getValue();
  pan(a->getCamera(), SbVec3f(0, 2, 0));
  EXPECT_TRUE(near(replacement.fresh->position.getValue(), freshStart + SbVec3f(0, 2, 0), 1e-6f));
  const SbVec3f aStart = a->getCamera()->position.getValue();
  pan(replacement.fresh, SbVec3f(0, 0, 3));
  EXPECT_TRUE(near(a->getCamera()->position.getValue(), aStart + SbVec3f(0, 0, 3), 1e-6f));
  replacement.fresh->unref();
  old->unref();
  root->unref();
}

// A camera driven through a field connection carries its changes as well.
TEST(CameraLink, CarriesChangesMadeThroughFieldConnections) {
  auto *root = new SoSeparator;
  root->ref();
  PoSceneView *a = makeView(root, SbVec2f(0, 0), SbVec2f(0.5f, 1), kOrthographic, 1);
  PoSceneView *b = makeView(root, SbVec2f(0.5f, 0), SbVec2f(0.5f, 1), kOrthographic, 2);
  makeLink(root, {a, b}, PoCameraLink::POSITION);
  auto *driver = new SoTranslation;
  root->addChild(driver);
  driver->translation = a->getCamera()->position.getValue();
  a->getCamera()->position.connectFrom(&driver->translation);
  const SbVec3f bStart = b->getCamera()->position.getValue();
  driver->translation = driver->translation.getValue() + SbVec3f(0, 3, 0);
  EXPECT_TRUE(near(b->getCamera()->position.getValue(), bStart + SbVec3f(0, 3, 0), 1e-6f));
  root->unref();
}

// An orthographic camera panned along its own axis keeps showing the same
// slab of the world, so a pan in a view at right angles never leaves its
// scene behind its near plane.
TEST(CameraLink, OrthographicPanAlongTheAxisKeepsTheSlabShown) {
  auto *root = new SoSeparator;
  root->ref();
  PoSceneView *top = makeView(root, SbVec2f(0, 0), SbVec2f(0.5f, 1), kOrthographic, 1);
  PoSceneView *front = makeView(root, SbVec2f(0.5f, 0), SbVec2f(0.5f, 1), kOrthographic, 1);
  top->getCamera()->orientation.setValue(SbVec3f(1, 0, 0), -1.5707963f);
  front->getCamera()->orientation = SbRotation::identity();
  makeLink(root, {top, front}, PoCameraLink::POSITION);
  SoCamera *camera = front->getCamera();
  const SbVec3f position = camera->position.getValue();
  const float nearPlane = camera->nearDistance.getValue(), farPlane = camera->farDistance.getValue();
  // Up the screen of the top view is -z: towards the front camera.
  pan(top->getCamera(), SbVec3f(0.5f, 0, -7));
  EXPECT_TRUE(near(camera->position.getValue(), position + SbVec3f(0.5f, 0, -7), 1e-6f));
  EXPECT_FLOAT_EQ(camera->nearDistance.getValue(), nearPlane - 7);
  EXPECT_FLOAT_EQ(camera->farDistance.getValue(), farPlane - 7);
  root->unref();
}

// Written with Coin's writer, a link names its views with USE and reads back
// linking the views read; the navigation field is written only when PAN.
// Links written before their views carry the views inside and read back too.
TEST(CameraLink, FilesKeepLinksAndNavigation) {
  for (bool linkFirst : {false, true}) {
    SCOPED_TRACE(linkFirst ? "link before the views" : "link after the views");
    auto *root = new SoSeparator;
    root->ref();
    auto *link = new PoCameraLink;
    if (linkFirst) root->addChild(link);
    PoSceneView *a = makeView(root, SbVec2f(0, 0), SbVec2f(0.5f, 1), kOrthographic, 1);
    PoSceneView *b = makeView(root, SbVec2f(0.5f, 0), SbVec2f(0.25f, 0.5f), kPerspective, 2);
    PoSceneView *c = makeView(root, SbVec2f(0.75f, 0), SbVec2f(0.25f, 1), kPerspective, 3);
    a->navigation = PoBaseView::PAN;
    c->navigation = PoBaseView::EXAMINE; // set, yet the default
    link->views.setValues(0, 2, std::vector<const SoNode *>{a, b}.data());
    link->link = PoCameraLink::POSITION | PoCameraLink::ZOOM;
    if (!linkFirst) root->addChild(link);
    const std::string text = writeScene(root);
    root->unref();
    EXPECT_NE(text.find("USE"), std::string::npos) << text;
    EXPECT_NE(text.find("navigation PAN"), std::string::npos) << text;
    EXPECT_EQ(text.find("navigation EXAMINE"), std::string::npos) << text;

    ReadErrorCapture errors;
    SoSeparator *read = readScene(text);
    ASSERT_NE(read, nullptr) << text;
    EXPECT_TRUE(errors.errors().empty());
    read->ref();
    PoSceneView *views[3] = {};
    PoCameraLink *readLink = nullptr;
    for (int i = 0, found = 0; i < read->getNumChildren(); ++i) {
      SoNode *child = read->getChild(i);
      if (child->isOfType(PoSceneView::getClassTypeId()))
        views[found++] = static_cast<PoSceneView *>(child);
      else if (child->isOfType(PoCameraLink::getClassTypeId()))
        readLink = static_cast<PoCameraLink *>(child);
    }
    ASSERT_NE(readLink, nullptr);
    ASSERT_NE(views[2], nullptr);
    EXPECT_EQ(readLink->link.getValue(), PoCameraLink::POSITION | PoCameraLink::ZOOM);
    EXPECT_EQ(views[0]->navigation.getValue(), PoBaseView::PAN);
    EXPECT_EQ(views[1]->navigation.getValue(), PoBaseView::EXAMINE);

    // The same changes again, on what was read.
    showInWindow(read);
    SoCamera *moved = views[0]->getCamera();
    SoCamera *linked = views[1]->getCamera();
    const CameraSnapshot before = snapshot(linked);
    const std::string unlinked = fieldsOf(views[2]->getCamera());
    const SbVec3f movedFocal = focalPointOf(moved);
    moveAsAViewerDoes(moved);
    EXPECT_TRUE(sameOrientation(linked->orientation.getValue(), before.orientation));
    EXPECT_TRUE(near(focalPointOf(linked), before.focal + focalPointOf(moved) - movedFocal, 1e-3f));
    EXPECT_TRUE(near(extentOf(linked),
                     extentOf(moved) / heightPixels(views[0]) * heightPixels(views[1])));
    EXPECT_EQ(fieldsOf(views[2]->getCamera()), unlinked);
    read->unref();
  }
}

// A link takes only views: any other node in `views`, and declarations of
// fields it does not have, are refused, naming the line.
TEST(CameraLink, FilesWithWhatIsNoViewAreRefusedNamingTheLine) {
  const std::string views = "#Inventor V2.1 ascii\nSeparator {\n"
                            "  DEF A PoView { }\n  DEF B PoSceneView { }\n  DEF C Cube { }\n";
  const struct {
    const char *name;
    std::string link;
    int line; // 0: none expected
  } cases[] = {
      {"views", "  PoCameraLink { views [ USE A, USE B ] link ZOOM }\n", 0},
      {"one view without brackets", "  PoCameraLink { views USE A }\n", 0},
      {"commas left out, NULL", "  PoCameraLink { views [ USE A\n USE B NULL ] }\n", 0},
      {"fields declared", "  PoCameraLink { fields [ SFBitMask link, MFNode views ] }\n", 0},
      {"no view by USE", "  PoCameraLink { views [ USE A,\n  USE C,\n  USE B ] }\n", 7},
      {"no view in place", "  PoCameraLink {\n views [\n USE A,\n Separator { }\n ] }\n", 9},
      {"single entry no view", "  PoCameraLink { views\n Cube { } }\n", 7},
      {"field of another node declared", "  PoCameraLink { fields [ SFFloat width ] }\n", 6},
      {"unknown field", "  PoCameraLink {\n  zoom 2 }\n", 7},
      {"file ends inside", "  PoCameraLink { views [ USE A, ", -1},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    ReadErrorCapture errors;
    SoSeparator *root = readScene(views + c.link + "}\n");
    if (root) root->ref();
    EXPECT_EQ(root != nullptr, c.line == 0);
    if (c.line > 0) {
      ASSERT_FALSE(errors.errors().empty());
      EXPECT_TRUE(std::regex_search(errors.errors()[0],
                                    std::regex("line +" + std::to_string(c.line) + " ")))
          << errors.errors()[0];
    }
    if (root) root->unref();
  }
  // What a refused file declared was never added to the class.
  auto *link = new PoCameraLink;
  link->ref();
  EXPECT_EQ(link->getField("width"), nullptr);
  link->unref();
}
