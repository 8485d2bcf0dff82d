#!/usr/bin/env python3
"""Reads a scene file of views and renders it off screen into a PNG picture,
lit as a viewer lights it, and lists the views it holds.

    render_views.py SCENE.iv OUT.png [WIDTHxHEIGHT]

Run it with scripts/python.sh, which finds the module in the build tree and
starts a virtual X server when there is no display.
"""
import sys

from PySide2 import QtGui
from pivy import coin

import brennicqt


def views_in(root):
    search = coin.SoSearchAction()
    search.setType(brennicqt.PoBaseView.getClassTypeId())
    search.setInterest(coin.SoSearchAction.ALL)
    search.apply(root)
    paths = search.getPaths()
    return [paths[i].getTail() for i in range(paths.getLength())]


def main(arguments):
    if len(arguments) not in (2, 3):
        sys.exit(__doc__)
    scene, output = arguments[:2]
    width, height = (int(side) for side in (arguments[2] if len(arguments) == 3
                                             else "800x600").split("x"))
    application = QtGui.QGuiApplication(sys.argv[:1])  # the renderer needs one

    scene_input = coin.SoInput()
    if not scene_input.openFile(scene):
        sys.exit("cannot open %s" % scene)
    root = coin.SoDB.readAll(scene_input)
    if root is None:
        sys.exit("%s is not a scene file Coin can read" % scene)
    root.ref()  # Coin hands the scene over unreferenced; keep it while in use
    for view in views_in(root):
        print("%s %s at %s, %s of the window" % (
            type(view).__name__, view.getName().getString() or "(unnamed)",
            view.getViewportOrigin().getValue(), view.getViewportSize().getValue()))

    # A headlight ahead of every camera, where SoQt's viewers put theirs.
    lit = coin.SoSeparator()
    headlight = coin.SoDirectionalLight()
    headlight.direction = (1, -1, -10)
    lit.addChild(headlight)
    lit.addChild(root)
    picture = brennicqt.PoOffscreenRenderer(width, height).render(lit)

    image = QtGui.QImage(picture.tobytes(), width, height, 3 * width, QtGui.QImage.Format_RGB888)
    if not image.save(output, "PNG"):
        sys.exit("cannot write %s" % output)
    print("wrote %s (%dx%d)" % (output, width, height))
    del application


if __name__ == "__main__":
    main(sys.argv[1:])
