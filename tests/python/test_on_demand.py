"""pivy alone reads scene files of views through Coin's on-demand loading,
and the module's class registration can be undone and redone. Each runs in
a Python of its own: the library search path and the way Coin is loaded are
fixed when a process starts."""
import os
import subprocess
import sys

from conftest import EXAMPLES

READ_WITH_PIVY_ONLY = """
import os, sys
if sys.argv[1] == "global":
    sys.setdlopenflags(os.RTLD_GLOBAL | os.RTLD_NOW)
from pivy import coin
coin.SoDB.init()
coin.SoNodeKit.init()
scene_input = coin.SoInput()
scene_input.openFile(sys.argv[2])
root = coin.SoDB.readAll(scene_input)
if root is None:
    sys.exit(3)
search = coin.SoSearchAction()
search.setType(coin.SoType.fromName("PoBaseView"))
search.setInterest(coin.SoSearchAction.ALL)
search.apply(root)
print(" ".join(search.getPaths()[i].getTail().getTypeId().getName().getString()
               for i in range(search.getPaths().getLength())))
"""


def run_python(code, *arguments, environment=None):
    return subprocess.run([sys.executable, "-c", code] + list(arguments), capture_output=True,
                          text=True, env=dict(os.environ, **(environment or {})), timeout=120)


def test_pivy_reads_views_when_coin_is_loaded_with_global_symbols():
    library_path = {"LD_LIBRARY_PATH": os.environ["BRENNICQT_LIBRARY_DIR"],
                    "PYTHONPATH": ""}
    scene = str(EXAMPLES / "four_quadrants.iv")
    loaded = run_python(READ_WITH_PIVY_ONLY, "global", scene, environment=library_path)
    assert loaded.returncode == 0, loaded.stderr
    assert loaded.stdout.split() == ["PoSceneView"] * 4
    assert loaded.stderr == ""
    # With Python's default, local symbols, Coin finds no initClass to call.
    local = run_python(READ_WITH_PIVY_ONLY, "local", scene, environment=library_path)
    assert local.returncode == 3


def test_classes_released_and_registered_again():
    code = """
import brennicqt
from pivy import coin
for release in (brennicqt.PoSceneView.exitClass, brennicqt.PoView.exitClass,
                brennicqt.PoBaseView.exitClass, brennicqt.PoToX3DAction.exitClass,
                brennicqt.PoToVRML2Action.exitClass):
    release()
print(brennicqt.PoSceneView.getClassTypeId().isBad(), brennicqt.PoToX3DAction.getClassTypeId().isBad())
brennicqt.PoBaseView.exitClasses()  # a second release is reported, not fatal
brennicqt.PoBaseView.initClasses()
scene_input = coin.SoInput()
scene_input.setBuffer("#Inventor V2.1 ascii\\nSeparator { PoSceneView { viewportSize 0.5 1 } }")
view = coin.SoDB.readAll(scene_input).getChild(0)
print(type(view).__name__, view.getViewportSize().getValue())
"""
    result = run_python(code)
    assert result.returncode == 0, result.stderr
    assert result.stdout.splitlines() == ["1 1", "PoSceneView [0.5, 1.0]"]
