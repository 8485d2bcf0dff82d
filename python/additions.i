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
