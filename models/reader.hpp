// The reader over one document's YAML events: loading with libyaml, the
// shared cursor, alias replay, the nesting and repetition limits.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "models/error.hpp"

namespace dorvek {

enum class EventKind : uint8_t { Alias, Scalar, MappingStart, MappingEnd, SequenceStart, SequenceEnd, Void };
enum class ScalarStyle : uint8_t { Plain, SingleQuoted, DoubleQuoted, Literal, Folded };

// One stored event: 16 bytes, as documents of hundreds of MB hold millions.
// Marks are not stored (errors alone need them: `Document::mark` finds them
// again) and tags, which are rare, live in a table of their own. No text
// reaches 2^57 bytes, so a length fits beside the kind and style.
struct Event {
  uint64_t value_off = 0;  // Scalar: see Document::value; Alias: the number of the anchor definition it names
  uint64_t value_len : 57 = 0;
  EventKind kind : 3 = EventKind::Void;
  ScalarStyle style : 3 = ScalarStyle::Plain;
  bool has_tag : 1 = false;

  uint64_t anchor() const { return value_off; }
};
static_assert(sizeof(Event) == 16);

// Full tags as libyaml resolves the core shorthands.
namespace tags {
inline constexpr std::string_view null_ = "tag:yaml.org,2002:null";
inline constexpr std::string_view bool_ = "tag:yaml.org,2002:bool";
inline constexpr std::string_view int_ = "tag:yaml.org,2002:int";
inline constexpr std::string_view float_ = "tag:yaml.org,2002:float";
}  // namespace tags

class Loader;

// The events of one document, with its alias table and stored error.
class Document {
 public:
  // Loading stops with the recursion-limit error at a collection nested
  // deeper than this, skipped or not: libyaml's scanner works per token in
  // proportion to the flow nesting, so unbounded nesting would take time
  // quadratic in the input. Far above what any reader accepts.
  static constexpr size_t kMaxLoadDepth = 1024;

  Document();
  ~Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // Loads the first document of `text`. Never throws for bad YAML: the
  // failure is stored and met by whichever reader reaches it.
  void load(std::string_view text);
  // Whether the stream holds another document after the first.
  bool has_next_document();

  // A scalar's text: a slice of the document's text where it is written
  // there as it reads, else a copy in the arena.
  static constexpr uint64_t kInArena = uint64_t{1} << 63;
  std::string_view value(const Event& e) const {
    const char* base = (e.value_off & kInArena) ? arena_.data() : text_.data();
    return {base + (e.value_off & ~kInArena), e.value_len};
  }
  std::optional<std::string_view> tag(const Event& e) const;
  // The position of a stored event, found by parsing the text again up to
  // it: only errors ask, so events need not carry one.
  Mark mark(const Event& e) const;

  std::vector<Event> events;
  std::vector<size_t> aliases;  // anchor number -> event index
  std::optional<YamlError> error;
  size_t text_size = 0;
  // Scalar bytes taken while replaying aliases, in this read.
  uint64_t replayed_bytes = 0;

 private:
  friend class Loader;
  struct Tag {
    size_t event;  // index of the tagged event
    size_t off, len;  // in the arena
  };
  std::string_view text_;  // outlives the document (read_document's argument)
  std::string arena_;
  std::vector<Tag> tags_;  // by event index
  std::unique_ptr<Loader> loader_;
};

// One reading position. Readers for keys, values and elements share the
// cursor; a replay reader has a cursor of its own.
class Reader {
 public:
  static constexpr uint8_t kMaxDepth = 128;

  Reader(Document& doc, size_t& cursor, uint64_t& replays, const Path& path)
      : doc_(&doc), cursor_(&cursor), replays_(&replays), path_(&path) {}

  Document& doc() const { return *doc_; }
  const Path& path() const { return *path_; }
  uint8_t depth() const { return depth_; }

  const Event& peek() const;
  const Event& next();
  std::string_view value(const Event& e) const { return doc_->value(e); }
  std::optional<std::string_view> tag(const Event& e) const { return doc_->tag(e); }
  Mark mark(const Event& e) const { return doc_->mark(e); }
  // Gives a positionless message error the position of `e` and this
  // reader's path; the position is looked up only when it is needed.
  void place(YamlError& err, const Event& e) const {
    if (err.wants_mark()) err.fix_mark(mark(e), *path_);
  }

  // A reader for the same position with another path (keys, values, elements).
  Reader with_path(const Path& p) const {
    Reader r = *this;
    r.path_ = &p;
    return r;
  }

  // Skips one whole value without following aliases or counting depth.
  void ignore_any();

  // The number of elements left in the sequence being read, counted on the
  // stored events without taking them: a large list reserves its room once
  // instead of growing by copies, each of which holds the old and the new
  // storage at once.
  size_t elements_left() const;

  // Finishes a collection whose body read `n` entries or elements.
  void end_mapping(size_t n);
  void end_sequence(size_t n);

  // Runs `body(inner)` one nesting level deeper, then finishes the collection.
  // `body` returns the number of entries or elements it read.
  template <class F>
  void visit_mapping(const Event& start, F&& body) {
    Reader inner = deeper(start);
    end_mapping(body(inner));
  }
  template <class F>
  void visit_sequence(const Event& start, F&& body) {
    Reader inner = deeper(start);
    end_sequence(body(inner));
  }

  // The type error for an event this reader cannot take.
  [[noreturn]] void invalid_type(const Event& e, std::string_view expected) const;

  // The key path of the value whose key event is `key`: the key's text, or
  // "?" for a key that is not a scalar.
  Path value_path(const Event& key) const {
    return key.kind == EventKind::Scalar ? Path::map_value(*path_, value(key)) : Path::non_text_key(*path_);
  }

  // Whether an event is an empty plain scalar or the Void event.
  bool is_empty_value(const Event& e) const {
    return e.kind == EventKind::Void ||
           (e.kind == EventKind::Scalar && e.style == ScalarStyle::Plain && e.value_len == 0);
  }

 private:
  friend class Replay;
  Reader deeper(const Event& start) const;
  void finish(EventKind end, int values_per_entry, size_t n, const char* what, const char* one, const char* many);

  Document* doc_;
  size_t* cursor_;
  uint64_t* replays_;
  const Path* path_;
  uint8_t depth_ = kMaxDepth;
  bool replaying_ = false;
};

// The reader of an alias's anchored value, with its own cursor and the path of
// the alias's place. Lives on the stack of the reader that met the alias.
class Replay {
 public:
  Replay(const Reader& from, const Event& alias);
  Replay(const Replay&) = delete;
  Replay& operator=(const Replay&) = delete;
  Reader& reader() { return reader_; }

 private:
  size_t cursor_;
  Path path_;
  Reader reader_;
};

// Reads a whole document whose root is read by `read_root(Reader&)`.
template <class T, class F>
T read_document(std::string_view text, F&& read_root) {
  Document doc;
  doc.load(text);
  size_t cursor = 0;
  uint64_t replays = 0;
  Path root = Path::root();
  Reader reader(doc, cursor, replays, root);
  T value = read_root(reader);
  if (doc.error) throw *doc.error;
  if (doc.has_next_document()) throw YamlError::more_than_one_document();
  return value;
}

}  // namespace dorvek
