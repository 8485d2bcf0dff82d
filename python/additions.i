// Python forms of what takes C callbacks.
%extend PoBaseView {
  %feature("docstring") installPythonViewingEventCB
  "installViewingEventCB(viewer, callback=None, userData=None)

  Installs viewingEventCB as the event callback of a pivy SoQt viewer. With a
  callback, callback(userData, event) runs after it for every event, with
  the event as a PySide2 QEvent; a true answer consumes the event.";
  static PyObject *installPythonViewingEventCB(SoQtViewer *viewer, PyObject *callback = Py_None,
                                               PyObject *userData = Py_None) {
    return installViewingEvents(viewer, callback, userData);
  }
}

// A reader hands over the root with a reference held for the caller: the
// proxy takes that one over. Files from Python are read as files; a buffer
// comes as bytes.
%typemap(out) SoSeparator *PoSceneReader::readFile, SoSeparator *PoSceneReader::readBuffer %{
  $result = brennicqtProxy($1);
  if ($1) $1->unrefNoDelete();
%}
%ignore PoSceneReader::readBuffer;
%ignore PoSceneReader::runOnStack;
%exception PoSceneReader::readBytes {
  $action
  if (PyErr_Occurred()) SWIG_fail;
}
%extend PoSceneReader {
  SoSeparator *readBytes(PyObject *bytes) {
    char *data = nullptr;
    Py_ssize_t size = 0;
    if (!PyBytes_Check(bytes) || PyBytes_AsStringAndSize(bytes, &data, &size) != 0) {
      PyErr_SetString(PyExc_TypeError, "PoSceneReader.readBytes: expected bytes");
      return nullptr;
    }
    return $self->readBuffer(data, std::size_t(size));
  }
}
%typemap(out) SoSeparator *PoSceneReader::readBytes = SoSeparator *PoSceneReader::readFile;

// The list is a Python sequence of its entries.
%ignore PoViewList::operator[];
%exception PoViewList::__getitem__ {
  try {
    $action
  } catch (const std::out_of_range &error) {
    SWIG_exception_fail(SWIG_IndexError, error.what());
  }
}
%extend PoViewList {
  int __len__() const { return $self->getLength(); }
  const PoViewList::Entry &__getitem__(int index) const {
    if (index < 0 || index >= $self->getLength()) throw std::out_of_range("PoViewList index");
    return (*$self)[index];
  }
}

// A picture in bands goes to a Python callable rather than to a C++ sink.
%extend PoOffscreenRenderer {
  %feature("docstring") renderBandsToCallable
  "renderBands(root, sink, columns=1, rows=1)

  Renders the picture band by band from the top, as columns x rows tiles at
  least, and calls sink(top, rows) with each band: rows a NumPy array of
  shape (count, width, 3), uint8, the top row first, top its first row
  counted from the picture's top. Only a band is held at a time. Raises
  RuntimeError when the render fails; an exception the sink raises stops
  the render and comes out as it is.";
  PyObject *renderBandsToCallable(SoNode *root, PyObject *sink, int columns = 1, int rows = 1) {
    return renderBandsToCallable(*$self, root, sink, columns, rows);
  }
}
