"""Wrong arguments raise Python exceptions that name what was expected;
none of them reaches the library as a null or a foreign object."""
import pytest
from pivy import coin
from pivy.gui import soqt

import brennicqt


@pytest.fixture(scope="module")
def viewer(qt_window):
    return soqt.SoQtExaminerViewer(qt_window)


def cases(viewer):
    view = brennicqt.PoSceneView()
    renderer = brennicqt.PoOffscreenRenderer(8, 8)
    x3d = brennicqt.PoToX3DAction()
    View = brennicqt.PoBaseView
    return [
        # (what is called, the exception, a word the message must hold)
        (lambda: renderer.render(None), TypeError, "SoNode"),
        (lambda: renderer.render(view, 0, 1), RuntimeError, "tiles"),
        (lambda: renderer.renderTile(view, 4, 4, 8, 8), RuntimeError, "outside"),
        (lambda: renderer.render("scene"), TypeError, "SoNode"),
        (lambda: brennicqt.PoOffscreenRenderer(0, 10), ValueError, "1 to 1000000"),
        (lambda: brennicqt.PoOffscreenRenderer(10, -3), ValueError, "1 to 1000000"),
        (lambda: renderer.setSize(1000001, 10), ValueError, "1 to 1000000"),
        (lambda: renderer.renderTile(view, 0, 0, 0, 4), ValueError, "1 to 1000000"),
        (lambda: renderer.setBackgroundColor("red"), TypeError, "SbColor"),
        (lambda: brennicqt.PoSceneView.setBackgroundColor(coin.SoCube(), (1, 0, 0)),
         TypeError, "PoSceneView"),
        (lambda: brennicqt.PoSceneView.viewAll(None, (10, 10)), TypeError, "PoSceneView"),
        (lambda: view.setBorderColor((1, 0)), TypeError, "SbColor"),
        (lambda: view.setBorderColor((1, "0", 0)), TypeError, "SbColor"),
        (lambda: view.viewAll("window"), TypeError, "SbVec2s"),
        (lambda: view.setCamera(coin.SoCube()), TypeError, "SoQtViewer"),
        (lambda: view.setCamera(None), TypeError, "SoQtViewer"),
        (lambda: View.getView(None, 1, 1), TypeError, "SoQtRenderArea"),
        (lambda: View.getView(view, 1, 1), TypeError, "SoQtRenderArea"),
        (lambda: View.installViewingEventCB(None), TypeError, "SoQtViewer"),
        (lambda: View.installViewingEventCB(coin.SoSeparator()), TypeError, "SoQtViewer"),
        (lambda: View.installViewingEventCB(viewer, 42), TypeError, "callable"),
        (lambda: View.viewingEventCB(viewer, "press"), TypeError, "QEvent"),
        (lambda: x3d.apply(None), TypeError, "apply"),
        (lambda: x3d.setEncoding("XML"), TypeError, "Encoding"),
        (lambda: brennicqt.PoToVRML2Action().apply(42), TypeError, "apply"),
    ]


def test_wrong_arguments_raise(viewer):
    for index, (call, error, expected) in enumerate(cases(viewer)):
        with pytest.raises(error) as raised:
            call()
        assert expected in str(raised.value), (index, str(raised.value))
    # and nothing was left broken
    assert brennicqt.PoOffscreenRenderer(8, 8).render(brennicqt.PoSceneView()).shape == (8, 8, 3)
