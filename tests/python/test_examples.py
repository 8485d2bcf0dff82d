"""The Python examples run as the README tells, and render_views.py draws
what poview draws."""
import os
import pathlib
import subprocess
import sys

from PySide2 import QtGui

from conftest import EXAMPLES

PROGRAMS = EXAMPLES / "python"


def run(program, *arguments):
    return subprocess.run([sys.executable, str(PROGRAMS / program)] + list(arguments),
                          capture_output=True, text=True, timeout=120)


def test_render_views_matches_poview(tmp_path):
    scene = str(EXAMPLES / "four_quadrants.iv")
    ours, theirs = tmp_path / "python.png", tmp_path / "poview.png"
    result = run("render_views.py", scene, str(ours), "320x240")
    assert result.returncode == 0, result.stderr
    assert result.stdout.count("PoSceneView") == 4
    subprocess.run([os.environ["POVIEW_EXECUTABLE"], "render", scene, "-o", str(theirs),
                    "--size", "320x240"], check=True)
    assert QtGui.QImage(str(ours)) == QtGui.QImage(str(theirs))


def test_quad_viewer_starts_and_ends():
    result = run("quad_viewer.py", "--exit-after", "500")
    assert result.returncode == 0, result.stderr
