#include "ImageArray.h"

#include <QImage>

#include <cstddef>
#include <cstring>

PyObject *rowsArray(const unsigned char *rows, int count, int width, int bytesPerLine) {
  PyObject *numpy = PyImport_ImportModule("numpy");
  if (!numpy) return nullptr;
  PyObject *array = PyObject_CallMethod(numpy, "empty", "((iii)s)", count, width, 3, "uint8");
  Py_DECREF(numpy);
  if (!array) return nullptr;
  Py_buffer buffer;
  if (PyObject_GetBuffer(array, &buffer, PyBUF_C_CONTIGUOUS | PyBUF_WRITABLE) != 0) {
    Py_DECREF(array);
    return nullptr;
  }
  // The array's rows are packed; the source's may be padded.
  const std::size_t row = std::size_t(width) * 3;
  char *to = static_cast<char *>(buffer.buf);
  for (int y = 0; y < count; ++y, to += row)
    std::memcpy(to, rows + std::ptrdiff_t(y) * bytesPerLine, row);
  PyBuffer_Release(&buffer);
  return array;
}

PyObject *imageArray(const QImage &image) {
  const QImage rgb =
      image.format() == QImage::Format_RGB888 ? image : image.convertToFormat(QImage::Format_RGB888);
  return rowsArray(rgb.constBits(), rgb.height(), rgb.width(), int(rgb.bytesPerLine()));
}
