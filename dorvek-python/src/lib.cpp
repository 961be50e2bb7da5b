// Module start-up of dorvek._dorvek.
#define PY_SSIZE_T_CLEAN
#include <Python.h>

namespace {

int module_exec(PyObject* module) {
  PyObject* ort = PyModule_New("ort");
  if (!ort) return -1;
  if (PyModule_AddObject(module, "ort", ort) < 0) {
    Py_DECREF(ort);
    return -1;
  }
  return 0;
}

PyModuleDef_Slot slots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(module_exec)},
    {0, nullptr},
};

PyModuleDef module_def = {
    PyModuleDef_HEAD_INIT, "_dorvek", nullptr, 0, nullptr, slots, nullptr, nullptr, nullptr,
};

}  // namespace

PyMODINIT_FUNC PyInit__dorvek() { return PyModuleDef_Init(&module_def); }
