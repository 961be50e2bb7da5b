#include "object.hpp"

#include <cmath>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "models/json_value.hpp"
#include "writers/json_writer.hpp"
#include "writers/yaml_writer.hpp"

namespace dorvek::py {
namespace {

// The instance layout. Set once by construction; only the collector's clear
// empties it, and then every operation sees an instance without fields.
struct Instance {
  PyObject_HEAD
  PyObject* type_name;  // an exact str
  Py_ssize_t len;
  PyObject** items;  // the field names at [0, len), their values at [len, 2 len)
};

Instance* as_instance(PyObject* o) { return reinterpret_cast<Instance*>(o); }
PyObject* name_at(const Instance* o, Py_ssize_t i) { return o->items[i]; }
PyObject* value_at(const Instance* o, Py_ssize_t i) { return o->items[o->len + i]; }

// The conversions recurse through nested values; a value that contains itself
// or nests deeper than this ends in RecursionError, well before the native
// stack runs out.
constexpr int kMaxDepth = 1000;
void enter(int depth) {
  if (depth > kMaxDepth) raise(PyExc_RecursionError, "maximum recursion depth exceeded while converting an object");
}

PyTypeObject* g_object_type = nullptr;

// The text of a str as UTF-8; lone surrogates become U+FFFD.
void append_utf8(std::string& out, PyObject* s) {
  Py_ssize_t n = 0;
  if (const char* p = PyUnicode_AsUTF8AndSize(s, &n)) {
    out.append(p, static_cast<size_t>(n));
    return;
  }
  PyErr_Clear();
  const int kind = PyUnicode_KIND(s);
  const void* data = PyUnicode_DATA(s);
  for (Py_ssize_t i = 0, len = PyUnicode_GET_LENGTH(s); i < len; ++i) {
    Py_UCS4 c = PyUnicode_READ(kind, data, i);
    if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
}

// `repr(value)` as UTF-8 text.
std::string repr_text(PyObject* value) {
  Ref r = check(PyObject_Repr(value));
  std::string out;
  append_utf8(out, r.get());
  return out;
}

// A dict key's text: it must be a str (no note names a parameter here).
std::string_view key_text(PyObject* key) {
  if (!PyUnicode_Check(key)) raise_not_instance(key, "str");
  Py_ssize_t n = 0;
  const char* p = PyUnicode_AsUTF8AndSize(key, &n);
  if (!p) throw_error();
  return {p, static_cast<size_t>(n)};
}

// The same text as an exact str: the object itself when it is one.
Ref exact_str(PyObject* s, std::string_view utf8) {
  return PyUnicode_CheckExact(s) ? Ref::borrow(s) : str(utf8);
}

Ref new_instance(PyTypeObject* type, Ref type_name, std::vector<Ref>& names, std::vector<Ref>& values) {
  const size_t n = names.size();
  PyObject** items = nullptr;
  if (n > 0) {
    items = static_cast<PyObject**>(PyMem_Malloc(2 * n * sizeof(PyObject*)));
    if (!items) {
      PyErr_NoMemory();
      throw_error();
    }
  }
  Ref self = Ref::steal(type->tp_alloc(type, 0));
  if (!self) {
    PyMem_Free(items);
    throw_error();
  }
  for (size_t i = 0; i < n; ++i) {
    items[i] = names[i].release();
    items[n + i] = values[i].release();
  }
  Instance* o = as_instance(self.get());
  o->type_name = type_name.release();
  o->items = items;
  o->len = static_cast<Py_ssize_t>(n);
  return self;
}

constexpr const char* kNewParams[] = {"type_name", "fields"};
constexpr Signature kNewSignature{"Object.__new__()", kNewParams, 1};

PyObject* obj_new(PyTypeObject* type, PyObject* args, PyObject* kwargs) {
  return entry([&] {
    PyObject* arg[2];
    bind(kNewSignature, args, kwargs, arg);
    std::string_view type_name = text_arg(arg[0], "type_name");
    PyObject* fields = arg[1] == Py_None ? nullptr : arg[1];
    if (fields && !PyDict_Check(fields)) raise_not_instance(fields, "dict", "fields");
    Ref name = exact_str(arg[0], type_name);
    std::vector<Ref> names, values;
    if (fields) {
      names.reserve(static_cast<size_t>(PyDict_GET_SIZE(fields)));
      values.reserve(static_cast<size_t>(PyDict_GET_SIZE(fields)));
      for_each_item(fields, [&](PyObject* key, PyObject* value) {
        names.push_back(exact_str(key, key_text(key)));
        values.push_back(Ref::borrow(value));
      });
    }
    return new_instance(type, std::move(name), names, values);
  });
}

int obj_traverse(PyObject* self, visitproc visit, void* arg) {
  Py_VISIT(Py_TYPE(self));
  const Instance* o = as_instance(self);
  for (Py_ssize_t i = 0; i < o->len; ++i) Py_VISIT(value_at(o, i));
  return 0;
}

int obj_clear(PyObject* self) {
  Instance* o = as_instance(self);
  // Detach first: releasing a value may run code that looks at this instance.
  PyObject** items = std::exchange(o->items, nullptr);
  const Py_ssize_t n = std::exchange(o->len, 0);
  for (Py_ssize_t i = 0; i < 2 * n; ++i) Py_XDECREF(items[i]);
  PyMem_Free(items);
  return 0;
}

void obj_dealloc(PyObject* self) {
  PyObject_GC_UnTrack(self);
  Py_TRASHCAN_BEGIN(self, obj_dealloc)
  PyTypeObject* type = Py_TYPE(self);
  obj_clear(self);
  Py_CLEAR(as_instance(self)->type_name);
  type->tp_free(self);
  Py_DECREF(type);
  Py_TRASHCAN_END
}

PyObject* obj_getattro(PyObject* self, PyObject* name) {
  PyObject* found = PyObject_GenericGetAttr(self, name);
  if (found || !PyErr_ExceptionMatches(PyExc_AttributeError)) return found;
  PyErr_Clear();
  return entry([&] {
    if (PyObject* v = object_find(self, name)) return Ref::borrow(v);
    PyErr_Format(PyExc_AttributeError, "'%U' object has no attribute '%U'", as_instance(self)->type_name, name);
    throw_error();
  });
}

PyObject* obj_getitem(PyObject* self, PyObject* key) {
  return entry([&] {
    text_arg(key, "name");
    return object_getitem(self, key);
  });
}

PyObject* obj_sq_item(PyObject* self, Py_ssize_t i) {
  Ref key = Ref::steal(PyLong_FromSsize_t(i));
  return key ? obj_getitem(self, key.get()) : nullptr;
}

int obj_contains(PyObject* self, PyObject* key) {
  return guard(-1, [&] {
    text_arg(key, "name");
    return object_find(self, key) ? 1 : 0;
  });
}

Py_ssize_t obj_len(PyObject* self) { return object_len(self); }

PyObject* obj_iter(PyObject* self) {
  return entry([&] { return object_iter(self); });
}

PyObject* obj_repr(PyObject* self) {
  return entry([&] { return object_repr(self); });
}

// Equality by type name, field names and values under `==`, whatever the
// classes; never NotImplemented, so the other side's own equality is not asked.
bool equal(PyObject* self, PyObject* other) {
  if (!is_object(other)) return false;
  const Instance* a = as_instance(self);
  const Instance* b = as_instance(other);
  if (!str_equal(a->type_name, b->type_name) || a->len != b->len) return false;
  for (Py_ssize_t i = 0; i < a->len; ++i) {
    if (!str_equal(name_at(a, i), name_at(b, i))) return false;
  }
  for (Py_ssize_t i = 0; i < a->len && i < b->len; ++i) {
    Ref x = Ref::borrow(value_at(a, i)), y = Ref::borrow(value_at(b, i));
    Ref eq = check(PyObject_RichCompare(x.get(), y.get(), Py_EQ));
    int truth = PyObject_IsTrue(eq.get());
    check(truth);
    if (!truth) return false;
  }
  return true;
}

PyObject* obj_richcompare(PyObject* self, PyObject* other, int op) {
  if (op != Py_EQ && op != Py_NE) Py_RETURN_NOTIMPLEMENTED;
  return entry([&] {
    bool result;
    if (op == Py_EQ) {
      result = equal(self, other);
    } else {
      Ref eq = check(PyObject_RichCompare(self, other, Py_EQ));
      int truth = PyObject_IsTrue(eq.get());
      check(truth);
      result = !truth;
    }
    return Ref::borrow(result ? Py_True : Py_False);
  });
}

PyObject* obj_type_name(PyObject* self, void*) { return Py_NewRef(as_instance(self)->type_name); }

PyObject* obj_dir(PyObject* self, PyObject*) {
  return entry([&] {
    static const char* const members[] = {"__type__", "keys", "values", "items", "to_dict", "to_json", "to_yaml"};
    const Instance* o = as_instance(self);
    Ref out = check(PyList_New(0));
    for (const char* m : members) {
      Ref s = check(PyUnicode_InternFromString(m));
      check(PyList_Append(out.get(), s.get()));
    }
    for (Py_ssize_t i = 0; i < o->len; ++i) check(PyList_Append(out.get(), name_at(o, i)));
    return out;
  });
}

PyObject* obj_keys(PyObject* self, PyObject*) {
  return entry([&] { return object_keys(self); });
}

PyObject* obj_values(PyObject* self, PyObject*) {
  return entry([&] {
    const Instance* o = as_instance(self);
    Ref out = check(PyList_New(o->len));
    for (Py_ssize_t i = 0; i < o->len; ++i) PyList_SET_ITEM(out.get(), i, Py_NewRef(value_at(o, i)));
    return out;
  });
}

PyObject* obj_items(PyObject* self, PyObject*) {
  return entry([&] { return object_items(self); });
}

PyObject* obj_to_dict(PyObject* self, PyObject*) {
  return entry([&] { return object_to_dict(self); });
}

Ref to_dict(PyObject* obj, int depth);

// Instances become dicts, lists and dicts are copied as such; anything else
// is kept as it is.
Ref to_plain(PyObject* value, int depth) {
  enter(depth);
  // Most values of a tree are texts, numbers or None: kept as they are.
  if (PyUnicode_CheckExact(value) || value == Py_None || PyLong_CheckExact(value) || PyFloat_CheckExact(value) ||
      PyBool_Check(value)) {
    return Ref::borrow(value);
  }
  if (is_object(value)) return to_dict(value, depth + 1);
  if (PyList_Check(value)) {
    // A list shortened meanwhile ends early; one that grows is read to the
    // length it had.
    const Py_ssize_t n = PyList_GET_SIZE(value);
    Ref out = check(PyList_New(0));
    for (Py_ssize_t i = 0; i < n && i < PyList_GET_SIZE(value); ++i) {
      Ref item = Ref::borrow(PyList_GET_ITEM(value, i));
      Ref plain = to_plain(item.get(), depth + 1);
      check(PyList_Append(out.get(), plain.get()));
    }
    return out;
  }
  if (PyDict_Check(value)) {
    Ref out = check(PyDict_New());
    for_each_item(value, [&](PyObject* k, PyObject* v) {
      Ref plain = to_plain(v, depth + 1);
      check(PyDict_SetItem(out.get(), k, plain.get()));
    });
    return out;
  }
  return Ref::borrow(value);
}

Ref to_dict(PyObject* obj, int depth) {
  const Instance* o = as_instance(obj);
  Ref out = check(PyDict_New());
  for (Py_ssize_t i = 0; i < o->len; ++i) {
    Ref plain = to_plain(value_at(o, i), depth);
    check(PyDict_SetItem(out.get(), name_at(o, i), plain.get()));
  }
  return out;
}

JsonValue to_json_value(PyObject* obj, int depth);

bool is_numpy_bool(PyObject* value) {
  const char* name = Py_TYPE(value)->tp_name;
  return std::strcmp(name, "numpy.bool_") == 0 || std::strcmp(name, "numpy.bool") == 0;
}

// Any Python value as a free-form value. Integers are kept exact whatever
// their size: beyond 64 bits as their decimal text, never as a float.
JsonValue value_to_json(PyObject* value, int depth) {
  enter(depth);
  if (value == Py_None) return JsonValue();
  if (is_object(value)) return to_json_value(value, depth + 1);
  if (PyList_Check(value)) {
    const Py_ssize_t n = PyList_GET_SIZE(value);
    JsonValue::Array out;
    out.reserve(static_cast<size_t>(n));
    for (Py_ssize_t i = 0; i < n && i < PyList_GET_SIZE(value); ++i) {
      Ref item = Ref::borrow(PyList_GET_ITEM(value, i));
      out.push_back(value_to_json(item.get(), depth + 1));
    }
    return JsonValue(std::move(out));
  }
  if (PyDict_Check(value)) {
    std::vector<JsonObject::Entry> entries;
    entries.reserve(static_cast<size_t>(PyDict_GET_SIZE(value)));
    for_each_item(value, [&](PyObject* k, PyObject* v) {
      entries.emplace_back(std::string(key_text(k)), value_to_json(v, depth + 1));
    });
    return JsonValue(JsonObject::from_entries(std::move(entries)));
  }
  if (PyBool_Check(value) || is_numpy_bool(value)) {
    int truth = PyObject_IsTrue(value);
    check(truth);
    return JsonValue(truth != 0);
  }
  if (PyIndex_Check(value)) {
    // A failing conversion is dropped and the next form tried.
    if (Ref i = Ref::steal(PyNumber_Index(value))) {
      int overflow = 0;
      long long x = PyLong_AsLongLongAndOverflow(i.get(), &overflow);
      if (overflow == 0 && !(x == -1 && PyErr_Occurred())) {
        return x >= 0 ? JsonValue(static_cast<uint64_t>(x)) : JsonValue(static_cast<int64_t>(x));
      }
      if (overflow > 0) {
        unsigned long long u = PyLong_AsUnsignedLongLong(i.get());
        if (!(u == static_cast<unsigned long long>(-1) && PyErr_Occurred())) return JsonValue(static_cast<uint64_t>(u));
      }
      PyErr_Clear();
      if (overflow != 0) {
        Ref digits = check(PyObject_Str(i.get()));
        Py_ssize_t n = 0;
        const char* p = PyUnicode_AsUTF8AndSize(digits.get(), &n);
        if (!p) throw_error();
        return JsonValue(JsonValue::BigInt{std::string(p, static_cast<size_t>(n))});
      }
    }
    PyErr_Clear();
  }
  const PyNumberMethods* nb = Py_TYPE(value)->tp_as_number;
  if (nb && (nb->nb_float || nb->nb_index)) {
    double d = PyFloat_AsDouble(value);
    if (!(d == -1.0 && PyErr_Occurred())) return std::isfinite(d) ? JsonValue(d) : JsonValue();
    PyErr_Clear();
  }
  if (PyUnicode_Check(value)) {
    Py_ssize_t n = 0;
    if (const char* p = PyUnicode_AsUTF8AndSize(value, &n)) return JsonValue(std::string(p, static_cast<size_t>(n)));
    PyErr_Clear();
  }
  return JsonValue(repr_text(value));
}

JsonValue to_json_value(PyObject* obj, int depth) {
  const Instance* o = as_instance(obj);
  std::vector<JsonObject::Entry> entries;
  entries.reserve(static_cast<size_t>(o->len));
  for (Py_ssize_t i = 0; i < o->len; ++i) {
    entries.emplace_back(std::string(key_text(name_at(o, i))), value_to_json(value_at(o, i), depth));
  }
  return JsonValue(JsonObject::from_entries(std::move(entries)));
}

PyObject* obj_to_json(PyObject* self, PyObject*) {
  return entry([&] {
    JsonValue v = to_json_value(self, 0);
    return str(to_json_string(v));
  });
}

PyObject* obj_to_yaml(PyObject* self, PyObject*) {
  return entry([&] {
    JsonValue v = to_json_value(self, 0);
    return str(to_yaml_string(v));
  });
}

PyGetSetDef obj_getset[] = {
    {"__type__", obj_type_name, nullptr, "The name of the model this object was deserialized from.", nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

PyMethodDef obj_methods[] = {
    {"__dir__", obj_dir, METH_NOARGS, "__dir__($self)\n--\n\n"},
    {"keys", obj_keys, METH_NOARGS, "keys($self)\n--\n\nThe field names, in the order they are declared on the model."},
    {"values", obj_values, METH_NOARGS, "values($self)\n--\n\n"},
    {"items", obj_items, METH_NOARGS, "items($self)\n--\n\n"},
    {"to_dict", obj_to_dict, METH_NOARGS,
     "to_dict($self)\n--\n\nA plain, recursively converted `dict` \xe2\x80\x94 handy for `json.dumps` or `pprint`."},
    {"to_json", obj_to_json, METH_NOARGS,
     "to_json($self)\n--\n\nThe subtree rooted at this object, serialized as pretty-printed JSON."},
    {"to_yaml", obj_to_yaml, METH_NOARGS, "to_yaml($self)\n--\n\nThe subtree rooted at this object, serialized as YAML."},
    {nullptr, nullptr, 0, nullptr},
};

PyType_Slot obj_slots[] = {
    {Py_tp_doc, const_cast<char*>("Object(type_name, fields=None)\n--\n\n"
                                  "A model instance: an ordered set of named fields plus the name of the model "
                                  "type it came from.")},
    {Py_tp_new, reinterpret_cast<void*>(obj_new)},
    {Py_tp_dealloc, reinterpret_cast<void*>(obj_dealloc)},
    {Py_tp_traverse, reinterpret_cast<void*>(obj_traverse)},
    {Py_tp_clear, reinterpret_cast<void*>(obj_clear)},
    {Py_tp_getattro, reinterpret_cast<void*>(obj_getattro)},
    {Py_tp_repr, reinterpret_cast<void*>(obj_repr)},
    {Py_tp_richcompare, reinterpret_cast<void*>(obj_richcompare)},
    {Py_tp_iter, reinterpret_cast<void*>(obj_iter)},
    {Py_tp_methods, obj_methods},
    {Py_tp_getset, obj_getset},
    {Py_mp_length, reinterpret_cast<void*>(obj_len)},
    {Py_mp_subscript, reinterpret_cast<void*>(obj_getitem)},
    {Py_sq_length, reinterpret_cast<void*>(obj_len)},
    {Py_sq_item, reinterpret_cast<void*>(obj_sq_item)},
    {Py_sq_contains, reinterpret_cast<void*>(obj_contains)},
    {0, nullptr},
};

PyType_Spec obj_spec = {
    "dorvek.ort.Object",
    sizeof(Instance),
    0,
    Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE | Py_TPFLAGS_HAVE_GC,
    obj_slots,
};

}  // namespace

PyTypeObject* object_type() {
  if (!g_object_type) g_object_type = reinterpret_cast<PyTypeObject*>(check(PyType_FromSpec(&obj_spec)).release());
  return g_object_type;
}

bool is_object(PyObject* o) { return g_object_type && PyObject_TypeCheck(o, g_object_type); }

Py_ssize_t object_len(PyObject* obj) { return as_instance(obj)->len; }

PyObject* object_type_name(PyObject* obj) { return as_instance(obj)->type_name; }

PyObject* object_find(PyObject* obj, PyObject* name) {
  const Instance* o = as_instance(obj);
  for (Py_ssize_t i = 0; i < o->len; ++i) {
    if (str_equal(name_at(o, i), name)) return value_at(o, i);
  }
  return nullptr;
}

Ref object_getitem(PyObject* obj, PyObject* name) {
  if (PyObject* v = object_find(obj, name)) return Ref::borrow(v);
  PyErr_SetObject(PyExc_KeyError, name);
  throw_error();
}

Ref object_keys(PyObject* obj) {
  const Instance* o = as_instance(obj);
  Ref out = check(PyList_New(o->len));
  for (Py_ssize_t i = 0; i < o->len; ++i) PyList_SET_ITEM(out.get(), i, Py_NewRef(name_at(o, i)));
  return out;
}

Ref object_items(PyObject* obj) {
  const Instance* o = as_instance(obj);
  Ref out = check(PyList_New(0));
  for (Py_ssize_t i = 0; i < o->len; ++i) {
    Ref pair = check(PyTuple_Pack(2, name_at(o, i), value_at(o, i)));
    check(PyList_Append(out.get(), pair.get()));
  }
  return out;
}

Ref object_iter(PyObject* obj) {
  Ref keys = object_keys(obj);
  return check(PyObject_GetIter(keys.get()));
}

Ref object_repr(PyObject* obj) {
  Ref self = Ref::borrow(obj);
  const Instance* o = as_instance(obj);
  std::string out;
  append_utf8(out, o->type_name);
  out += '(';
  for (Py_ssize_t i = 0; i < o->len; ++i) {
    if (i > 0) out += ", ";
    append_utf8(out, name_at(o, i));
    out += '=';
    Ref value = Ref::borrow(value_at(o, i));
    out += repr_text(value.get());
  }
  out += ')';
  return str(out);
}

Ref object_to_dict(PyObject* obj) {
  GcPause pause;
  return to_dict(obj, 0);
}

Ref static_name(std::string_view text) {
  struct Key {
    const char* data;
    size_t size;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    size_t operator()(const Key& k) const { return std::hash<const void*>{}(k.data) ^ k.size; }
  };
  // Lives for the process, like the classes whose names it holds.
  static auto* cache = new std::unordered_map<Key, PyObject*, KeyHash>();
  const Key key{text.data(), text.size()};
  if (auto it = cache->find(key); it != cache->end()) {
    Py_ssize_t n = 0;
    const char* p = PyUnicode_AsUTF8AndSize(it->second, &n);
    if (p && static_cast<size_t>(n) == text.size() && std::memcmp(p, text.data(), text.size()) == 0) {
      return Ref::borrow(it->second);
    }
    PyErr_Clear();
  }
  PyObject* s = str(text).release();
  PyUnicode_InternInPlace(&s);
  Ref name = Ref::steal(s);
  // Looked up again: making the str may have run code that filled the slot.
  PyObject*& slot = (*cache)[key];
  Py_XDECREF(std::exchange(slot, Py_NewRef(s)));
  return name;
}

namespace {

PyObject* g_classes = nullptr;  // CLASSES: type name -> record class

// The 91 record types whose classes exist from start-up on.
constexpr const char* kKnownNames[] = {
    "AdvisorConfiguration", "AdvisorDetails", "AdvisorResult", "AdvisorRun", "AdvisorSummary",
    "AnalyzerConfiguration", "AnalyzerResult", "AnalyzerRun", "ArtifactProvenance", "BaseRun",
    "ClearlyDefinedStorageConfiguration", "CopyrightFinding", "Curations", "Defect", "DependencyGraph",
    "DependencyGraphEdge", "DependencyGraphNode", "DependencyReference", "Environment", "EvaluatorRun", "Excludes",
    "FileArchiverConfiguration", "FileBasedStorageConfiguration", "FileList", "FileListEntry",
    "FileListStorageConfiguration", "FileStorageConfiguration", "Hash", "HttpFileStorageConfiguration",
    "Identifier", "Includes", "Issue", "IssueResolution", "LicenseCategorization", "LicenseCategory",
    "LicenseChoices", "LicenseFinding", "LicenseFindingCuration", "LocalFileStorageConfiguration",
    "OrtResolutionIssue", "OrtResolutionRuleViolation", "OrtResolutions", "OrtResolutionVulnerability", "Package",
    "PackageConfiguration", "PackageCuration", "PackageCurationData", "PackageLicenseChoice",
    "PackageManagerConfiguration", "PackageReference", "PathExclude", "PathInclude", "PostgresConnection",
    "PostgresStorageConfiguration", "ProcessedDeclaredLicense", "Project", "ProvenanceResolutionResult",
    "ProvenanceStorageConfiguration", "RemoteArtifact", "Repository", "RepositoryAnalyzerConfiguration",
    "RepositoryProvenance", "Resolutions", "RootDependencyIndex", "RuleViolation", "RuleViolationResolution",
    "S3FileStorageConfiguration", "ScanResult", "ScanStorageConfiguration", "ScanSummary", "ScannerConfiguration",
    "ScannerDetails", "ScannerRun", "Scope", "ScopeExclude", "Snippet", "SnippetChoice", "SnippetChoiceCriteria",
    "SnippetChoiceGiven", "SnippetChoices", "SnippetFinding", "SnippetProvenance", "SpdxLicenseChoice",
    "TextLocation", "VcsInfo", "VcsInfoCurationData", "VcsMatcher", "VcsType", "Vulnerability",
    "VulnerabilityReference", "VulnerabilityResolution",
};
static_assert(std::size(kKnownNames) == 91);

// The package module keeps its document classes under these names.
bool is_document_name(PyObject* name) {
  for (const char* doc : {"OrtResult", "RepositoryConfiguration", "LicenseClassifications"}) {
    if (PyUnicode_CompareWithASCIIString(name, doc) == 0) return true;
  }
  return false;
}

}  // namespace

Ref class_for(PyObject* type_name) {
  if (!g_classes) g_classes = check(PyDict_New()).release();
  PyObject* found = nullptr;
  check(PyDict_GetItemRef(g_classes, type_name, &found));
  if (found) {
    Ref cls = Ref::steal(found);
    if (!PyType_Check(found)) raise_not_instance(found, "type");
    return cls;
  }
  Ref ns = check(Py_BuildValue("{s:s}", "__module__", "dorvek.ort"));
  Ref made = check(PyObject_CallFunction(reinterpret_cast<PyObject*>(&PyType_Type), "O(O)O", type_name,
                                         reinterpret_cast<PyObject*>(object_type()), ns.get()));
  // Making the class runs Python code, which may have stored one for this
  // name meanwhile: the first stored stays, so no name gets two classes. It is
  // stored before the import below, which may let another thread ask for it.
  PyObject* stored = PyDict_SetDefault(g_classes, type_name, made.get());
  if (!stored) throw_error();
  if (stored != made.get()) return Ref::borrow(stored);
  Ref cls = std::move(made);
  Ref package = Ref::steal(PyImport_ImportModule("dorvek.ort"));
  if (!package) {
    PyErr_Clear();  // used without its package: the class serves all the same
    return cls;
  }
  if (!is_document_name(type_name)) check(PyObject_SetAttr(package.get(), type_name, cls.get()));
  return cls;
}

Ref make_object(PyObject* type_name, PyObject* fields) {
  Ref cls = class_for(type_name);
  PyObject* args[] = {type_name, fields};
  return check(PyObject_Vectorcall(cls.get(), args, 2, nullptr));
}

namespace {

bool unique_names(const std::vector<Ref>& names) {
  for (size_t i = 0; i < names.size(); ++i) {
    for (size_t j = 0; j < i; ++j) {
      if (str_equal(names[i].get(), names[j].get())) return false;
    }
  }
  return true;
}

}  // namespace

Ref make_record(PyObject* type_name, std::vector<Ref>& names, std::vector<Ref>& values) {
  Ref cls = class_for(type_name);
  auto* tp = reinterpret_cast<PyTypeObject*>(cls.get());
  // A class as the registry makes it, with no constructor or metaclass of
  // anyone's: calling it would run only Object.__new__ over the dict, whose
  // items are these fields. So the dict and the call are skipped.
  if (Py_IS_TYPE(cls.get(), &PyType_Type) && tp->tp_new == obj_new && tp->tp_init == PyBaseObject_Type.tp_init &&
      unique_names(names)) {
    return new_instance(tp, Ref::borrow(type_name), names, values);
  }
  Ref dict = check(PyDict_New());
  for (size_t i = 0; i < names.size(); ++i) check(PyDict_SetItem(dict.get(), names[i].get(), values[i].get()));
  names.clear();
  values.clear();
  return make_object(type_name, dict.get());
}

void register_known_classes(PyObject* module) {
  for (const char* name : kKnownNames) {
    Ref n = static_name(name);
    Ref cls = class_for(n.get());
    check(PyObject_SetAttr(module, n.get(), cls.get()));
  }
}

}  // namespace dorvek::py
