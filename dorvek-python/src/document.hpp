// The document classes: one Python class per document type, all made by one
// template over the type of the document's root record. A document object
// owns its typed model and, once asked for it, the object tree built from it.
#pragma once

#include <memory>
#include <stdexcept>
#include <type_traits>
#include <string>
#include <string_view>

#include "models/record.hpp"
#include "object.hpp"
#include "serializer.hpp"
#include "writers/json_writer.hpp"
#include "writers/yaml_writer.hpp"

namespace dorvek::py {

// The whole file as text; an OSError carrying the failure's text otherwise.
std::string read_file(std::string_view path);

// The class-level names a document class needs, made once.
struct DocumentNames {
  explicit DocumentNames(const char* type_name)
      : qualified(std::string("dorvek.ort.") + type_name),
        from_str(std::string(type_name) + ".from_yaml_str()"),
        from_file(std::string(type_name) + ".from_yaml_file()") {}
  std::string qualified, from_str, from_file;
};

// The names that `dir()` of a document lists before its fields.
inline constexpr const char* kDocumentMembers[] = {"from_yaml_str", "from_yaml_file", "to_json", "to_yaml",
                                                   "to_dict",       "keys",           "items"};

template <class Root>
class DocumentClass {
 public:
  // The class, made on first need and kept for the process.
  static PyTypeObject* type() {
    static PyTypeObject* cell = nullptr;
    if (!cell) {
      PyType_Spec spec = {names().qualified.c_str(), sizeof(Instance), 0,
                          Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION, slots};
      cell = reinterpret_cast<PyTypeObject*>(check(PyType_FromSpec(&spec)).release());
    }
    return cell;
  }

 private:
  struct Instance {
    PyObject_HEAD
    Root* model;     // owned; never changed
    PyObject* tree;  // the object tree, filled once on first need
  };

  static const DocumentNames& names() {
    static const DocumentNames* n = new DocumentNames(Root::type_name);  // kept for the process
    return *n;
  }

  static Instance* as_instance(PyObject* o) { return reinterpret_cast<Instance*>(o); }

  static std::unique_ptr<Root> parse_and_validate(std::string_view text) {
    auto model = std::make_unique<Root>(read_document<Root>(text, [](Reader& r) { return Codec<Root>::read(r); }));
    if (auto err = model->validate()) raise(PyExc_ValueError, err->text());
    return model;
  }

  static Ref wrap(std::unique_ptr<Root> model) {
    PyTypeObject* tp = type();
    Ref self = check(tp->tp_alloc(tp, 0));
    as_instance(self.get())->model = model.release();
    return self;
  }

  static PyObject* from_yaml_str(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    return entry([&] {
      static constexpr const char* params[] = {"s"};
      PyObject* s;
      bind({names().from_str.c_str(), params, 1}, args, nargs, kwnames, &s);
      return wrap(parse_and_validate(text_arg(s, "s")));
    });
  }

  static PyObject* from_yaml_file(PyObject*, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames) {
    return entry([&] {
      static constexpr const char* params[] = {"path"};
      PyObject* path;
      bind({names().from_file.c_str(), params, 1}, args, nargs, kwnames, &path);
      std::unique_ptr<Root> model = parse_and_validate(read_file(text_arg(path, "path")));
      return wrap(std::move(model));
    });
  }

  // The root of the object tree, built on first need. Builds that overlap
  // (other threads may run during one) keep the first tree stored.
  static Ref node(PyObject* self) {
    Instance* doc = as_instance(self);
    if (!doc->tree) {
      GcPause pause;
      Ref tree = write_model<Serializer>(self);
      if (!doc->tree) doc->tree = tree.release();
    }
    if (!is_object(doc->tree)) raise_not_instance(doc->tree, "Object");
    return Ref::borrow(doc->tree);
  }

  // The model written by one of the three writers.
  template <class W>
  static Ref write_model(PyObject* self) {
    const Root& model = *as_instance(self)->model;
    if constexpr (std::is_same_v<W, Serializer>) {
      return to_python(model, Root::type_name);
    } else if constexpr (std::is_same_v<W, JsonWriter>) {
      return str(to_json_pieces(model));
    } else {
      return str(to_yaml_pieces(model));
    }
  }

  static void dealloc(PyObject* self) {
    PyTypeObject* tp = Py_TYPE(self);
    Instance* doc = as_instance(self);
    delete std::exchange(doc->model, nullptr);
    Py_CLEAR(doc->tree);
    tp->tp_free(self);
    Py_DECREF(tp);
  }

  static PyObject* to_json(PyObject* self, PyObject*) {
    return entry([&] { return write_model<JsonWriter>(self); });
  }

  static PyObject* to_yaml(PyObject* self, PyObject*) {
    return entry([&] { return write_model<YamlWriter>(self); });
  }

  static PyObject* to_dict(PyObject* self, PyObject*) {
    return entry([&] { return object_to_dict(node(self).get()); });
  }

  static PyObject* keys(PyObject* self, PyObject*) {
    return entry([&] { return object_keys(node(self).get()); });
  }

  static PyObject* items(PyObject* self, PyObject*) {
    return entry([&] { return object_items(node(self).get()); });
  }

  static PyObject* dir(PyObject* self, PyObject*) {
    return entry([&] {
      Ref out = check(PyList_New(0));
      for (const char* m : kDocumentMembers) {
        Ref s = check(PyUnicode_InternFromString(m));
        check(PyList_Append(out.get(), s.get()));
      }
      Ref root = node(self);
      Ref fields = object_keys(root.get());
      for (Py_ssize_t i = 0; i < PyList_GET_SIZE(fields.get()); ++i) {
        check(PyList_Append(out.get(), PyList_GET_ITEM(fields.get(), i)));
      }
      return out;
    });
  }

  static Py_ssize_t len(PyObject* self) {
    return guard<Py_ssize_t>(-1, [&] { return object_len(node(self).get()); });
  }

  static PyObject* getitem(PyObject* self, PyObject* key) {
    return entry([&] {
      text_arg(key, "name");
      return object_getitem(node(self).get(), key);
    });
  }

  static PyObject* sq_item(PyObject* self, Py_ssize_t i) {
    Ref key = Ref::steal(PyLong_FromSsize_t(i));
    return key ? getitem(self, key.get()) : nullptr;
  }

  static int contains(PyObject* self, PyObject* key) {
    return guard(-1, [&] {
      text_arg(key, "name");
      return object_find(node(self).get(), key) ? 1 : 0;
    });
  }

  static PyObject* iter(PyObject* self) {
    return entry([&] { return object_iter(node(self).get()); });
  }

  static PyObject* repr(PyObject* self) {
    return entry([&] { return object_repr(node(self).get()); });
  }

  // Class members first; then the root record's fields.
  static PyObject* getattro(PyObject* self, PyObject* name) {
    PyObject* found = PyObject_GenericGetAttr(self, name);
    if (found || !PyErr_ExceptionMatches(PyExc_AttributeError)) return found;
    PyErr_Clear();
    return entry([&] {
      text_arg(name, "name");
      Ref root = node(self);
      if (PyObject* v = object_find(root.get(), name)) return Ref::borrow(v);
      PyErr_Format(PyExc_AttributeError, "'%U' object has no attribute '%U'", object_type_name(root.get()), name);
      throw_error();
    });
  }

  static inline PyMethodDef methods[] = {
      {"from_yaml_str", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(from_yaml_str)),
       METH_FASTCALL | METH_KEYWORDS | METH_STATIC, "from_yaml_str(s)\n--\n\n"},
      {"from_yaml_file", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(from_yaml_file)),
       METH_FASTCALL | METH_KEYWORDS | METH_STATIC, "from_yaml_file(path)\n--\n\n"},
      {"to_json", to_json, METH_NOARGS, "to_json($self)\n--\n\n"},
      {"to_yaml", to_yaml, METH_NOARGS, "to_yaml($self)\n--\n\n"},
      {"to_dict", to_dict, METH_NOARGS, "to_dict($self)\n--\n\nThe model as nested plain `dict`s and lists."},
      {"keys", keys, METH_NOARGS, "keys($self)\n--\n\n"},
      {"items", items, METH_NOARGS, "items($self)\n--\n\n"},
      {"__dir__", dir, METH_NOARGS, "__dir__($self)\n--\n\n"},
      {nullptr, nullptr, 0, nullptr},
  };

  static inline PyType_Slot slots[] = {
      {Py_tp_methods, methods},
      {Py_mp_length, reinterpret_cast<void*>(len)},
      {Py_mp_subscript, reinterpret_cast<void*>(getitem)},
      {Py_sq_item, reinterpret_cast<void*>(sq_item)},
      {Py_sq_contains, reinterpret_cast<void*>(contains)},
      {Py_tp_iter, reinterpret_cast<void*>(iter)},
      {Py_tp_repr, reinterpret_cast<void*>(repr)},
      {Py_tp_getattro, reinterpret_cast<void*>(getattro)},
      {Py_tp_dealloc, reinterpret_cast<void*>(dealloc)},
      {0, nullptr},
  };
};

}  // namespace dorvek::py
