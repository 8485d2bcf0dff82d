#ifndef BRENNICQT_PYTHON_VIEWINGCALLBACK_H
#define BRENNICQT_PYTHON_VIEWINGCALLBACK_H

#include <Python.h>

class QEvent;
class SoQtViewer;

// The Qt event behind a PySide2 QEvent. Null, with a TypeError set, for
// anything else.
QEvent *eventFromPython(PyObject *event);

// Installs PoBaseView::viewingEventCB as the viewer's event callback, followed
// by callback(userData, event) unless callback is None; the callback's answer
// decides whether the viewer sees the event. Answers None, or null with a
// TypeError set when callback is neither None nor callable.
PyObject *installViewingEvents(SoQtViewer *viewer, PyObject *callback, PyObject *userData);

#endif
