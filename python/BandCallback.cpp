#include "BandCallback.h"

#include "ImageArray.h"
#include "PoOffscreenRenderer.h"

namespace {

class CallableSink : public PoOffscreenRenderer::BandSink {
public:
  CallableSink(PyObject *sink, int width) : m_sink(sink), m_width(width) {}
  bool takeRows(const unsigned char *rows, int top, int count, int bytesPerLine) override {
    PyObject *band = rowsArray(rows, count, m_width, bytesPerLine);
    if (!band) return false;
    PyObject *answer = PyObject_CallFunction(m_sink, "iO", top, band);
    Py_DECREF(band);
    if (!answer) return false;
    Py_DECREF(answer);
    return true;
  }

private:
  PyObject *m_sink;
  int m_width;
};

} // namespace

PyObject *renderBandsToCallable(PoOffscreenRenderer &renderer, SoNode *root, PyObject *sink,
                                int columns, int rows) {
  if (!PyCallable_Check(sink)) {
    PyErr_SetString(PyExc_TypeError, "the sink must be callable as sink(top, rows)");
    return nullptr;
  }
  CallableSink callable(sink, renderer.getWidth());
  if (renderer.renderBands(root, callable, columns, rows)) Py_RETURN_NONE;
  if (!PyErr_Occurred()) PyErr_SetString(PyExc_RuntimeError, renderer.getLastError().c_str());
  return nullptr;
}
