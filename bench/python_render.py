#!/usr/bin/env python3
"""PoOffscreenRenderer.render from Python against the same render from C++:
the four-quadrant example at 1920x1080, each renderer kept from picture to
picture.

Both run in this one process, in turns, so that other work on the machine
weighs on both alike: the C++ render is the library's own
PoOffscreenRenderer::render called directly (through ctypes, with no binding
in between), the Python one brennicqt's, which adds the NumPy array. The
fastest mean of each over several runs, and their ratio, are printed, and
with them brennicqt_bench's BM_FourQuadrantsPicture_1920x1080 (its own
process) for reference.

    scripts/python.sh bench/python_render.py [BUILD_DIR]
"""
import ctypes
import json
import pathlib
import subprocess
import sys
import time

from PySide2 import QtGui
from pivy import coin

import brennicqt

ROOT = pathlib.Path(__file__).resolve().parents[1]
SCENE = ROOT / "examples" / "four_quadrants.iv"
WIDTH, HEIGHT = 1920, 1080
PICTURES = 10
ROUNDS = 5


class DirectRenderer:
    """The library's PoOffscreenRenderer, called by its C++ symbols. A QImage
    is returned through a hidden first argument; 64 bytes hold either
    object."""

    def __init__(self, width, height):
        self.library = ctypes.CDLL("libBrennicQt.so.8")  # the one brennicqt loaded
        self.gui = ctypes.CDLL("libQt5Gui.so.5")
        self.renderer = ctypes.create_string_buffer(64)
        self.image = ctypes.create_string_buffer(64)
        self.library._ZN19PoOffscreenRendererC1Eii(self.renderer, width, height)

    def render(self, root):
        self.library._ZN19PoOffscreenRenderer6renderEP6SoNode(
            self.image, self.renderer, ctypes.c_void_p(int(root.this)))
        self.gui._ZN6QImageD1Ev(self.image)

    def close(self):
        self.library._ZN19PoOffscreenRendererD1Ev(self.renderer)


def mean_milliseconds(render, root):
    start = time.perf_counter()
    for _ in range(PICTURES):
        render(root)
    return (time.perf_counter() - start) / PICTURES * 1000


def benchmark_milliseconds(build):
    run = subprocess.run(
        [str(build / "bench" / "brennicqt_bench"),
         "--benchmark_filter=BM_FourQuadrantsPicture_1920x1080",
         "--benchmark_format=json", "--benchmark_repetitions=3"],
        check=True, capture_output=True, text=True)
    results = json.loads(run.stdout)["benchmarks"]
    return min(r["real_time"] for r in results if r.get("run_type") == "iteration")


def main():
    build = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "build"
    application = QtGui.QGuiApplication(sys.argv[:1])
    scene_input = coin.SoInput()
    assert scene_input.openFile(str(SCENE))
    root = coin.SoDB.readAll(scene_input)
    root.ref()
    python = brennicqt.PoOffscreenRenderer(WIDTH, HEIGHT)
    cpp = DirectRenderer(WIDTH, HEIGHT)
    for render in (python.render, cpp.render):
        render(root)  # the GL context and Coin's caches
    best = {"python": float("inf"), "cpp": float("inf")}
    for _ in range(ROUNDS):
        best["cpp"] = min(best["cpp"], mean_milliseconds(cpp.render, root))
        best["python"] = min(best["python"], mean_milliseconds(python.render, root))
    cpp.close()
    del python
    print("four_quadrants.iv at %dx%d, one process: C++ %.1f ms, Python %.1f ms a picture, "
          "ratio %.3f" % (WIDTH, HEIGHT, best["cpp"], best["python"],
                          best["python"] / best["cpp"]))
    print("brennicqt_bench in its own process: %.1f ms a picture" % benchmark_milliseconds(build))
    del application


if __name__ == "__main__":
    main()
