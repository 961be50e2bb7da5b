// Buffered values: a whole node read ahead into a small tree typed by the
// scalar resolution rule, then read by typed readers that take no more
// events. Used where a reader must see a value before knowing its type (the
// keys a flattening record does not own, provenance shapes).
//
// Buffered readers raise positionless errors; they take the position of the
// innermost record, list or map read from the events.
#pragma once

#include <bitset>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "models/record.hpp"

namespace dorvek {

struct BufferedNode {
  enum class Kind : uint8_t { Null, None, Bool, UInt, Int, Float, String, Sequence, Mapping };
  struct NoneValue {
    bool operator==(const NoneValue&) const = default;
  };
  using Sequence = std::vector<BufferedNode>;
  // Pairs in document order; a repeated key gives two pairs.
  using Mapping = std::vector<std::pair<BufferedNode, BufferedNode>>;
  // Texts point into the document, which outlives every buffered node.
  using Data = std::variant<std::monostate, NoneValue, bool, uint64_t, int64_t, double, std::string_view,
                            Sequence, Mapping>;

  Data data;

  Kind kind() const { return static_cast<Kind>(data.index()); }
  template <class T>
  const T* get_if() const {
    return std::get_if<T>(&data);
  }
};

// Reads one whole node: aliases replayed, one nesting level per mapping or
// sequence. Local tags, and integers beyond 64 bits, fail.
BufferedNode buffer_node(Reader& r);

// "unit value", "Option value", "boolean `true`", "integer `5`",
// "floating point `1.5`", "string \"x\"", "sequence", "map".
std::string describe(const BufferedNode& n);
[[noreturn]] void buffered_invalid_type(const BufferedNode& n, std::string_view expected);

template <class T>
T read_buffered(const BufferedNode& n) {
  return Codec<T>::read_buffered(n);
}

// The per-field buffered readers of a record, from its one field table.
template <Record T>
struct BufferedFields {
  using Info = RecordInfo<T>;
  using FieldReader = void (*)(const BufferedNode&, T&);

  template <size_t I>
  static void read_field(const BufferedNode& n, T& out) {
    constexpr auto f = std::get<I>(Info::table);
    using F = std::remove_cv_t<decltype(f)>;
    out.*(f.member) = F::codec::read_buffered(n);
  }
  template <size_t... I>
  static constexpr auto make_readers(std::index_sequence<I...>) {
    return std::array<FieldReader, Info::size>{&read_field<I>...};
  }
  static constexpr auto readers = make_readers(std::make_index_sequence<Info::size>{});

  // Reads field `i` once; a second time is a duplicate.
  static void take(size_t i, const BufferedNode& n, T& out, std::bitset<Info::size>& seen) {
    if (seen[i]) throw YamlError::custom(msg::duplicate_field(Info::keys[i]));
    seen[i] = true;
    readers[i](n, out);
  }
};

std::string length_in_sequence(size_t fields);  // "2 elements in sequence"

// A record from a buffered mapping (text keys by name, unsigned keys by
// position) or sequence (fields in order); anything else is a type error.
template <Record T>
T read_record_buffered(const BufferedNode& n) {
  using Info = RecordInfo<T>;
  using Fields = BufferedFields<T>;
  T out{};
  std::bitset<Info::size> seen;
  if (const BufferedNode::Mapping* map = n.get_if<BufferedNode::Mapping>()) {
    size_t hint = 0;
    for (const std::pair<BufferedNode, BufferedNode>& entry : *map) {
      const BufferedNode& k = entry.first;
      int idx;
      std::string key_text;
      if (const auto* text = k.get_if<std::string_view>()) {
        idx = Info::find(*text, hint);
        if (idx < 0) key_text = *text;
      } else if (const auto* u = k.get_if<uint64_t>()) {
        idx = *u < Info::size ? static_cast<int>(*u) : -1;
        if (idx < 0) key_text = std::to_string(*u);
      } else {
        buffered_invalid_type(k, "field identifier");
      }
      if (idx < 0) {
        if (Info::undeclared() == Undeclared::Reject) {
          throw YamlError::custom(msg::unknown_field(key_text, Info::keys.data(), Info::size));
        }
        continue;
      }
      Fields::take(static_cast<size_t>(idx), entry.second, out, seen);
      hint = static_cast<size_t>(idx) + 1;
    }
    Info::check_missing(seen);
    return out;
  }
  if (const BufferedNode::Sequence* seq = n.get_if<BufferedNode::Sequence>()) {
    // Fields left out at the end keep their defaults, unless required.
    for (size_t i = 0; i < Info::size; ++i) {
      if (i < seq->size()) {
        Fields::readers[i]((*seq)[i], out);
      } else if (Info::statuses[i] == Status::Required) {
        throw YamlError::custom(msg::invalid_length(
            seq->size(), Info::expected() + " with " + std::to_string(Info::size) +
                             (Info::size == 1 ? " element" : " elements")));
      }
    }
    if (seq->size() > Info::size) {
      throw YamlError::custom(msg::invalid_length(seq->size(), length_in_sequence(Info::size)));
    }
    return out;
  }
  buffered_invalid_type(n, Info::expected());
}

template <Record T>
  requires(!SelfCodec<T> && !Flattened<T>)
T Codec<T>::read_buffered(const BufferedNode& n) {
  return read_record_buffered<T>(n);
}

template <class T>
std::optional<T> Codec<std::optional<T>>::read_buffered(const BufferedNode& n) {
  auto k = n.kind();
  if (k == BufferedNode::Kind::Null || k == BufferedNode::Kind::None) return std::nullopt;
  return Codec<T>::read_buffered(n);
}

template <class K, class V>
HashMap<K, V> Codec<HashMap<K, V>>::read_buffered(const BufferedNode& n) {
  const BufferedNode::Mapping* map = n.get_if<BufferedNode::Mapping>();
  if (!map) buffered_invalid_type(n, "a map");
  HashMap<K, V> out;
  for (const std::pair<BufferedNode, BufferedNode>& entry : *map) {
    K key = Codec<K>::read_buffered(entry.first);
    out.insert_or_assign(std::move(key), Codec<V>::read_buffered(entry.second));
  }
  return out;
}

}  // namespace dorvek
