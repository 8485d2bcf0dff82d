"""PoViewLayout from Python: the layout of a scene's views, and the mouse
gestures of a pivy viewer it is installed on."""
from PySide2 import QtCore, QtGui, QtWidgets
from pivy.gui import soqt

import brennicqt
from conftest import colour, read_scene, render, scene_view

GREEN, BLUE = (0, 0.6, 0), (0, 0, 0.6)


def two_views():
    root = read_scene("Separator { %s %s }" % (
        scene_view("Left", (0, 0), (0.5, 1), GREEN), scene_view("Right", (0.5, 0), (0.5, 1), BLUE)))
    return root, root.getChild(0), root.getChild(1)


def test_maximize_restore_and_edges_change_what_is_rendered():
    root, left, right = two_views()
    layout = brennicqt.PoViewLayout(root)
    assert layout.getNumViews() == 2 and layout.getViewAt(0.75, 0.5) == right
    assert layout.maximize(right) and layout.getMaximized() == right
    assert list(render(root)[60, 5]) == colour(BLUE)
    layout.restore()
    assert layout.getMaximized() is None and list(render(root)[60, 5]) == colour(GREEN)
    assert layout.moveEdge(left, brennicqt.PoViewLayout.RIGHT, 0.75)
    assert list(render(root)[60, 100]) == colour(GREEN)
    layout.equalize()
    assert right.viewportOrigin.getValue()[0] == 0.5
    layout.setMinimumSize((0.125, 0.25))
    assert list(layout.getMinimumSize()) == [0.125, 0.25]


def test_a_double_click_in_an_installed_viewer_maximizes(qt_window):
    root, left, right = two_views()
    viewer = soqt.SoQtExaminerViewer(qt_window)
    viewer.setSceneGraph(root)
    viewer.show()
    layout = brennicqt.PoViewLayout.install(viewer)
    assert brennicqt.PoViewLayout.install(viewer).getSceneGraph() == root
    QtWidgets.QApplication.processEvents()
    area = viewer.getGLWidget()
    at = QtCore.QPointF(area.width() * 3 // 4, area.height() // 2)
    QtWidgets.QApplication.sendEvent(area, QtGui.QMouseEvent(
        QtCore.QEvent.MouseButtonDblClick, at, QtCore.Qt.LeftButton, QtCore.Qt.LeftButton,
        QtCore.Qt.NoModifier))
    assert layout.getMaximized() == right and not left.isVisible.getValue()
    viewer.hide()
