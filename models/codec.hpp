// How each type reads and writes itself. `Codec<T>` gives `read(Reader&)`,
// `write(Writer&, const T&)` and the declared `type_name` (nullptr when the
// type is unnamed). Records get theirs from their one field declaration
// (record.hpp); scalars and containers are covered here.
#pragma once

#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "models/containers.hpp"
#include "models/reader.hpp"
#include "models/scalar.hpp"
#include "models/writer.hpp"

namespace dorvek {

template <class T, class = void>
struct Codec;

// A whole node read ahead of its typed reader (buffered.hpp). Codecs of the
// types that buffered values hold also give `read_buffered(const BufferedNode&)`.
struct BufferedNode;

// Types that read and write themselves: `static T deserialize(Reader&)`,
// `void serialize(Writer&) const` and `static constexpr const char* type_name`.
template <class T>
concept SelfCodec = requires(Reader& r, const T& v, Writer& w) {
  { T::deserialize(r) } -> std::same_as<T>;
  v.serialize(w);
};

template <SelfCodec T>
struct Codec<T> {
  static constexpr const char* type_name = T::type_name;
  static T read(Reader& r) { return T::deserialize(r); }
  static T read_buffered(const BufferedNode& n)
    requires requires { T::read_buffered(n); }
  {
    return T::read_buffered(n);
  }
  static void write(Writer& w, const T& v) { v.serialize(w); }
};

// Reads with `Codec<T>`; the entry for nested values.
template <class T>
T read(Reader& r) {
  return Codec<T>::read(r);
}

template <class C, class T>
void walk_with(const void* p, Writer& w) {
  C::write(w, *static_cast<const T*>(p));
}

// A value handed to a writer with its own walk and declared type name.
template <class T, class C = Codec<T>>
ValueRef value_ref(const T& v, const char* type_name = C::type_name) {
  return ValueRef{&v, &walk_with<C, T>, type_name};
}

// Writes a value with `Codec<T>` (the top-level entry of a walk).
template <class T>
void write(Writer& w, const T& v) {
  Codec<T>::write(w, v);
}

// Runs `body` over the value's collection event, replaying an alias first and
// placing positionless failures at the collection's start and path.
template <class F>
void with_event(Reader& r, F&& body) {
  const Event& e = r.next();
  if (e.kind == EventKind::Alias) {
    Replay rp(r, e);
    with_event(rp.reader(), body);
    return;
  }
  try {
    body(r, e);
  } catch (YamlError& err) {
    r.place(err, e);
    throw;
  }
}

// The element loop of a sequence whose start was just taken.
template <class F>
void read_elements(Reader& r, const Event& start, F&& element) {
  r.visit_sequence(start, [&](Reader& in) {
    size_t i = 0;
    for (;;) {
      EventKind k = in.peek().kind;
      if (k == EventKind::SequenceEnd || k == EventKind::Void) break;
      Path p = Path::element(in.path(), i);
      Reader er = in.with_path(p);
      element(er);
      ++i;
    }
    return i;
  });
}

// A list or set: a sequence, or an empty value as the empty container.
template <class F>
void read_sequence(Reader& r, F&& element) {
  with_event(r, [&](Reader& rr, const Event& e) {
    if (e.kind == EventKind::SequenceStart) {
      read_elements(rr, e, element);
    } else if (!rr.is_empty_value(e)) {
      rr.invalid_type(e, "a sequence");
    }
  });
}

// The entry loop of a mapping: `entry(key_reader, value_path_reader)` reads
// the key with the first and the value with the second.
template <class F>
void read_entries(Reader& r, const Event& start, F&& entry) {
  r.visit_mapping(start, [&](Reader& in) {
    size_t n = 0;
    for (;;) {
      const Event& k = in.peek();
      if (k.kind == EventKind::MappingEnd || k.kind == EventKind::Void) break;
      ++n;
      Path p = in.value_path(k);
      Reader vr = in.with_path(p);
      entry(in, vr);
    }
    return n;
  });
}

template <class F>
void read_mapping(Reader& r, F&& entry) {
  with_event(r, [&](Reader& rr, const Event& e) {
    if (e.kind == EventKind::MappingStart) {
      read_entries(rr, e, entry);
    } else if (!rr.is_empty_value(e)) {
      rr.invalid_type(e, "a map");
    }
  });
}

// Map keys read with `read_key` where a type has one (identifiers).
template <class K>
K read_key(Reader& r) {
  if constexpr (requires { Codec<K>::read_key(r); }) {
    return Codec<K>::read_key(r);
  } else {
    return Codec<K>::read(r);
  }
}

template <>
struct Codec<std::string> {
  static constexpr const char* type_name = nullptr;
  static std::string read(Reader& r) { return read_text(r); }
  static std::string read_buffered(const BufferedNode& n);
  static void write(Writer& w, const std::string& v) { w.serialize_str(v); }
};

template <>
struct Codec<bool> {
  static constexpr const char* type_name = nullptr;
  static bool read(Reader& r) { return read_bool(r); }
  static void write(Writer& w, bool v) { w.serialize_bool(v); }
};

template <>
struct Codec<int32_t> {
  static constexpr const char* type_name = nullptr;
  static int32_t read(Reader& r) { return read_i32(r); }
  static void write(Writer& w, int32_t v) { w.serialize_i32(v); }
};

template <>
struct Codec<int64_t> {
  static constexpr const char* type_name = nullptr;
  static int64_t read(Reader& r) { return read_i64(r); }
  static void write(Writer& w, int64_t v) { w.serialize_i64(v); }
};

template <>
struct Codec<uint32_t> {
  static constexpr const char* type_name = nullptr;
  static uint32_t read_buffered(const BufferedNode& n);
  static void write(Writer& w, uint32_t v) { w.serialize_u32(v); }
};

template <>
struct Codec<uint64_t> {
  static constexpr const char* type_name = nullptr;
  static uint64_t read_buffered(const BufferedNode& n);
  static void write(Writer& w, uint64_t v) { w.serialize_u64(v); }
};

template <>
struct Codec<double> {
  static constexpr const char* type_name = nullptr;
  static double read(Reader& r) { return read_f64(r); }
  static void write(Writer& w, double v) { w.serialize_f64(v); }
};

// A list that reaches this length counts its remaining elements and takes
// room for them all at once (counting is one walk over its events).
inline constexpr size_t kCountAhead = 1024;

template <class T>
struct Codec<std::vector<T>> {
  static constexpr const char* type_name = nullptr;
  static std::vector<T> read(Reader& r) {
    std::vector<T> out;
    read_sequence(r, [&](Reader& er) {
      if (out.size() == kCountAhead) out.reserve(out.size() + er.elements_left());
      out.push_back(Codec<T>::read(er));
    });
    return out;
  }
  static void write(Writer& w, const std::vector<T>& v) {
    SeqWriter& s = w.serialize_seq(v.size());
    for (const T& e : v) s.serialize_element(value_ref(e, nullptr));
    s.end();
  }
};

template <class T, class Eq>
struct Codec<HashSet<T, Eq>> {
  static constexpr const char* type_name = nullptr;
  static HashSet<T, Eq> read(Reader& r) {
    HashSet<T, Eq> out;
    read_sequence(r, [&](Reader& er) {
      if (out.size() == kCountAhead) out.reserve(out.size() + er.elements_left());
      out.insert(Codec<T>::read(er));
    });
    return out;
  }
  static void write(Writer& w, const HashSet<T, Eq>& v) {
    SeqWriter& s = w.serialize_seq(v.size());
    for (const T& e : v) s.serialize_element(value_ref(e, nullptr));
    s.end();
  }
};

template <class K, class V>
struct Codec<HashMap<K, V>> {
  static constexpr const char* type_name = nullptr;
  static HashMap<K, V> read(Reader& r) {
    HashMap<K, V> out;
    read_mapping(r, [&](Reader& kr, Reader& vr) {
      K key = read_key<K>(kr);
      V value = Codec<V>::read(vr);
      out.insert_or_assign(std::move(key), std::move(value));
    });
    return out;
  }
  static HashMap<K, V> read_buffered(const BufferedNode& n);
  static void write(Writer& w, const HashMap<K, V>& v) {
    MapWriter& m = w.serialize_map(v.size());
    for (const auto& [k, val] : v) m.serialize_entry(value_ref(k, nullptr), value_ref(val, nullptr));
    m.end();
  }
};

// The null forms that an optional value reads as none; a `!!null` tag with
// any other text fails (placed at the enclosing collection).
bool take_null(Reader& r, const Event& e);

template <class T>
struct Codec<std::optional<T>> {
  static constexpr const char* type_name = nullptr;
  static std::optional<T> read(Reader& r) {
    const Event& e = r.peek();
    if (e.kind == EventKind::Alias) {
      r.next();
      Replay rp(r, e);
      return read(rp.reader());
    }
    if (take_null(r, e)) return std::nullopt;
    return Codec<T>::read(r);
  }
  static std::optional<T> read_buffered(const BufferedNode& n);
  static void write(Writer& w, const std::optional<T>& v) {
    if (v) {
      w.serialize_some(value_ref(*v));
    } else {
      w.serialize_none();
    }
  }
};

}  // namespace dorvek
