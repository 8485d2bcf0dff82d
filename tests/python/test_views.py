"""The view kits' methods from Python, each seen at work in the picture or
in the camera."""
import numpy as np
from pivy import coin

import brennicqt
from conftest import EXAMPLES, colour, read_scene, render, scene_view


def test_decoration_colours_and_width_show_in_the_picture():
    root = read_scene("Separator { %s }" % scene_view(
        "Decorated", (0, 0), (1, 1), (0, 0, 0), "isBorderVisible TRUE"))
    view = root.getChild(0)
    view.setBackgroundColor((0.0, 0.6, 0.2))
    view.setBorderColor(coin.SbColor(1.0, 0.0, 1.0))
    view.setBorderWidth(6)
    picture = render(root, 160, 120)
    assert picture[6, 40].tolist() == colour((0.0, 0.6, 0.2))  # background, inside the frame
    assert picture[5, 80].tolist() == colour((1.0, 0.0, 1.0))  # the frame's 6 rows at the top
    view.setBorderWidth(1)
    thin = render(root, 160, 120)
    assert thin[0, 80].tolist() == colour((1.0, 0.0, 1.0))
    assert thin[1, 80].tolist() == colour((0.0, 0.6, 0.2))


def test_view_all_fits_the_camera_to_the_scene_in_the_view():
    root = read_scene("Separator { DirectionalLight { } %s }" % scene_view(
        "Wide", (0, 0), (1, 0.5), (0, 0, 0)))
    view = root.getChild(1)
    camera = view.getCamera()
    camera.position = (0, 0, 100)  # the cube is a dot
    for window in ((320, 240), coin.SbVec2s(320, 240)):
        camera.position = (0, 0, 100)
        view.viewAll(window)
        assert 2 < camera.position.getValue()[2] < 10
        lit = render(root, 320, 240)[120:, :].any(axis=2)
        assert lit[:, 160].sum() > 60  # the cube fills most of the view's height


def test_viewport_queries():
    view = brennicqt.PoView()
    view.viewportOrigin = (0.25, 0.5)
    view.viewportSize = (0.5, 0.25)
    assert view.getViewportIsEnabled() == 1
    assert view.getViewportOrigin().getValue() == [0.25, 0.5]
    assert view.getViewportSize().getValue() == [0.5, 0.25]
    assert view.isPointWithinViewport(0.5, 0.6) == 1
    assert view.isPointWithinViewport(0.1, 0.6) == 0
    assert view.isSensitiveOnEvents() == 0
    view.sensitiveOnEvents(1)
    assert view.isSensitiveOnEvents() == 1


def test_copies_share_the_camera_kit():
    view = brennicqt.PoSceneView()
    view.viewportOrigin = (0.5, 0)
    camera = view.getCamera()
    copy = brennicqt.PoSceneView(view)
    assert copy.getViewportOrigin().getValue() == [0.5, 0]
    assert copy.getCamera() == camera
    assert np.array_equal(render(view), render(copy))


def test_label_triad_and_their_colours_show_in_the_picture():
    root = read_scene("Separator { %s }" % scene_view(
        "Labelled", (0, 0), (1, 1), (0, 0, 0), 'label "Front" isAxesVisible TRUE'))
    view = root.getChild(0)
    assert view.label.getValue() == "Front" and view.isAxesVisible.getValue()
    assert view.getLabelColor().getValue() == (1.0, 1.0, 1.0)
    view.setLabelColor((1.0, 0.0, 1.0))
    view.setActiveBorderColor(coin.SbColor(0.0, 1.0, 0.0))
    assert view.getActiveBorderColor().getValue() == (0.0, 1.0, 0.0)
    picture = render(root, 320, 240).astype(int)

    def near(image, rgb):  # the label's letters are smoothed into the background
        return (abs(image - colour(rgb)) < 60).all(axis=2)

    magenta = near(picture, (1.0, 0.0, 1.0))
    red = near(picture, (1.0, 0.0, 0.0))
    rows, columns = np.nonzero(magenta)
    assert len(rows) > 20 and rows.max() < 30 and columns.max() < 80  # top left
    rows, columns = np.nonzero(red)
    assert len(rows) > 20 and rows.min() > 240 - 90 and columns.max() < 90  # bottom left
    view.label = ""
    view.isAxesVisible = False
    plain = render(root, 320, 240).astype(int)
    assert not near(plain, (1.0, 0.0, 1.0)).any()
    assert not near(plain, (1.0, 0.0, 0.0)).any()


def test_reader_and_view_list(tmp_path):
    reader = brennicqt.PoSceneReader()
    root = reader.readFile(str(EXAMPLES / "four_quadrants.iv"))
    assert root is not None, reader.getMessage().getString()
    views = brennicqt.PoViewList(root)
    assert len(views) == 4
    assert [entry.depth for entry in views] == [0, 0, 0, 0]
    assert type(views[0].view) is brennicqt.PoSceneView
    assert isinstance(views[0].camera, coin.SoCamera)
    try:
        views[4]
        assert False, "no fifth view"
    except IndexError:
        pass
    assert reader.readBytes(b"#Inventor V2.1 ascii\nDEF a Separator { Separator { USE a } }") is None
    assert reader.getFault() == brennicqt.PoSceneReader.HOLDS_ITSELF
    (tmp_path / "bad.iv").write_text("#Inventor V2.1 ascii\nSeparator {\n Cube { size 2 }\n}\n")
    assert reader.readFile(str(tmp_path / "bad.iv")) is None
    assert "line 3" in reader.getMessage().getString()
