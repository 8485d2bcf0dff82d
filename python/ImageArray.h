#ifndef BRENNICQT_PYTHON_IMAGEARRAY_H
#define BRENNICQT_PYTHON_IMAGEARRAY_H

#include <Python.h>

class QImage;

// Rows of RGB pixels (three bytes each, `bytesPerLine` apart, the top row
// first) as a new NumPy array of shape (count, width, 3) and type uint8.
// Null, with the Python error set, if NumPy fails.
PyObject *rowsArray(const unsigned char *rows, int count, int width, int bytesPerLine);

// A picture as such an array, the top row first.
PyObject *imageArray(const QImage &image);

#endif
