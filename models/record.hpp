// One declaration per record drives its reader and its field walk.
//
//   struct TextLocation {
//     std::string path;
//     int32_t start_line = 0;
//     static constexpr const char* type_name = "TextLocation";
//     static constexpr auto fields() {
//       using T = TextLocation;
//       return std::tuple{required("path", &T::path), required("start_line", &T::start_line)};
//     }
//   };
//
// Defaults live in the member initialisers. A field whose value needs a
// reader or writer of its own names a codec: `required<MyCodec>("key", &T::m)`.
// Records that skip undeclared keys declare
// `static constexpr Undeclared undeclared = Undeclared::Skip;`.
// A field that is also read under an older key says so with
// `.or_key("old")`: read alike under either key, written under its own,
// both at once a duplicate, and the unknown-field message lists only own keys.
// A record with a flattened part names its member in
// `static constexpr auto flatten = &T::member;` (flatten.hpp reads and
// writes it); the member is a record or a JsonValue and is not in fields().
#pragma once

#include <array>
#include <bitset>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "models/codec.hpp"

namespace dorvek {

enum class Status : uint8_t { Required, Optional, Defaulted };
enum class Undeclared : uint8_t { Reject, Skip };

template <class T, class M, class C>
struct Field {
  using record_type = T;
  using member_type = M;
  using codec = C;
  std::string_view key;
  M T::*member;
  Status status;
  std::string_view second_key{};

  constexpr Field or_key(std::string_view k) const {
    Field f = *this;
    f.second_key = k;
    return f;
  }
};

template <class C, class M>
using CodecOr = std::conditional_t<std::is_void_v<C>, Codec<M>, C>;

template <class C = void, class T, class M>
constexpr auto required(std::string_view key, M T::*member) {
  return Field<T, M, CodecOr<C, M>>{key, member, Status::Required};
}
template <class C = void, class T, class M>
constexpr auto optional(std::string_view key, M T::*member) {
  return Field<T, M, CodecOr<C, M>>{key, member, Status::Optional};
}
template <class C = void, class T, class M>
constexpr auto defaulted(std::string_view key, M T::*member) {
  return Field<T, M, CodecOr<C, M>>{key, member, Status::Defaulted};
}

template <class T>
concept Record = requires {
  T::fields();
  T::type_name;
};

template <class T>
concept Flattened = Record<T> && requires { T::flatten; };

// The compile-time tables of a record: keys, statuses, per-field readers.
template <class T>
struct RecordInfo {
  static constexpr auto table = T::fields();
  static constexpr size_t size = std::tuple_size_v<decltype(table)>;

  static constexpr Undeclared undeclared() {
    if constexpr (requires { T::undeclared; }) {
      return T::undeclared;
    } else {
      return Undeclared::Reject;
    }
  }

  template <size_t... I>
  static constexpr auto make_keys(std::index_sequence<I...>) {
    return std::array<std::string_view, size>{std::get<I>(table).key...};
  }
  static constexpr auto keys = make_keys(std::make_index_sequence<size>{});

  template <size_t... I>
  static constexpr auto make_second_keys(std::index_sequence<I...>) {
    return std::array<std::string_view, size>{std::get<I>(table).second_key...};
  }
  static constexpr auto second_keys = make_second_keys(std::make_index_sequence<size>{});
  static constexpr bool has_second_keys = [] {
    for (std::string_view k : second_keys) {
      if (!k.empty()) return true;
    }
    return false;
  }();
  static_assert(
      [] {
        for (size_t i = 0; i < size; ++i) {
          if (second_keys[i].empty()) continue;
          for (size_t j = 0; j < size; ++j) {
            if (second_keys[i] == keys[j] || (j != i && second_keys[i] == second_keys[j])) return false;
          }
        }
        return true;
      }(),
      "a second key must name no other field");

  template <size_t... I>
  static constexpr auto make_statuses(std::index_sequence<I...>) {
    return std::array<Status, size>{std::get<I>(table).status...};
  }
  static constexpr auto statuses = make_statuses(std::make_index_sequence<size>{});

  using FieldReader = void (*)(Reader&, T&);
  template <size_t I>
  static void read_field(Reader& r, T& out) {
    constexpr auto f = std::get<I>(table);
    using F = std::remove_cv_t<decltype(f)>;
    out.*(f.member) = F::codec::read(r);
  }
  template <size_t... I>
  static constexpr auto make_readers(std::index_sequence<I...>) {
    return std::array<FieldReader, size>{&read_field<I>...};
  }

  // Index of `key` among the declared keys, trying `hint` first (documents
  // usually list keys in declaration order), then among the second keys;
  // -1 when undeclared.
  static int find(std::string_view key, size_t hint) {
    if (hint < size && keys[hint] == key) return static_cast<int>(hint);
    for (size_t i = 0; i < size; ++i) {
      if (keys[i] == key) return static_cast<int>(i);
    }
    if constexpr (has_second_keys) {
      for (size_t i = 0; i < size; ++i) {
        if (!second_keys[i].empty() && second_keys[i] == key) return static_cast<int>(i);
      }
    }
    return -1;
  }

  static std::string expected() { return std::string("struct ") + T::type_name; }

  // The first required field not seen, in declaration order.
  static void check_missing(const std::bitset<size>& seen) {
    for (size_t i = 0; i < size; ++i) {
      if (statuses[i] == Status::Required && !seen[i]) throw YamlError::custom(msg::missing_field(keys[i]));
    }
  }
};

// Reads a record key: its field index, or -1 for an undeclared key that the
// record skips (its text in `text` when asked). Aliased keys are replayed;
// rejected keys fail at the key.
template <class T, bool Reject = RecordInfo<T>::undeclared() == Undeclared::Reject>
int read_record_key(Reader& r, size_t hint, std::string_view* text = nullptr) {
  const Event& e = r.next();
  if (e.kind == EventKind::Alias) {
    Replay rp(r, e);
    return read_record_key<T, Reject>(rp.reader(), hint, text);
  }
  if (e.kind != EventKind::Scalar) r.invalid_type(e, "field identifier");
  using Info = RecordInfo<T>;
  std::string_view key = r.value(e);
  if (text) *text = key;
  int idx = Info::find(key, hint);
  if (idx < 0 && Reject) {
    YamlError err = YamlError::custom(msg::unknown_field(key, Info::keys.data(), Info::size));
    r.place(err, e);
    throw err;
  }
  return idx;
}

// The key loop over a mapping whose start was just taken; fills `out` and
// `seen`, and hands each undeclared key that is not rejected to
// `other(key_text, value_reader)`, which must take its value.
template <Record T, bool Reject, class Other>
size_t read_record_entries_with(Reader& in, T& out, std::bitset<RecordInfo<T>::size>& seen, Other&& other) {
  using Info = RecordInfo<T>;
  static constexpr auto readers = Info::make_readers(std::make_index_sequence<Info::size>{});
  size_t n = 0, hint = 0;
  for (;;) {
    const Event& k = in.peek();
    if (k.kind == EventKind::MappingEnd || k.kind == EventKind::Void) break;
    ++n;
    Path p = in.value_path(k);
    std::string_view key;
    int idx = read_record_key<T, Reject>(in, hint, &key);
    Reader vr = in.with_path(p);
    if (idx < 0) {
      other(key, vr);
      continue;
    }
    size_t i = static_cast<size_t>(idx);
    if (seen[i]) throw YamlError::custom(msg::duplicate_field(Info::keys[i]));
    seen[i] = true;
    readers[i](vr, out);
    hint = i + 1;
  }
  return n;
}

// The key loop of an ordinary record: undeclared keys rejected or skipped.
template <Record T>
size_t read_record_entries(Reader& in, T& out) {
  using Info = RecordInfo<T>;
  std::bitset<Info::size> seen;
  size_t n = read_record_entries_with<T, Info::undeclared() == Undeclared::Reject>(
      in, out, seen, [](std::string_view, Reader& vr) { vr.ignore_any(); });
  Info::check_missing(seen);
  return n;
}

// The record protocol: a mapping, an empty value (no entries) or a type error.
template <Record T>
T read_record(Reader& r) {
  T out{};
  with_event(r, [&](Reader& rr, const Event& e) {
    if (e.kind == EventKind::MappingStart) {
      rr.visit_mapping(e, [&](Reader& in) { return read_record_entries(in, out); });
    } else if (rr.is_empty_value(e)) {
      RecordInfo<T>::check_missing({});
    } else {
      rr.invalid_type(e, RecordInfo<T>::expected());
    }
  });
  return out;
}

// Calls `fn(key, value)` for every field in declaration order, each value
// with its field's walk and declared type name.
template <Record T, class F>
void for_each_field(const T& v, F&& fn) {
  std::apply(
      [&](const auto&... f) {
        (fn(f.key, value_ref<typename std::remove_cvref_t<decltype(f)>::member_type,
                             typename std::remove_cvref_t<decltype(f)>::codec>(v.*(f.member))),
         ...);
      },
      RecordInfo<T>::table);
}

// The field walk: every field, in declaration order, with its declared type.
template <Record T>
void write_record(Writer& w, const T& v) {
  StructWriter& s = w.serialize_struct(T::type_name, RecordInfo<T>::size);
  for_each_field(v, [&](std::string_view key, ValueRef value) { s.serialize_field(key, value); });
  s.end();
}

template <Record T>
  requires(!SelfCodec<T> && !Flattened<T>)
struct Codec<T> {
  static constexpr const char* type_name = T::type_name;
  static T read(Reader& r) { return read_record<T>(r); }
  static T read_buffered(const BufferedNode& n);  // buffered.hpp
  static void write(Writer& w, const T& v) { write_record(w, v); }
};

}  // namespace dorvek
