#include "ViewingCallback.h"

#include "PoBaseView.h"

#include <Inventor/Qt/viewers/SoQtViewer.h>

#include <QEvent>
#include <QWidget>

namespace {

// The Python callback and its datum, held for the viewer: a child of the
// viewer's widget, so both are let go when the viewer goes.
class PythonEventCallback : public QObject {
public:
  PythonEventCallback(QObject *parent, PyObject *callback, PyObject *data)
      : QObject(parent), callback(callback), data(data) {
    Py_INCREF(callback);
    Py_INCREF(data);
    setObjectName(kName);
  }
  ~PythonEventCallback() override {
    if (!Py_IsInitialized()) return;
    const PyGILState_STATE state = PyGILState_Ensure();
    Py_DECREF(callback);
    Py_DECREF(data);
    PyGILState_Release(state);
  }
  static constexpr const char *kName = "brennicqt Python event callback";
  PyObject *const callback;
  PyObject *const data;
};

// The PySide2 class an event is handed to Python as.
const char *pysideClass(QEvent::Type type) {
  switch (type) {
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::MouseMove:
    return "QMouseEvent";
  case QEvent::Wheel:
    return "QWheelEvent";
  case QEvent::KeyPress:
  case QEvent::KeyRelease:
    return "QKeyEvent";
  default:
    return nullptr;
  }
}

PyObject *attribute(const char *module, const char *name) {
  PyObject *imported = PyImport_ImportModule(module);
  if (!imported) return nullptr;
  PyObject *value = PyObject_GetAttrString(imported, name);
  Py_DECREF(imported);
  return value;
}

// A PySide2 wrapper of the event that does not own it.
PyObject *eventToPython(QEvent *event) {
  const char *name = pysideClass(event->type());
  PyObject *type = name ? attribute("PySide2.QtGui", name) : attribute("PySide2.QtCore", "QEvent");
  PyObject *wrap = type ? attribute("shiboken2", "wrapInstance") : nullptr;
  PyObject *address = PyLong_FromVoidPtr(event);
  PyObject *wrapped =
      wrap && address ? PyObject_CallFunctionObjArgs(wrap, address, type, nullptr) : nullptr;
  Py_XDECREF(address);
  Py_XDECREF(wrap);
  Py_XDECREF(type);
  return wrapped;
}

SbBool runPythonCallback(void *datum, QEvent *event) {
  const PythonEventCallback *held = static_cast<const PythonEventCallback *>(datum);
  const PyGILState_STATE state = PyGILState_Ensure();
  PyObject *pythonEvent = eventToPython(event);
  PyObject *answer =
      pythonEvent ? PyObject_CallFunctionObjArgs(held->callback, held->data, pythonEvent, nullptr)
                  : nullptr;
  int consumed = answer ? PyObject_IsTrue(answer) : -1;
  // An exception cannot travel up through Qt's event loop: it is printed,
  // as Python prints one raised in a thread, and the viewer gets the event.
  if (consumed < 0) {
    PyErr_Print();
    consumed = 0;
  }
  Py_XDECREF(answer);
  Py_XDECREF(pythonEvent);
  PyGILState_Release(state);
  return consumed ? TRUE : FALSE;
}

} // namespace

QEvent *eventFromPython(PyObject *event) {
  PyObject *eventType = attribute("PySide2.QtCore", "QEvent");
  const int isEvent = eventType ? PyObject_IsInstance(event, eventType) : -1;
  Py_XDECREF(eventType);
  if (isEvent != 1) {
    if (isEvent == 0 || !PyErr_Occurred())
      PyErr_SetString(PyExc_TypeError, "expected a PySide2 QEvent");
    return nullptr;
  }
  PyObject *getCppPointer = attribute("shiboken2", "getCppPointer");
  PyObject *addresses =
      getCppPointer ? PyObject_CallFunctionObjArgs(getCppPointer, event, nullptr) : nullptr;
  Py_XDECREF(getCppPointer);
  void *address = nullptr;
  if (addresses && PyTuple_Check(addresses) && PyTuple_Size(addresses) > 0)
    address = PyLong_AsVoidPtr(PyTuple_GetItem(addresses, 0));
  Py_XDECREF(addresses);
  if (!address && !PyErr_Occurred())
    PyErr_SetString(PyExc_TypeError, "expected a PySide2 QEvent that still exists");
  return static_cast<QEvent *>(address);
}

PyObject *installViewingEvents(SoQtViewer *viewer, PyObject *callback, PyObject *userData) {
  if (callback != Py_None && !PyCallable_Check(callback)) {
    PyErr_SetString(PyExc_TypeError,
                    "installViewingEventCB: expected a callable callback(userData, event) or None");
    return nullptr;
  }
  QWidget *widget = viewer->getWidget();
  // The callback installed before may be the one running this call: it goes
  // once control is back in the event loop.
  if (QObject *previous = widget ? widget->findChild<QObject *>(PythonEventCallback::kName,
                                                                Qt::FindDirectChildrenOnly)
                                 : nullptr) {
    previous->setObjectName(QString());
    previous->deleteLater();
  }
  if (callback == Py_None || !widget) {
    PoBaseView::installViewingEventCB(viewer);
  } else {
    PythonEventCallback *held = new PythonEventCallback(widget, callback, userData);
    PoBaseView::installViewingEventCB(viewer, &runPythonCallback, held);
  }
  Py_RETURN_NONE;
}
