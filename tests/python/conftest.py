"""Shared pieces of the brennicqt tests: a Qt application, scenes read from
text, pictures rendered off screen."""
import os
import pathlib

import pytest
from pivy import coin
from pivy.gui import soqt

import brennicqt

EXAMPLES = pathlib.Path(os.environ.get(
    "BRENNICQT_EXAMPLES_DIR", pathlib.Path(__file__).resolve().parents[2] / "examples"))


@pytest.fixture(scope="session", autouse=True)
def qt_window():
    """SoQt's main widget; SoQt.init also makes the QApplication that
    off-screen rendering needs."""
    return soqt.SoQt.init("brennicqt tests")


def read_scene(text):
    scene_input = coin.SoInput()
    scene_input.setBuffer("#Inventor V2.1 ascii\n" + text)
    root = coin.SoDB.readAll(scene_input)
    assert root is not None, "the test scene does not read"
    root.ref()  # as every pivy program does with a scene it keeps
    return root


def scene_view(name, origin, size, background, extra=""):
    """A scene view holding a cube, with a background of its own."""
    return """
    DEF %s PoSceneView {
      viewportOrigin %g %g
      viewportSize %g %g
      isBackgroundVisible TRUE
      backgroundApp AppearanceKit {
        lightModel LightModel { model BASE_COLOR }
        material Material { diffuseColor %g %g %g }
      }
      cameraKit CameraKit { camera PerspectiveCamera { position 0 0 8 } }
      scene Separator { Cube { } }
      %s
    }""" % ((name,) + tuple(origin) + tuple(size) + tuple(background) + (extra,))


def render(root, width=160, height=120):
    return brennicqt.PoOffscreenRenderer(width, height).render(root)


def colour(values):
    """A colour of 0..1 components as 8-bit pixel values."""
    return [round(255 * value) for value in values]
