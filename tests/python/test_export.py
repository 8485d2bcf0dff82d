"""The conversion actions from Python: results are pivy's nodes and text."""
from pivy import coin

import brennicqt
from conftest import read_scene, scene_view


def written(node, directory):
    path = directory / "written.wrl"
    output = coin.SoOutput()
    assert output.openFile(str(path))
    coin.SoWriteAction(output).apply(node)
    output.closeFile()
    return path.read_text()


def quadrants():
    return read_scene("Separator { %s %s }" % (
        scene_view("First", (0, 0), (0.5, 1), (1, 0, 0)),
        scene_view("Second", (0.5, 0), (0.5, 1), (0, 0, 1))))


def test_vrml97_export_gives_pivy_nodes(tmp_path):
    root = quadrants()
    action = brennicqt.PoToVRML2Action()
    assert action.isFirstSceneViewSensitive() == 0
    action.apply(root)
    result = action.getVRML2SceneGraph()
    assert type(result) is coin.SoVRMLCollision
    text = written(result, tmp_path)
    assert text.count("ProximitySensor") == 2  # both views fixed to the viewer
    action.setFirstSceneViewSensitive(1)
    assert action.isFirstSceneViewSensitive() == 1
    action.apply(root)
    assert written(action.getVRML2SceneGraph(), tmp_path).count("ProximitySensor") == 1


def test_x3d_export_settings_show_in_the_text():
    root = quadrants()
    action = brennicqt.PoToX3DAction()
    assert action.getEncoding() == brennicqt.PoToX3DAction.CLASSIC_VRML
    assert action.hasHeadlight()
    action.apply(root)
    classic = action.getX3DText()
    assert classic.startswith("#X3D")
    assert classic.count("Layer {") == 2  # one for each view
    action.setEncoding(brennicqt.PoToX3DAction.XML)
    action.setHeadlight(False)
    assert action.getEncoding() == brennicqt.PoToX3DAction.XML
    assert not action.hasHeadlight()
    action.apply(root)
    xml = action.getX3DText()
    assert xml.startswith("<?xml") and "<X3D" in xml
    assert "headlight='false'" in xml or 'headlight="false"' in xml


def test_path_forms_of_apply():
    root = quadrants()
    search = coin.SoSearchAction()
    search.setName("Second")
    search.apply(root)
    action = brennicqt.PoToX3DAction()
    action.apply(search.getPath())
    assert "Layer" in action.getX3DText()
    paths = coin.SoPathList()
    paths.append(search.getPath())
    action.apply(paths)
    assert "Layer" in action.getX3DText()
    vrml = brennicqt.PoToVRML2Action()
    vrml.apply(search.getPath())
    assert vrml.getVRML2SceneGraph() is not None
