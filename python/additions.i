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
