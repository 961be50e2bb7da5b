// The few C-API functions this module relies on that older interpreters lack.
// Where the interpreter's headers provide a function it is used as is; below
// that version a small equivalent made from the older API stands in.
#pragma once

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#if PY_VERSION_HEX < 0x030C0000
// The raised exception as one object (the traceback kept on it), or null.
static inline PyObject* PyErr_GetRaisedException(void) {
  PyObject *type, *value, *tb;
  PyErr_Fetch(&type, &value, &tb);
  if (!type) return nullptr;
  PyErr_NormalizeException(&type, &value, &tb);
  if (tb && value) PyException_SetTraceback(value, tb);
  Py_DECREF(type);
  Py_XDECREF(tb);
  return value;
}

// Raises `exc` (a reference is stolen); null clears the error indicator.
static inline void PyErr_SetRaisedException(PyObject* exc) {
  if (!exc) {
    PyErr_Clear();
    return;
  }
  PyObject* type = reinterpret_cast<PyObject*>(Py_TYPE(exc));
  Py_INCREF(type);
  PyErr_Restore(type, exc, PyException_GetTraceback(exc));
}
#endif

#if PY_VERSION_HEX < 0x030D0000
// 1 with a new reference in `*result`, 0 when absent, -1 on error.
static inline int PyDict_GetItemRef(PyObject* dict, PyObject* key, PyObject** result) {
  PyObject* item = PyDict_GetItemWithError(dict, key);
  if (item) {
    Py_INCREF(item);
    *result = item;
    return 1;
  }
  *result = nullptr;
  return PyErr_Occurred() ? -1 : 0;
}
#endif
