#!/usr/bin/env python3
"""PoOffscreenRenderer.render from Python against the same render from C++
(brennicqt_bench's BM_FourQuadrantsPicture_1920x1080): the four-quadrant
example at 1920x1080, the renderer kept from render to render in both.
Prints both times per picture and their ratio.

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
PICTURES = 40


def cpp_milliseconds(build):
    run = subprocess.run(
        [str(build / "bench" / "brennicqt_bench"),
         "--benchmark_filter=BM_FourQuadrantsPicture_1920x1080",
         "--benchmark_format=json", "--benchmark_repetitions=3",
         "--benchmark_report_aggregates_only=true"],
        check=True, capture_output=True, text=True)
    results = json.loads(run.stdout)["benchmarks"]
    return next(r["real_time"] for r in results if r.get("aggregate_name") == "median")


def python_milliseconds():
    scene_input = coin.SoInput()
    assert scene_input.openFile(str(SCENE))
    root = coin.SoDB.readAll(scene_input)
    renderer = brennicqt.PoOffscreenRenderer(1920, 1080)
    for _ in range(3):
        renderer.render(root)
    medians = []
    for _ in range(3):
        times = []
        for _ in range(PICTURES):
            start = time.perf_counter()
            renderer.render(root)
            times.append(time.perf_counter() - start)
        medians.append(sorted(times)[len(times) // 2] * 1000)
    return sorted(medians)[1]


def main():
    build = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "build"
    application = QtGui.QGuiApplication(sys.argv[:1])
    python = python_milliseconds()
    cpp = cpp_milliseconds(build)
    print("four_quadrants.iv at 1920x1080: C++ %.1f ms, Python %.1f ms a picture, "
          "ratio %.3f" % (cpp, python, python / cpp))
    del application


if __name__ == "__main__":
    main()
