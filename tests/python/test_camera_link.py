"""Camera links and pan-only views from Python: a link made from pivy's
field access carries a pan between the views' cameras; links read from a
file do the same."""
from pivy import coin

import brennicqt
from conftest import EXAMPLES, read_scene, scene_view


def test_a_link_made_in_python_carries_what_it_links():
    root = read_scene("Separator { %s %s %s }" % (
        scene_view("A", (0, 0), (0.5, 1), (0, 0, 0)),
        scene_view("B", (0.5, 0), (0.5, 1), (0, 0, 0)),
        scene_view("C", (0, 0), (0.1, 0.1), (0, 0, 0))))
    a, b, c = (root.getChild(i) for i in range(3))
    link = brennicqt.PoCameraLink()
    link.views.set1Value(0, a)
    link.views.set1Value(1, b)
    link.link = brennicqt.PoCameraLink.POSITION
    root.addChild(link)
    a.getCamera().position = (1, 2, 8)
    assert b.getCamera().position.getValue() == coin.SbVec3f(1, 2, 8)
    assert c.getCamera().position.getValue() == coin.SbVec3f(0, 0, 8)
    # A zoom is not what this link carries.
    a.getCamera().heightAngle = 0.3
    assert b.getCamera().heightAngle.getValue() != 0.3
    link.views.deleteValues(1)
    a.getCamera().position = (0, 0, 8)
    assert b.getCamera().position.getValue() == coin.SbVec3f(1, 2, 8)
    root.unref()


def test_the_cad_example_links_its_orthographic_views_and_pans_them():
    scene_input = coin.SoInput()
    assert scene_input.openFile(str(EXAMPLES / "cad_quad.iv"))
    root = coin.SoDB.readAll(scene_input)
    root.ref()
    views = {name: coin.SoNode.getByName(name)
             for name in ("Top", "Front", "Side", "Perspective")}
    for name in ("Top", "Front", "Side"):
        assert views[name].navigation.getValue() == brennicqt.PoBaseView.PAN
    assert views["Perspective"].navigation.getValue() == brennicqt.PoBaseView.EXAMINE
    link = coin.SoNode.getByName("OrthographicViews")
    assert isinstance(link, brennicqt.PoCameraLink)
    front = views["Front"].getCamera()
    front.position = front.position.getValue() + coin.SbVec3f(1, 0.5, 0)
    front.height = 2.5
    assert views["Top"].getCamera().position.getValue() == coin.SbVec3f(1, 10.5, 0)
    assert views["Side"].getCamera().height.getValue() == 2.5
    assert views["Perspective"].getCamera().position.getValue() == coin.SbVec3f(7, 5, 9)
    root.unref()
