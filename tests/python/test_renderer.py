"""PoOffscreenRenderer from Python: NumPy pictures, top row first, the same
pixels poview renders."""
import os
import subprocess
import sys

import numpy as np
import pytest
from PySide2 import QtGui

import brennicqt
from conftest import EXAMPLES, colour, read_scene, scene_view


def top_half_red():
    return read_scene("Separator { %s }" % scene_view("Top", (0, 0.5), (1, 0.5), (1, 0, 0)))


def test_render_gives_rows_from_the_top():
    renderer = brennicqt.PoOffscreenRenderer(64, 48)
    picture = renderer.render(top_half_red())
    assert picture.shape == (48, 64, 3) and picture.dtype == np.uint8
    assert picture[2, 2].tolist() == colour((1, 0, 0))
    assert picture[45, 2].tolist() == [0, 0, 0]
    assert renderer.getLastError() == ""


def test_settings_take_effect():
    root = top_half_red()
    renderer = brennicqt.PoOffscreenRenderer(64, 48)
    renderer.setSize(80, 60)
    assert (renderer.getWidth(), renderer.getHeight()) == (80, 60)
    renderer.setBackgroundColor((0, 0, 1))
    assert renderer.getBackgroundColor().getValue() == (0, 0, 1)
    whole = renderer.render(root)
    assert whole.shape == (60, 80, 3)
    assert whole[58, 2].tolist() == colour((0, 0, 1))

    renderer.setMaximumTileSize(32)
    assert renderer.getMaximumTileSize() == 32
    assert np.array_equal(renderer.render(root), whole)
    assert np.array_equal(renderer.render(root, 2, 3), whole)
    # Tiles are placed from the lower left, as Coin's viewports are.
    tile = renderer.renderTile(root, 40, 0, 40, 30)
    assert np.array_equal(tile, whole[30:, 40:])

    assert renderer.getMode() == brennicqt.PoOffscreenRenderer.STANDARD
    renderer.setMode(brennicqt.PoOffscreenRenderer.LOGICAL_VIEWPORT)
    assert renderer.getMode() == brennicqt.PoOffscreenRenderer.LOGICAL_VIEWPORT
    assert np.array_equal(renderer.render(root), whole)


def test_pictures_match_poview(tmp_path):
    scene = EXAMPLES / "four_quadrants.iv"
    expected = tmp_path / "poview.png"
    subprocess.run([os.environ["POVIEW_EXECUTABLE"], "render", str(scene), "-o", str(expected),
                    "--size", "320x240", "--no-headlight"], check=True)
    image = QtGui.QImage(str(expected)).convertToFormat(QtGui.QImage.Format_RGB888)
    want = np.array([[image.pixelColor(x, y).getRgb()[:3] for x in range(320)]
                     for y in range(240)], dtype=np.uint8)
    from pivy import coin
    scene_input = coin.SoInput()
    assert scene_input.openFile(str(scene))
    got = brennicqt.PoOffscreenRenderer(320, 240).render(coin.SoDB.readAll(scene_input))
    assert np.array_equal(got, want)


def test_a_renderer_may_outlive_the_application():
    code = """
from PySide2 import QtGui
import brennicqt
renderer = brennicqt.PoOffscreenRenderer(16, 16)
application = QtGui.QGuiApplication([])
renderer.render(brennicqt.PoSceneView())
del application
"""
    result = subprocess.run([sys.executable, "-c", code], capture_output=True, timeout=120)
    assert result.returncode == 0, result.stderr


def test_render_bands_hands_over_the_picture_band_by_band():
    root = top_half_red()
    renderer = brennicqt.PoOffscreenRenderer(64, 48)
    whole = renderer.render(root)
    renderer.setBandMemory(64 * 3 * 10)
    bands = []
    assert renderer.renderBands(root, lambda top, rows: bands.append((top, rows))) is None
    assert len(bands) == 5
    assert [top for top, _ in bands] == [0] + [
        top + len(rows) for top, rows in bands[:-1]]
    assert np.array_equal(np.vstack([rows for _, rows in bands]), whole)


def test_render_bands_stops_on_the_sinks_exception_and_reports_failures():
    class Full(Exception):
        pass

    def full(top, rows):
        raise Full()

    renderer = brennicqt.PoOffscreenRenderer(64, 48)
    with pytest.raises(Full):
        renderer.renderBands(top_half_red(), full)
    with pytest.raises(TypeError):
        renderer.renderBands(top_half_red(), 42)
    renderer.setSize(40000, 2)
    renderer.setMode(brennicqt.PoOffscreenRenderer.LOGICAL_VIEWPORT)
    with pytest.raises(RuntimeError, match="32767"):
        renderer.renderBands(top_half_red(), lambda top, rows: None)
