#include "py_glue.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <vector>

#include "models/ascii.hpp"
#include "models/error.hpp"
#include "models/validation_error.hpp"

namespace dorvek::py {

Error Error::fetch() {
  PyObject* exc = PyErr_GetRaisedException();
  if (!exc) {
    PyErr_SetString(PyExc_SystemError, "attempted to fetch exception but none was set");
    exc = PyErr_GetRaisedException();
  }
  return Error(Ref::steal(exc));
}

void Error::restore() const {
  Py_XINCREF(exc_);
  PyErr_SetRaisedException(exc_);
}

void throw_error() { throw Error::fetch(); }

void raise(PyObject* type, std::string_view message) {
  Ref text = message_str(message);
  PyErr_SetObject(type, text.get());
  throw_error();
}

Ref str(std::string_view utf8) {
  return check(PyUnicode_FromStringAndSize(utf8.data(), static_cast<Py_ssize_t>(utf8.size())));
}

namespace {

bool is_ascii(const PieceText& p) { return ascii_prefix(p.data(), p.size()) == p.size(); }


// Decodes strict UTF-8 into code units of type C, `room` of them at most;
// the number written, or -1 for a malformed or too long text.
template <class C>
Py_ssize_t decode_utf8(const PieceText& piece, C* out, Py_ssize_t room) {
  const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
  const auto* end = p + piece.size();
  auto cont = [](unsigned char b) { return (b & 0xC0) == 0x80; };
  Py_ssize_t n = 0;
  while (p < end) {
    if (n == room) return -1;
    const unsigned char b = *p;
    Py_UCS4 cp;
    if (b < 0x80) {
      cp = b;
      p += 1;
    } else if (b >= 0xC2 && b <= 0xDF && end - p >= 2 && cont(p[1])) {
      cp = (Py_UCS4{b} & 0x1F) << 6 | (p[1] & 0x3F);
      p += 2;
    } else if (b >= 0xE0 && b <= 0xEF && end - p >= 3 && cont(p[1]) && cont(p[2])) {
      cp = (Py_UCS4{b} & 0x0F) << 12 | (Py_UCS4{p[1]} & 0x3F) << 6 | (p[2] & 0x3F);
      if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
      p += 3;
    } else if (b >= 0xF0 && b <= 0xF4 && end - p >= 4 && cont(p[1]) && cont(p[2]) && cont(p[3])) {
      cp = (Py_UCS4{b} & 0x07) << 18 | (Py_UCS4{p[1]} & 0x3F) << 12 | (Py_UCS4{p[2]} & 0x3F) << 6 | (p[3] & 0x3F);
      if (cp < 0x10000 || cp > 0x10FFFF) return -1;
      p += 4;
    } else {
      return -1;
    }
    if (cp > static_cast<Py_UCS4>(static_cast<C>(~C{0}))) return -1;
    out[n++] = static_cast<C>(cp);
  }
  return n;
}

}  // namespace

Ref str(std::vector<PieceText> pieces) {
  size_t total = 0, chars = 0;
  bool ascii = true;
  for (const PieceText& p : pieces) {
    total += p.size();
    ascii = ascii && is_ascii(p);
  }
  // Otherwise the length in code points and the widest one, from the lead bytes.
  unsigned char top = 0;
  if (ascii) {
    chars = total;
  } else {
    for (const PieceText& p : pieces) {
      for (char c : p) {
        const auto b = static_cast<unsigned char>(c);
        chars += (b & 0xC0) != 0x80;
        top = b > top ? b : top;
      }
    }
  }
  if (total > static_cast<size_t>(PY_SSIZE_T_MAX)) raise(PyExc_OverflowError, "text too long for a str");
  const Py_UCS4 widest = top < 0x80 ? 0x7F : top < 0xC4 ? 0xFF : top < 0xF0 ? 0xFFFF : 0x10FFFF;
  Ref out = check(PyUnicode_New(static_cast<Py_ssize_t>(chars), widest));
  const Py_ssize_t length = static_cast<Py_ssize_t>(chars);
  Py_ssize_t at = 0;
  for (PieceText& p : pieces) {
    Py_ssize_t n;
    switch (PyUnicode_KIND(out.get())) {
      case PyUnicode_1BYTE_KIND:
        n = decode_utf8(p, PyUnicode_1BYTE_DATA(out.get()) + at, length - at);
        break;
      case PyUnicode_2BYTE_KIND:
        n = decode_utf8(p, PyUnicode_2BYTE_DATA(out.get()) + at, length - at);
        break;
      default:
        n = decode_utf8(p, PyUnicode_4BYTE_DATA(out.get()) + at, length - at);
    }
    // Text the writers made is UTF-8: should a piece not be, decoding it
    // raises the interpreter's own error.
    if (n < 0) {
      str(std::string_view(p.data(), p.size()));
      raise(PyExc_ValueError, "text pieces of uneven characters");
    }
    at += n;
    PieceText().swap(p);
  }
  if (at != length) raise(PyExc_ValueError, "text pieces of uneven characters");
  return out;
}

Ref message_str(std::string_view utf8) {
  return check(PyUnicode_DecodeUTF8(utf8.data(), static_cast<Py_ssize_t>(utf8.size()), "replace"));
}

void rethrow_with_note(const char* param) {
  Ref exc = Ref::steal(PyErr_GetRaisedException());
  Ref note = Ref::steal(PyUnicode_FromFormat("while processing '%s'", param));
  Ref added = note ? Ref::steal(PyObject_CallMethod(exc.get(), "add_note", "O", note.get())) : Ref();
  // A note that cannot be added is left out; the exception itself matters.
  if (!added) PyErr_Clear();
  throw Error(std::move(exc));
}

void raise_not_instance(PyObject* value, const char* expected, const char* param) {
  if (value == Py_None) {
    PyErr_Format(PyExc_TypeError, "'None' is not an instance of '%s'", expected);
  } else {
    Ref name = Ref::steal(PyType_GetQualName(Py_TYPE(value)));
    if (name) PyErr_Format(PyExc_TypeError, "'%U' object is not an instance of '%s'", name.get(), expected);
  }
  if (param) rethrow_with_note(param);
  throw_error();
}

std::string_view text_arg(PyObject* value, const char* param) {
  if (!PyUnicode_Check(value)) raise_not_instance(value, "str", param);
  Py_ssize_t n = 0;
  const char* p = PyUnicode_AsUTF8AndSize(value, &n);
  if (!p) rethrow_with_note(param);
  return {p, static_cast<size_t>(n)};
}

namespace {

// One keyword argument: its name and value.
struct Keyword {
  PyObject* name;
  PyObject* value;
};

// "'a'", "'a' and 'b'", "'a', 'b', and 'c'", as Python lists missing names.
std::string quoted_list(std::span<const char* const> names) {
  std::string out;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) out += names.size() == 2 ? " and " : (i + 1 == names.size() ? ", and " : ", ");
    out += '\'';
    out += names[i];
    out += '\'';
  }
  return out;
}

template <class Keywords>
void bind_with(const Signature& sig, PyObject* const* args, size_t nargs, Keywords&& keywords, PyObject** out) {
  const size_t n = sig.params.size();
  if (nargs > n) {
    const char* verb = nargs == 1 ? "was" : "were";
    if (sig.required == n) {
      PyErr_Format(PyExc_TypeError, "%s takes %zu positional arguments but %zu %s given", sig.full_name, n,
                   nargs, verb);
    } else {
      PyErr_Format(PyExc_TypeError, "%s takes from %zu to %zu positional arguments but %zu %s given",
                   sig.full_name, sig.required, n, nargs, verb);
    }
    throw_error();
  }
  for (size_t i = 0; i < n; ++i) out[i] = i < nargs ? args[i] : nullptr;
  keywords([&](Keyword kw) {
    size_t i = 0;
    while (i < n && PyUnicode_CompareWithASCIIString(kw.name, sig.params[i]) != 0) ++i;
    if (i == n) {
      PyErr_Format(PyExc_TypeError, "%s got an unexpected keyword argument '%U'", sig.full_name, kw.name);
      throw_error();
    }
    if (out[i]) {
      PyErr_Format(PyExc_TypeError, "%s got multiple values for argument '%s'", sig.full_name, sig.params[i]);
      throw_error();
    }
    out[i] = kw.value;
  });
  std::vector<const char*> missing;
  for (size_t i = 0; i < sig.required; ++i) {
    if (!out[i]) missing.push_back(sig.params[i]);
  }
  if (!missing.empty()) {
    size_t count = missing.size();
    std::string names = quoted_list(missing);
    PyErr_Format(PyExc_TypeError, "%s missing %zu required positional %s: %s", sig.full_name, count,
                 count == 1 ? "argument" : "arguments", names.c_str());
    throw_error();
  }
}

}  // namespace

void bind(const Signature& sig, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames, PyObject** out) {
  size_t positional = static_cast<size_t>(PyVectorcall_NARGS(nargs));
  bind_with(sig, args, positional, [&](auto&& take) {
    Py_ssize_t nkw = kwnames ? PyTuple_GET_SIZE(kwnames) : 0;
    for (Py_ssize_t i = 0; i < nkw; ++i) take(Keyword{PyTuple_GET_ITEM(kwnames, i), args[positional + i]});
  }, out);
}

void bind(const Signature& sig, PyObject* args, PyObject* kwargs, PyObject** out) {
  PyObject* const* items = reinterpret_cast<PyTupleObject*>(args)->ob_item;
  bind_with(sig, items, static_cast<size_t>(PyTuple_GET_SIZE(args)), [&](auto&& take) {
    if (!kwargs) return;
    PyObject *k, *v;
    Py_ssize_t pos = 0;
    // The call made this dict for us alone: nothing else changes it.
    while (PyDict_Next(kwargs, &pos, &k, &v)) take(Keyword{k, v});
  }, out);
}

PyObject* panic_exception() {
  // Made on first need and kept for the process; a failed attempt is retried.
  static PyObject* type = nullptr;
  if (!type) {
    type = PyErr_NewExceptionWithDoc(
        "dorvek._dorvek.PanicException",
        "Raised when the module's own code fails internally.\n\n"
        "Like SystemExit it derives from BaseException, not Exception, so that it\n"
        "propagates to the top and typically ends the interpreter.",
        PyExc_BaseException, nullptr);
  }
  return type;
}

namespace {

void raise_panic(const char* message) {
  PyObject* type = panic_exception();
  if (!type) return;  // its creation failed and left that error raised
  Ref text = Ref::steal(PyUnicode_DecodeUTF8(message, static_cast<Py_ssize_t>(std::strlen(message)), "replace"));
  if (text) PyErr_SetObject(type, text.get());
}

void set_value_error(const std::string& text) {
  Ref s = Ref::steal(PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace"));
  if (s) PyErr_SetObject(PyExc_ValueError, s.get());
}

}  // namespace

void raise_current() noexcept {
  try {
    try {
      throw;
    } catch (const Error& e) {
      e.restore();
    } catch (const YamlError& e) {
      set_value_error(e.text());
    } catch (const ValidationError& e) {
      set_value_error(e.text());
    } catch (const std::exception& e) {
      raise_panic(e.what());
    } catch (...) {
      raise_panic("unknown internal failure");
    }
  } catch (...) {
    // A failure while carrying a failure out: nothing sound is left to do.
    std::fputs("uncaught panic at ffi boundary\n", stderr);
    std::abort();
  }
}

}  // namespace dorvek::py
