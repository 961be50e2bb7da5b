// `Object`, the Python class of every record in an object tree, and the
// registry of its per-type subclasses.
#pragma once

#include <string_view>
#include <vector>

#include "py_glue.hpp"

namespace dorvek::py {

// The `Object` class, made on first need and kept for the process.
PyTypeObject* object_type();
bool is_object(PyObject* o);

// Operations on an instance that the document classes hand on to their root.
// `name` arguments are str objects already checked as text.
Py_ssize_t object_len(PyObject* obj);
PyObject* object_find(PyObject* obj, PyObject* name);  // borrowed; null when absent
Ref object_getitem(PyObject* obj, PyObject* name);     // KeyError when absent
Ref object_keys(PyObject* obj);
Ref object_items(PyObject* obj);
Ref object_iter(PyObject* obj);
Ref object_repr(PyObject* obj);
Ref object_to_dict(PyObject* obj);
// The type name as a str (borrowed).
PyObject* object_type_name(PyObject* obj);

// The record class of a type name: made on first use, cached for the process,
// published on the package module `dorvek.ort`.
Ref class_for(PyObject* type_name);
// An instance of the record class of `type_name` with the dict's items as fields.
Ref make_object(PyObject* type_name, PyObject* fields);
// The same instance as `make_object` gives for a dict of these fields, in
// this order (the names unique); the vectors are emptied.
Ref make_record(PyObject* type_name, std::vector<Ref>& names, std::vector<Ref>& values);
// Makes the classes of the known record types and sets them on `module`.
void register_known_classes(PyObject* module);

// An interned str for a static text of the model (field and type names),
// cached by the text's address.
Ref static_name(std::string_view text);

}  // namespace dorvek::py
