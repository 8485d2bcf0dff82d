#include "ImageArray.h"

#include <QImage>

#include <cstring>

PyObject *imageArray(const QImage &image) {
  const QImage rgb =
      image.format() == QImage::Format_RGB888 ? image : image.convertToFormat(QImage::Format_RGB888);
  PyObject *numpy = PyImport_ImportModule("numpy");
  if (!numpy) return nullptr;
  PyObject *array =
      PyObject_CallMethod(numpy, "empty", "((iii)s)", rgb.height(), rgb.width(), 3, "uint8");
  Py_DECREF(numpy);
  if (!array) return nullptr;
  Py_buffer buffer;
  if (PyObject_GetBuffer(array, &buffer, PyBUF_C_CONTIGUOUS | PyBUF_WRITABLE) != 0) {
    Py_DECREF(array);
    return nullptr;
  }
  // QImage pads its rows to four bytes; the array's rows are packed.
  const std::size_t row = std::size_t(rgb.width()) * 3;
  char *to = static_cast<char *>(buffer.buf);
  for (int y = 0; y < rgb.height(); ++y, to += row) std::memcpy(to, rgb.constScanLine(y), row);
  PyBuffer_Release(&buffer);
  return array;
}
