#ifndef BRENNICQT_PYTHON_IMAGEARRAY_H
#define BRENNICQT_PYTHON_IMAGEARRAY_H

#include <Python.h>

class QImage;

// A picture as a new NumPy array of shape (height, width, 3) and type uint8,
// the top row first. Null, with the Python error set, if NumPy fails.
PyObject *imageArray(const QImage &image);

#endif
