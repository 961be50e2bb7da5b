// What every Python entry point of the module shares: owned references, the
// C++ form of a raised Python exception, argument binding with the
// interpreter's own texts, and the boundary where C++ exceptions become
// Python exceptions.
#pragma once

#include <cstddef>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "py_compat.hpp"
#include "writers/text_pieces.hpp"

namespace dorvek::py {

// One owned reference; moved, never copied.
class Ref {
 public:
  Ref() = default;
  static Ref steal(PyObject* p) { return Ref(p); }
  static Ref borrow(PyObject* p) {
    Py_XINCREF(p);
    return Ref(p);
  }
  Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  Ref& operator=(Ref&& o) noexcept {
    PyObject* old = std::exchange(p_, std::exchange(o.p_, nullptr));
    Py_XDECREF(old);
    return *this;
  }
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  ~Ref() { Py_XDECREF(p_); }

  PyObject* get() const { return p_; }
  PyObject* release() { return std::exchange(p_, nullptr); }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  explicit Ref(PyObject* p) : p_(p) {}
  PyObject* p_ = nullptr;
};

// A Python exception on its way through C++ frames to the entry point, which
// raises it again. Holding it (instead of leaving the error indicator set)
// keeps it safe from code that runs while the stack unwinds.
class Error {
 public:
  explicit Error(Ref exc) : exc_(exc.release()) {}
  Error(const Error& o) : exc_(o.exc_) { Py_XINCREF(exc_); }
  Error& operator=(const Error&) = delete;
  ~Error() { Py_XDECREF(exc_); }

  // Takes the raised exception; SystemError when none is set.
  static Error fetch();
  PyObject* exception() const { return exc_; }
  void restore() const;

 private:
  PyObject* exc_;
};

[[noreturn]] void throw_error();
[[noreturn]] void raise(PyObject* type, std::string_view message);

// Owns a new reference, or throws the raised exception for null.
inline Ref check(PyObject* p) {
  if (!p) throw_error();
  return Ref::steal(p);
}
inline void check(int rc) {
  if (rc < 0) throw_error();
}

// A str of UTF-8 text, strict (model texts are always valid UTF-8).
Ref str(std::string_view utf8);
// A str of UTF-8 text given in pieces that each end on a whole character,
// made at its final width and length and filled piece by piece, each piece
// freed once copied: the text is never held twice.
Ref str(std::vector<PieceText> pieces);
// A str of a message; invalid bytes become U+FFFD.
Ref message_str(std::string_view utf8);

// TypeError "'{}' object is not an instance of '{}'" (for None "'None' is not
// an instance of '{}'"), with the note naming `param` when one is given.
[[noreturn]] void raise_not_instance(PyObject* value, const char* expected, const char* param = nullptr);
// Re-raises the current exception with the note "while processing '{}'".
[[noreturn]] void rethrow_with_note(const char* param);

// A `str` argument's UTF-8 text, valid as long as the argument lives.
std::string_view text_arg(PyObject* value, const char* param);

// The parameters of a callable bound like a Python function's: positional or
// keyword, the first `required` of them required.
struct Signature {
  const char* full_name;  // "Class.method()"
  std::span<const char* const> params;
  size_t required;
};
// Vectorcall arguments into `out` (borrowed, null where not given).
void bind(const Signature& sig, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames, PyObject** out);
// Tuple and dict arguments into `out`.
void bind(const Signature& sig, PyObject* args, PyObject* kwargs, PyObject** out);

// Walks a dict's items in order, each with its own reference held. A change
// of the dict meanwhile raises RuntimeError with the texts of Python's own
// dict iteration.
template <class F>
void for_each_item(PyObject* dict, F&& f) {
  const Py_ssize_t size = PyDict_GET_SIZE(dict);
  Py_ssize_t pos = 0, seen = 0;
  PyObject *k, *v;
  for (;;) {
    if (PyDict_GET_SIZE(dict) != size) raise(PyExc_RuntimeError, "dictionary changed size during iteration");
    if (!PyDict_Next(dict, &pos, &k, &v)) break;
    if (seen++ == size) raise(PyExc_RuntimeError, "dictionary keys changed during iteration");
    Ref key = Ref::borrow(k), value = Ref::borrow(v);
    f(key.get(), value.get());
  }
}

// Pauses the cycle collector while a tree of new objects is built, and
// restores its state after. The new objects form no cycles, and every pass
// the collector would make meanwhile walks the whole growing tree again: with
// it running, building a large tree took three times as long.
class GcPause {
 public:
  GcPause() : was_enabled_(PyGC_Disable()) {}
  ~GcPause() {
    if (was_enabled_) PyGC_Enable();
  }
  GcPause(const GcPause&) = delete;
  GcPause& operator=(const GcPause&) = delete;

 private:
  int was_enabled_;
};

// Whether two str objects hold the same text.
inline bool str_equal(PyObject* a, PyObject* b) {
  if (a == b) return true;
  Py_ssize_t n = PyUnicode_GET_LENGTH(a);
  return n == PyUnicode_GET_LENGTH(b) && PyUnicode_KIND(a) == PyUnicode_KIND(b) &&
         std::memcmp(PyUnicode_DATA(a), PyUnicode_DATA(b), static_cast<size_t>(n) * PyUnicode_KIND(a)) == 0;
}

// The exception raised for an internal failure; derives from BaseException.
PyObject* panic_exception();

// Raises the C++ exception in flight as a Python exception: an Error as
// itself, a YamlError or ValidationError as ValueError with its text,
// anything else as the internal-failure exception.
void raise_current() noexcept;

// Runs an entry point's body; an escaping exception is raised and `fail`
// returned.
template <class R, class F>
R guard(R fail, F&& body) noexcept {
  try {
    return body();
  } catch (...) {
    raise_current();
    return fail;
  }
}
// The same for bodies that give a new reference.
template <class F>
PyObject* entry(F&& body) noexcept {
  return guard<PyObject*>(nullptr, [&] { return body().release(); });
}

}  // namespace dorvek::py
