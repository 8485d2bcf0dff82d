#include "BandCallback.h"

#include "PoOffscreenRenderer.h"

#include <cstring>

namespace {

class CallableSink : public PoOffscreenRenderer::BandSink {
public:
  CallableSink(PyObject *sink, int width) : m_sink(sink), m_width(width) {}
  bool takeRows(const unsigned char *rows, int top, int count, int bytesPerLine) override {
    PyObject *band = rowsArray(rows, count, bytesPerLine);
    if (!band) return false;
    PyObject *answer = PyObject_CallFunction(m_sink, "iO", top, band);
    Py_DECREF(band);
    if (!answer) return false;
    Py_DECREF(answer);
    return true;
  }

private:
  PyObject *rowsArray(const unsigned char *rows, int count, int bytesPerLine) const {
    PyObject *numpy = PyImport_ImportModule("numpy");
    if (!numpy) return nullptr;
    PyObject *array = PyObject_CallMethod(numpy, "empty", "((iii)s)", count, m_width, 3, "uint8");
    Py_DECREF(numpy);
    if (!array) return nullptr;
    Py_buffer buffer;
    if (PyObject_GetBuffer(array, &buffer, PyBUF_C_CONTIGUOUS | PyBUF_WRITABLE) != 0) {
      Py_DECREF(array);
      return nullptr;
    }
    const std::size_t row = std::size_t(m_width) * 3;
    char *to = static_cast<char *>(buffer.buf);
    for (int y = 0; y < count; ++y, to += row)
      std::memcpy(to, rows + std::ptrdiff_t(y) * bytesPerLine, row);
    PyBuffer_Release(&buffer);
    return array;
  }

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
