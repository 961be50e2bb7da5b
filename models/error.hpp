// Reading errors: a key path, a position and a display text, built lazily.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace dorvek {

class ValidationError;

// A position as libyaml reports it, counted from 0.
struct Mark {
  uint64_t index = 0;
  uint64_t line = 0;
  uint64_t column = 0;
};

// The key path of a value: a chain of stack-allocated links, rendered only
// when an error needs it.
struct Path {
  enum class Kind : uint8_t { Root, Element, MapValue, Alias, NonTextKey };
  Kind kind = Kind::Root;
  const Path* parent = nullptr;
  size_t index = 0;
  std::string_view key;

  static Path root() { return {}; }
  static Path element(const Path& p, size_t i) { return {Kind::Element, &p, i, {}}; }
  static Path map_value(const Path& p, std::string_view k) { return {Kind::MapValue, &p, 0, k}; }
  static Path alias(const Path& p) { return {Kind::Alias, &p, 0, {}}; }
  static Path non_text_key(const Path& p) { return {Kind::NonTextKey, &p, 0, {}}; }

  std::string text() const;
};

// The error of reading a document (and of the text writers). Copies share one
// immutable record, so the document's stored error is handed out cheaply.
class YamlError {
 public:
  enum class Kind : uint8_t {
    Message,
    Syntax,
    EndOfStream,
    MoreThanOneDocument,
    RecursionLimit,
    RepetitionLimit,
    UnknownAnchor,
  };

  struct Data {
    Kind kind = Kind::Message;
    std::string message;   // Message: the text; Syntax: the problem
    bool has_position = false;
    Mark mark;             // Message (when positioned), limits, anchors; Syntax: problem mark
    std::string path;      // rendered key path of a positioned message
    uint64_t offset = 0;   // Syntax: problem offset
    bool has_context = false;
    std::string context;   // Syntax
    Mark context_mark;     // Syntax
  };

  explicit YamlError(std::shared_ptr<const Data> d) : data_(std::move(d)) {}

  // A message error without a position.
  static YamlError custom(std::string message);
  static YamlError custom(const ValidationError& e);
  static YamlError end_of_stream();
  static YamlError more_than_one_document();
  static YamlError recursion_limit(const Mark& m);
  static YamlError repetition_limit();
  static YamlError unknown_anchor(const Mark& m);
  static YamlError syntax(std::string problem, uint64_t offset, const Mark& problem_mark,
                          const char* context, const Mark& context_mark);

  // Gives a positionless message error the position of the reader it leaves.
  void fix_mark(const Mark& m, const Path& p);
  // Whether `fix_mark` would place this error.
  bool wants_mark() const { return data_->kind == Kind::Message && !data_->has_position; }

  Kind kind() const { return data_->kind; }
  const Data& data() const { return *data_; }
  std::string text() const;

 private:
  std::shared_ptr<const Data> data_;
};

// Error texts, kept in one place.
namespace msg {
std::string missing_field(std::string_view key);
std::string duplicate_field(std::string_view key);
std::string unknown_field(std::string_view key, const std::string_view* keys, size_t n);
std::string invalid_type(std::string_view found, std::string_view expected);
std::string invalid_value(std::string_view found, std::string_view expected);
std::string invalid_length(size_t len, std::string_view expected);
}  // namespace msg

}  // namespace dorvek
