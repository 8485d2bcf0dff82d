"""Mouse presses in a pivy SoQt viewer pick the view whose camera the viewer
moves."""
import pytest
from PySide2 import QtCore, QtGui, QtWidgets
from pivy import coin
from pivy.gui import soqt

import brennicqt
from conftest import read_scene, scene_view

WIDTH, HEIGHT = 400, 200


@pytest.fixture
def two_views():
    root = read_scene("Separator { %s %s }" % (
        scene_view("Left", (0, 0), (0.5, 1), (0.5, 0, 0)),
        scene_view("Right", (0.5, 0), (0.5, 1), (0, 0, 0.5))))
    left, right = root.getChild(0), root.getChild(1)
    left.sensitiveOnEvents(1)
    right.sensitiveOnEvents(1)
    return root, left, right


@pytest.fixture
def viewer(qt_window, two_views):
    viewer = soqt.SoQtExaminerViewer(qt_window)
    viewer.setSceneGraph(two_views[0])
    viewer.setSize(coin.SbVec2s(WIDTH, HEIGHT))
    viewer.getSceneManager().setWindowSize(coin.SbVec2s(WIDTH, HEIGHT))
    yield viewer
    viewer.setEventCallback(None)


def press(viewer, x, y):
    """A left-button press at widget pixel (x, y), sent to the viewer's GL
    widget as Qt would deliver it."""
    event = QtGui.QMouseEvent(QtCore.QEvent.MouseButtonPress, QtCore.QPointF(x, y),
                              QtCore.Qt.LeftButton, QtCore.Qt.LeftButton, QtCore.Qt.NoModifier)
    QtWidgets.QApplication.sendEvent(viewer.getGLWidget(), event)


def test_installed_callback_routes_a_press_to_the_view_under_it(viewer, two_views):
    _, left, right = two_views
    brennicqt.PoBaseView.installViewingEventCB(viewer)
    press(viewer, 300, 100)
    assert viewer.getCamera() == right.getCamera()
    press(viewer, 100, 100)
    assert viewer.getCamera() == left.getCamera()


def test_python_callback_runs_after_the_routing(viewer, two_views):
    _, left, right = two_views
    seen = []

    def callback(data, event):
        seen.append((data, event.type(), event.pos().x(), viewer.getCamera() == right.getCamera()))
        return True

    brennicqt.PoBaseView.installViewingEventCB(viewer, callback, "datum")
    press(viewer, 300, 100)
    assert seen == [("datum", QtCore.QEvent.MouseButtonPress, 300, True)]
    # A callback that raises is reported and the viewer goes on.
    brennicqt.PoBaseView.installViewingEventCB(viewer, lambda data, event: 1 / 0)
    press(viewer, 100, 100)
    assert viewer.getCamera() == left.getCamera()


def test_view_lookup_and_camera_hand_over(viewer, two_views):
    _, left, right = two_views
    assert brennicqt.PoBaseView.getView(viewer, 300, 20) == right
    assert type(brennicqt.PoBaseView.getView(viewer, 20, 20)) is brennicqt.PoSceneView
    right.sensitiveOnEvents(0)
    assert brennicqt.PoBaseView.getView(viewer, 300, 20) is None
    left.setCamera(viewer)
    assert viewer.getCamera() == left.getCamera()
    event = QtGui.QMouseEvent(QtCore.QEvent.MouseButtonPress, QtCore.QPointF(100, 50),
                              QtCore.Qt.LeftButton, QtCore.Qt.LeftButton, QtCore.Qt.NoModifier)
    right.sensitiveOnEvents(1)
    assert brennicqt.PoBaseView.viewingEventCB(viewer, event) == 0
    event = QtGui.QMouseEvent(QtCore.QEvent.MouseButtonPress, QtCore.QPointF(300, 50),
                              QtCore.Qt.LeftButton, QtCore.Qt.LeftButton, QtCore.Qt.NoModifier)
    brennicqt.PoBaseView.viewingEventCB(viewer, event)
    assert viewer.getCamera() == right.getCamera()


def test_a_press_makes_its_view_the_active_one(viewer, two_views):
    _, left, right = two_views
    brennicqt.PoBaseView.installViewingEventCB(viewer)
    press(viewer, 300, 100)
    assert brennicqt.PoBaseView.getActiveView(viewer) == right
    press(viewer, 100, 100)
    active = brennicqt.PoBaseView.getActiveView(viewer)
    assert active == left and type(active) is brennicqt.PoSceneView
    viewer.setCamera(coin.SoPerspectiveCamera())
    assert brennicqt.PoBaseView.getActiveView(viewer) is None
