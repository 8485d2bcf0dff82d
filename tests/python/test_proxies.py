"""Objects cross between pivy and brennicqt as each module's own classes."""
from pivy import coin

import brennicqt
from conftest import read_scene, scene_view


def test_views_read_by_pivy_come_back_as_brennicqt_classes():
    root = read_scene("Separator { %s Separator { DEF Plain PoView { } } }"
                      % scene_view("Quadrant", (0, 0), (0.5, 0.5), (1, 0, 0)))
    found = coin.SoNode.getByName("Quadrant")
    assert type(found) is brennicqt.PoSceneView
    assert isinstance(found, coin.SoBaseKit)
    assert type(coin.SoNode.getByName("Plain")) is brennicqt.PoView
    assert type(root.getChild(0)) is brennicqt.PoSceneView
    # Methods of both modules work on the one object.
    assert found.getTypeId() == brennicqt.PoSceneView.getClassTypeId()
    assert found.getTypeId().getName().getString() == "PoSceneView"
    assert found.isOfType(brennicqt.PoBaseView.getClassTypeId())
    assert found.getViewportSize().getValue() == [0.5, 0.5]


def test_cameras_and_parts_are_pivy_objects_of_their_own_class():
    root = read_scene("""Separator {
      DEF Flat PoView { cameraKit CameraKit { camera OrthographicCamera { height 4 } } } }""")
    view = root.getChild(0)
    camera = view.getCamera()
    assert type(camera) is coin.SoOrthographicCamera
    assert camera.height.getValue() == 4
    assert type(brennicqt.PoSceneView().getCamera()) is coin.SoPerspectiveCamera
    # The camera is the view's part, shared, not a copy.
    camera.height = 7
    assert view.getPart("cameraKit.camera", False).height.getValue() == 7


def test_fields_and_parts_through_pivy():
    view = brennicqt.PoSceneView()
    view.viewportOrigin = (0.5, 0.25)
    assert view.viewportOrigin.getValue().getValue() == [0.5, 0.25]
    coin.SoFieldContainer.set(view, "viewportSize 0.5 0.75 isBorderVisible TRUE")
    assert view.getViewportSize().getValue() == [0.5, 0.75]
    assert view.isBorderVisible.getValue()
    scene = coin.SoSeparator()
    view.setPart("scene", scene)
    assert view.scene == scene


def test_class_registration_from_python():
    assert brennicqt.PoView.getClassTypeId().getParent() == brennicqt.PoBaseView.getClassTypeId()
    catalog = brennicqt.PoSceneView.getClassNodekitCatalog()
    assert catalog.getPartNumber("scene") >= 0
    assert brennicqt.PoBaseView.getClassNodekitCatalog().getPartNumber("scene") < 0
    assert not brennicqt.PoToVRML2Action.getClassTypeId().isBad()
    assert not brennicqt.PoToX3DAction.getClassTypeId().isBad()
    # Registering again, as on-demand loading and the module's import may
    # both do, changes nothing.
    before = brennicqt.PoSceneView.getClassTypeId()
    for register in (brennicqt.PoBaseView.initClasses, brennicqt.PoSceneView.initClass,
                     brennicqt.PoView.initClass, brennicqt.PoBaseView.initClass,
                     brennicqt.PoToVRML2Action.initClass, brennicqt.PoToX3DAction.initClass):
        register()
    assert brennicqt.PoSceneView.getClassTypeId() == before


def test_reference_counts_follow_pivy():
    view = brennicqt.PoSceneView()
    assert view.getRefCount() == 1
    root = coin.SoSeparator()
    root.addChild(view)
    assert view.getRefCount() == 2
    del view
    assert root.getChild(0).getRefCount() == 1
    camera = root.getChild(0).getCamera()
    held = camera.getRefCount()
    again = root.getChild(0).getCamera()
    assert camera.getRefCount() == held + 1  # each proxy holds the camera
    del again
    assert camera.getRefCount() == held
