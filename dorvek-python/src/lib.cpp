// Start-up of the extension module `dorvek._dorvek`, its document classes,
// and reading a document file whole.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "document.hpp"
#include "models/ascii.hpp"
#include "models/ort/license_classifications.hpp"
#include "models/ort/ort_result.hpp"
#include "models/ort/repository_configuration.hpp"
#include "object.hpp"
#include "py_glue.hpp"

namespace dorvek::py {

namespace {

// The document classes, one line each.
using LicenseClassificationsClass = DocumentClass<ort::LicenseClassifications>;
using RepositoryConfigurationClass = DocumentClass<ort::RepositoryConfiguration>;
using OrtResultClass = DocumentClass<ort::OrtResult>;

[[noreturn]] void raise_os(const std::string& text) { raise(PyExc_OSError, text); }

// "{message} (os error {n})", as the system describes the error number.
std::string os_error_text(int err) {
  char buf[256];
  const char* message = strerror_r(err, buf, sizeof buf);
  return std::string(message) + " (os error " + std::to_string(err) + ")";
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool valid_utf8(std::string_view s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  const auto* end = p + s.size();
  while (p < end) {
    if (*p < 0x80) {
      p += ascii_prefix(reinterpret_cast<const char*>(p), static_cast<size_t>(end - p));
      continue;
    }
    size_t n;
    unsigned char lo = 0x80, hi = 0xBF;
    if (*p >= 0xC2 && *p <= 0xDF) {
      n = 1;
    } else if (*p >= 0xE0 && *p <= 0xEF) {
      n = 2;
      if (*p == 0xE0) lo = 0xA0;
      if (*p == 0xED) hi = 0x9F;
    } else if (*p >= 0xF0 && *p <= 0xF4) {
      n = 3;
      if (*p == 0xF0) lo = 0x90;
      if (*p == 0xF4) hi = 0x8F;
    } else {
      return false;
    }
    if (static_cast<size_t>(end - p) <= n) return false;
    if (p[1] < lo || p[1] > hi) return false;
    for (size_t i = 2; i <= n; ++i) {
      if (p[i] < 0x80 || p[i] > 0xBF) return false;
    }
    p += n + 1;
  }
  return true;
}

}  // namespace

std::string read_file(std::string_view path) {
  if (path.find('\0') != std::string_view::npos) raise_os("file name contained an unexpected NUL byte");
  const std::string name(path);
  const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) raise_os(os_error_text(errno));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  // Sized from the reported size, one byte more so that one read meets the end.
  struct stat st;
  size_t cap = ::fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : 8192;
  std::string data(cap, '\0');
  size_t len = 0;
  for (;;) {
    if (len == data.size()) data.resize(data.size() * 2);
    ssize_t n = ::read(fd, data.data() + len, data.size() - len);
    if (n < 0) {
      if (errno == EINTR) continue;
      raise_os(os_error_text(errno));
    }
    if (n == 0) break;
    len += static_cast<size_t>(n);
  }
  data.resize(len);
  if (!valid_utf8(data)) raise_os("stream did not contain valid UTF-8");
  return data;
}

namespace {

// Appends `name` to the module's `__all__` (made when missing) and binds it.
void add_to_module(PyObject* module, PyObject* name, PyObject* value) {
  Ref all = Ref::steal(PyObject_GetAttrString(module, "__all__"));
  if (!all) {
    if (!PyErr_ExceptionMatches(PyExc_AttributeError)) throw_error();
    PyErr_Clear();
    all = check(PyList_New(0));
    check(PyObject_SetAttrString(module, "__all__", all.get()));
  } else if (!PyList_Check(all.get())) {
    raise_not_instance(all.get(), "list");
  }
  check(PyList_Append(all.get(), name));
  check(PyObject_SetAttr(module, name, value));
}

void module_body(PyObject* module) {
  Ref ort = check(PyModule_New("ort"));
  const struct {
    const char* name;
    PyTypeObject* (*type)();
  } classes[] = {
      {"Object", object_type},
      {"LicenseClassifications", LicenseClassificationsClass::type},
      {"RepositoryConfiguration", RepositoryConfigurationClass::type},
      {"OrtResult", OrtResultClass::type},
  };
  for (const auto& c : classes) {
    PyObject* type = reinterpret_cast<PyObject*>(c.type());
    Ref name = check(PyUnicode_InternFromString(c.name));
    add_to_module(ort.get(), name.get(), type);
  }

  // Attached under the last segment of its own name.
  Ref full = check(PyModule_GetNameObject(ort.get()));
  const Py_ssize_t len = PyUnicode_GET_LENGTH(full.get());
  const Py_ssize_t dot = PyUnicode_FindChar(full.get(), '.', 0, len, -1);
  if (dot == -2) throw_error();
  Ref last = dot < 0 ? std::move(full) : check(PyUnicode_Substring(full.get(), dot + 1, len));
  add_to_module(module, last.get(), ort.get());

  Ref dotted = check(PyUnicode_FromString("dorvek.ort"));
  check(PyObject_SetAttrString(ort.get(), "__name__", dotted.get()));

  Ref sys = check(PyImport_ImportModule("sys"));
  Ref modules = check(PyObject_GetAttrString(sys.get(), "modules"));
  Ref key = check(PyUnicode_FromString("dorvek._dorvek.ort"));
  check(PyObject_SetItem(modules.get(), key.get(), ort.get()));

  register_known_classes(ort.get());
}

int module_exec(PyObject* module) {
  if (!module) {
    if (!PyErr_Occurred()) PyErr_SetString(PyExc_SystemError, "attempted to fetch exception but none was set");
    return -1;
  }
  return guard(-1, [&] {
    if (!PyModule_Check(module)) raise_not_instance(module, "module");
    module_body(module);
    return 0;
  });
}

PyModuleDef_Slot module_slots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(module_exec)},
#ifdef Py_mod_multiple_interpreters
    // The classes and their cache are shared by the whole process.
    {Py_mod_multiple_interpreters, Py_MOD_MULTIPLE_INTERPRETERS_NOT_SUPPORTED},
#endif
#ifdef Py_mod_gil
    // The class cache and the one-time cells rely on the interpreter lock.
    {Py_mod_gil, Py_MOD_GIL_USED},
#endif
    {0, nullptr},
};

constexpr const char kModuleDoc[] =
    "Python extension module `dorvek._dorvek`. Each model family gets its own submodule, mirroring the\n"
    "`models::<family>` source layout; the `dorvek` Python package re-exports them, so\n"
    "`from dorvek.ort import OrtResult` is the ORT import path.";

PyModuleDef module_def = {
    PyModuleDef_HEAD_INIT, "_dorvek", kModuleDoc, 0, nullptr, module_slots, nullptr, nullptr, nullptr,
};

// The export entry's slot table. Interpreters that have the export entry
// name its slots in their headers; older ones never call it, and there the
// slot numbers they lack are our own and only give the table its form.
#if defined(Py_mod_name) && defined(Py_mod_doc) && defined(Py_mod_abi)
#define DORVEK_MODULE_EXPORT 1
constexpr int kSlotAbi = Py_mod_abi, kSlotName = Py_mod_name, kSlotDoc = Py_mod_doc;
#elif PY_VERSION_HEX < 0x030F0000
#define DORVEK_MODULE_EXPORT 1
constexpr int kSlotAbi = 0x7d00, kSlotName = 0x7d01, kSlotDoc = 0x7d02;
#endif

#ifdef DORVEK_MODULE_EXPORT
#ifdef Py_mod_gil
constexpr int kSlotGil = Py_mod_gil;
#else
constexpr int kSlotGil = 4;  // the number interpreters with the slot give it
#endif

// Record format 1.0, flags 0x0002, build and ABI versions left open.
struct AbiRecord {
  uint8_t major;
  uint8_t minor;
  uint16_t flags;
  uint32_t build_version;
  uint32_t abi_version;
};
static_assert(sizeof(AbiRecord) == 12);
constexpr AbiRecord kAbi{1, 0, 0x0002, 0, 0};

// The interpreter lock stays declared as needed: the class cache and the
// one-time cells rely on it.
PyModuleDef_Slot export_slots[] = {
    {Py_mod_exec, reinterpret_cast<void*>(module_exec)},
    {kSlotAbi, const_cast<AbiRecord*>(&kAbi)},
    {kSlotGil, nullptr},
    {kSlotName, const_cast<char*>("_dorvek")},
    {kSlotDoc, const_cast<char*>(kModuleDoc)},
    {0, nullptr},
};
#endif

}  // namespace

}  // namespace dorvek::py

PyMODINIT_FUNC PyInit__dorvek() { return PyModuleDef_Init(&dorvek::py::module_def); }

#ifdef DORVEK_MODULE_EXPORT
extern "C" Py_EXPORTED_SYMBOL PyModuleDef_Slot* PyModExport__dorvek(void) { return dorvek::py::export_slots; }
#endif
