#!/usr/bin/env python3
"""PoOffscreenRenderer.render from Python against the same render from C++
(brennicqt_bench's BM_FourQuadrantsPicture_1920x1080): the four-quadrant
example at 1920x1080, the renderer kept from render to render in both.
Prints the time per picture of each (the fastest of several runs of
many pictures) and their ratio.

    scripts/python.sh bench/python_render.py [BUILD_DIR]
"""
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
PICTURES = 20
ROUNDS = 3


def cpp_milliseconds(build):
    """The fastest repetition of the C++ benchmark (each the mean of its
    iterations)."""
    run = subprocess.run(
        [str(build / "bench" / "brennicqt_bench"),
         "--benchmark_filter=BM_FourQuadrantsPicture_1920x1080",
         "--benchmark_format=json", "--benchmark_repetitions=3"],
        check=True, capture_output=True, text=True)
    results = json.loads(run.stdout)["benchmarks"]
    return min(r["real_time"] for r in results if r.get("run_type") == "iteration")


def python_milliseconds(renderer, root):
    """The mean of a run of renders from Python, as a repetition of the C++
    benchmark gives it."""
    start = time.perf_counter()
    for _ in range(PICTURES):
        renderer.render(root)
    return (time.perf_counter() - start) / PICTURES * 1000


def main():
    build = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "build"
    application = QtGui.QGuiApplication(sys.argv[:1])
    scene_input = coin.SoInput()
    assert scene_input.openFile(str(SCENE))
    root = coin.SoDB.readAll(scene_input)
    root.ref()
    renderer = brennicqt.PoOffscreenRenderer(1920, 1080)
    renderer.render(root)  # the GL context and Coin's caches
    # Rounds of each in turn, the fastest of all: other work on the machine
    # only ever slows a render down.
    python, cpp = float("inf"), float("inf")
    for _ in range(ROUNDS):
        python = min(python, python_milliseconds(renderer, root))
        cpp = min(cpp, cpp_milliseconds(build))
    print("four_quadrants.iv at 1920x1080: C++ %.1f ms, Python %.1f ms a picture, "
          "ratio %.3f" % (cpp, python, python / cpp))
    del application


if __name__ == "__main__":
    main()
