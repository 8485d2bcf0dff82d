// How values cross between Python and the library.

%include <std_string.i>

%{
#include "BandCallback.h"
#include "ImageArray.h"
#include "ViewingCallback.h"

#include <Inventor/SbColor.h>
#include <Inventor/SbString.h>
#include <Inventor/SbVec2f.h>
#include <Inventor/SbVec2s.h>
#include <Inventor/nodes/SoCamera.h>
#include <Inventor/nodes/SoOrthographicCamera.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/VRMLnodes/SoVRMLGroup.h>

// The proxy of the most derived class any SWIG module of the process knows
// for a Coin object, as pivy's own functions give it: the object's type is
// looked up by its name, then by its parents', with and without the "So"
// prefix Coin leaves out of its own type names. The proxy holds a reference.
static PyObject *brennicqtProxy(SoBase *object) {
  if (!object) Py_RETURN_NONE;
  for (SoType type = object->getTypeId(); !type.isBad(); type = type.getParent()) {
    const SbString name = type.getName().getString();
    for (const SbString &candidate : {name + " *", SbString("So") + name + " *"}) {
      if (swig_type_info *info = SWIG_TypeQuery(candidate.getString())) {
        object->ref();
        return SWIG_NewPointerObj(object, info, SWIG_POINTER_OWN);
      }
    }
  }
  return SWIG_NewPointerObj(object, SWIG_TypeQuery("SoBase *"), 0);
}

// Numbers from a Python sequence of exactly `count` numbers.
template <class Number>
static bool brennicqtNumbers(PyObject *input, int count, Number *values) {
  if (!PySequence_Check(input) || PyUnicode_Check(input) || PySequence_Size(input) != count)
    return false;
  for (int i = 0; i < count; ++i) {
    PyObject *item = PySequence_GetItem(input, i);
    const bool isNumber = item && PyNumber_Check(item);
    const double value = isNumber ? PyFloat_AsDouble(item) : 0.0;
    Py_XDECREF(item);
    if (!isNumber || PyErr_Occurred()) {
      PyErr_Clear();
      return false;
    }
    values[i] = static_cast<Number>(value);
  }
  return true;
}
%}

// Nodes come back as pivy gives them: as their most derived class, and held
// by their proxy. A method returning another node class adds it here (not a
// class a constructor returns: SWIG's constructors hold their object already).
%typemap(out) SoNode *, SoCamera *, SoPerspectiveCamera *, SoOrthographicCamera *,
              SoVRMLGroup *, PoBaseView * "$result = brennicqtProxy($1);"

// No pointer argument may be None: the library would take it for a null
// object, and a null view or scene is never what a Python caller means.
%typemap(check) SWIGTYPE * %{
  if (!$1) SWIG_exception_fail(SWIG_TypeError, "in method '$symname', expected a $1_basetype, got None");
%}

// Colours and window sizes: pivy's SbColor and SbVec2s, or plain sequences.
%define BRENNICQT_VECTOR(TYPE, NUMBER, COUNT, WHAT)
%typemap(in) const TYPE & (TYPE converted) {
  void *pointer = 0;
  NUMBER values[COUNT];
  if (SWIG_IsOK(SWIG_ConvertPtr($input, &pointer, $1_descriptor, 0)) && pointer) {
    $1 = reinterpret_cast<TYPE *>(pointer);
  } else if (brennicqtNumbers($input, COUNT, values)) {
    converted.setValue(values);
    $1 = &converted;
  } else {
    SWIG_exception_fail(SWIG_TypeError, "in method '$symname', expected " WHAT);
  }
}
%typemap(typecheck, precedence=SWIG_TYPECHECK_POINTER) const TYPE & {
  void *pointer = 0;
  NUMBER values[COUNT];
  $1 = (SWIG_IsOK(SWIG_ConvertPtr($input, &pointer, $1_descriptor, SWIG_POINTER_NO_NULL)) ||
        brennicqtNumbers($input, COUNT, values)) ? 1 : 0;
}
// A copy of its own: the original belongs to the C++ object.
%typemap(out) const TYPE & "$result = SWIG_NewPointerObj(new TYPE(*$1), $1_descriptor, SWIG_POINTER_OWN);"
%enddef

BRENNICQT_VECTOR(SbColor, float, 3, "an SbColor or three numbers (red, green, blue)")
BRENNICQT_VECTOR(SbVec2s, short, 2, "an SbVec2s or two numbers (width, height in pixels)")
BRENNICQT_VECTOR(SbVec2f, float, 2, "an SbVec2f or two numbers (width, height)")

// Pictures: NumPy arrays of shape (height, width, 3), uint8, top row first.
// Only PoOffscreenRenderer returns pictures; an empty one means it failed.
%typemap(out) QImage {
  if ($1.isNull()) {
    PyErr_SetString(PyExc_RuntimeError, arg1->getLastError().c_str());
    SWIG_fail;
  }
  $result = imageArray($1);
  if (!$result) SWIG_fail;
}

// Picture sizes in pixels: posters rendered in bands may be larger than
// pictures held whole, which say so when they are rendered.
%typemap(check) int width, int height %{
  if ($1 < 1 || $1 > PoOffscreenRenderer::kMaxBandedSide)
    SWIG_exception_fail(SWIG_ValueError, "in method '$symname', a side of a picture must be 1 to 1000000 pixels");
%}

// Qt events as PySide2 gives them.
%typemap(in) QEvent * {
  $1 = eventFromPython($input);
  if (!$1) SWIG_fail;
}
