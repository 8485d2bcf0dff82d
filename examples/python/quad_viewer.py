#!/usr/bin/env python3
"""Four scene views in a 2x2 layout in pivy's SoQt examiner viewer. Press a
mouse button over a view and the viewer drives that view's camera: drag to
rotate it, turn the wheel to zoom it. Each press names the view it chose.

    quad_viewer.py [--exit-after MILLISECONDS]

Run it with scripts/python.sh on a display.
"""
import sys

from PySide2 import QtCore
from pivy import coin
from pivy.gui import soqt

import brennicqt

# name, lower-left corner, background, shape
QUADRANTS = [
    ("TopLeft", (0.0, 0.5), (0.10, 0.10, 0.40), coin.SoCone),
    ("TopRight", (0.5, 0.5), (0.10, 0.35, 0.10), coin.SoCube),
    ("BottomLeft", (0.0, 0.0), (0.40, 0.10, 0.10), coin.SoSphere),
    ("BottomRight", (0.5, 0.0), (0.30, 0.30, 0.30), coin.SoCylinder),
]


def quadrant_view(name, origin, background, shape):
    view = brennicqt.PoSceneView()
    view.setName(name)
    view.viewportOrigin = origin
    view.viewportSize = (0.5, 0.5)
    view.isBackgroundVisible = True
    view.isBorderVisible = True
    view.setBackgroundColor(background)
    view.setBorderColor((1, 1, 1))
    view.setBorderWidth(3)
    scene = coin.SoSeparator()
    material = coin.SoMaterial()
    material.diffuseColor = (1.0, 0.8, 0.2)
    scene.addChild(material)
    scene.addChild(shape())
    view.setPart("scene", scene)
    view.getCamera().position = (0, 0, 6)
    view.sensitiveOnEvents(1)  # views take part in the routing only when told so
    return view


def name_the_chosen_view(viewer, event):
    """Runs after the routing, with the chosen view's camera in the viewer."""
    if event.type() == QtCore.QEvent.MouseButtonPress:
        view = brennicqt.PoBaseView.getView(viewer, event.pos().x(), event.pos().y())
        print("pressed in", view.getName().getString() if view else "no view")
    return False  # the viewer goes on to rotate or zoom


def main(arguments):
    window = soqt.SoQt.init(sys.argv[0])
    root = coin.SoSeparator()
    for quadrant in QUADRANTS:
        root.addChild(quadrant_view(*quadrant))

    viewer = soqt.SoQtExaminerViewer(window)
    viewer.setSceneGraph(root)
    viewer.setTitle("Four views: press one to drive its camera")
    viewer.setSize(coin.SbVec2s(800, 600))
    brennicqt.PoBaseView.installViewingEventCB(viewer, name_the_chosen_view, viewer)
    root.getChild(0).setCamera(viewer)
    viewer.show()
    soqt.SoQt.show(window)
    if arguments[:1] == ["--exit-after"]:
        QtCore.QTimer.singleShot(int(arguments[1]), soqt.SoQt.exitMainLoop)
    soqt.SoQt.mainLoop()


if __name__ == "__main__":
    main(sys.argv[1:])
