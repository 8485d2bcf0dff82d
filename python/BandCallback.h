#ifndef BRENNICQT_PYTHON_BANDCALLBACK_H
#define BRENNICQT_PYTHON_BANDCALLBACK_H

#include <Python.h>

class PoOffscreenRenderer;
class SoNode;

// PoOffscreenRenderer::renderBands with a Python callable as the sink:
// sink(top, rows) gets each band as a new NumPy array of shape (count,
// width, 3), uint8, the top row first, `top` its first row counted from the
// picture's top. Answers None; raises RuntimeError with the reason when the
// render fails, and the sink's own exception, which stops the render, as it
// is.
PyObject *renderBandsToCallable(PoOffscreenRenderer &renderer, SoNode *root, PyObject *sink,
                                int columns, int rows);

#endif
