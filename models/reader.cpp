#include "models/reader.hpp"

#include <yaml.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <stdexcept>

#include "models/ascii.hpp"
#include "models/scalar.hpp"

namespace dorvek {

namespace {

Mark to_mark(const yaml_mark_t& m) { return Mark{m.index, m.line, m.column}; }

ScalarStyle to_style(yaml_scalar_style_t s) {
  switch (s) {
    case YAML_SINGLE_QUOTED_SCALAR_STYLE: return ScalarStyle::SingleQuoted;
    case YAML_DOUBLE_QUOTED_SCALAR_STYLE: return ScalarStyle::DoubleQuoted;
    case YAML_LITERAL_SCALAR_STYLE: return ScalarStyle::Literal;
    case YAML_FOLDED_SCALAR_STYLE: return ScalarStyle::Folded;
    default: return ScalarStyle::Plain;
  }
}

// Frees a libyaml event however we leave the scope.
struct EventGuard {
  yaml_event_t ev;
  bool live = false;
  ~EventGuard() {
    if (live) yaml_event_delete(&ev);
  }
};

// Byte offsets of libyaml's mark indexes, which count characters. Marks come
// in document order, so the walk from one to the next is done once.
class TextPosition {
 public:
  explicit TextPosition(std::string_view text) : text_(text) {
    ascii_ = ascii_prefix(text.data(), text.size()) == text.size();
  }

  size_t byte_of(uint64_t index) {
    if (ascii_) return static_cast<size_t>(index);
    if (index < chars_) chars_ = bytes_ = 0;
    while (chars_ < index && bytes_ < text_.size()) {
      unsigned char c = static_cast<unsigned char>(text_[bytes_]);
      bytes_ += c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
      ++chars_;
    }
    return bytes_;
  }

 private:
  std::string_view text_;
  bool ascii_;
  uint64_t chars_ = 0;
  size_t bytes_ = 0;
};

}  // namespace

// Owns the libyaml parser for the life of one read, so the second-document
// check can continue the same stream.
class Loader {
 public:
  explicit Loader(std::string_view text) : text_(text) {
    if (!yaml_parser_initialize(&parser_)) {
      throw std::runtime_error("failed to initialize the YAML parser");
    }
    live_ = true;
    yaml_parser_set_encoding(&parser_, YAML_UTF8_ENCODING);
    yaml_parser_set_input_string(&parser_, reinterpret_cast<const unsigned char*>(text_.data()),
                                 text_.size());
  }
  ~Loader() { release(); }

  void release() {
    if (live_) yaml_parser_delete(&parser_);
    live_ = false;
  }

  // Parses one event; false with `err` set on a libyaml failure.
  bool parse(EventGuard& g, std::optional<YamlError>& err) {
    if (!yaml_parser_parse(&parser_, &g.ev)) {
      const char* problem = parser_.problem;
      err = YamlError::syntax(problem ? problem : "libyaml parser failed but there is no error",
                              parser_.problem_offset, to_mark(parser_.problem_mark),
                              parser_.context, to_mark(parser_.context_mark));
      return false;
    }
    g.live = true;
    return true;
  }

  void load(Document& doc) {
    std::map<std::string, uint32_t, std::less<>> anchors;
    std::string& arena = doc.arena_;
    TextPosition pos(text_);
    // A scalar's text is taken as a slice of the document where it stands
    // there byte for byte (plain and quoted scalars without escapes or line
    // folding), else copied into the arena.
    auto store_value = [&](Event& e, const yaml_event_t& ev) {
      std::string_view v(reinterpret_cast<const char*>(ev.data.scalar.value), ev.data.scalar.length);
      e.value_len = v.size();
      if (v.empty()) return;
      size_t at = pos.byte_of(ev.start_mark.index);
      if (e.style == ScalarStyle::SingleQuoted || e.style == ScalarStyle::DoubleQuoted) ++at;
      if (at <= text_.size() && text_.size() - at >= v.size() && std::memcmp(text_.data() + at, v.data(), v.size()) == 0) {
        e.value_off = at;
        return;
      }
      e.value_off = arena.size() | Document::kInArena;
      arena.append(v);
    };
    auto anchor = [&](const yaml_char_t* name) {
      if (!name) return;
      uint32_t number = static_cast<uint32_t>(doc.aliases.size());
      anchors[reinterpret_cast<const char*>(name)] = number;
      doc.aliases.push_back(doc.events.size());
    };
    auto set_tag = [&](Event& e, const yaml_char_t* tag) {
      if (!tag) return;
      e.has_tag = true;
      std::string_view t(reinterpret_cast<const char*>(tag));
      doc.tags_.push_back({doc.events.size(), arena.size(), t.size()});
      arena.append(t);
    };
    size_t open = 0;
    auto too_deep = [&](const yaml_event_t& ev) {
      if (++open <= Document::kMaxLoadDepth) return false;
      doc.error = YamlError::recursion_limit(to_mark(ev.start_mark));
      return true;
    };
    for (;;) {
      EventGuard g;
      if (!parse(g, doc.error)) return;
      const yaml_event_t& ev = g.ev;
      Event e;
      switch (ev.type) {
        case YAML_STREAM_START_EVENT:
        case YAML_DOCUMENT_START_EVENT:
        case YAML_NO_EVENT:
          continue;
        case YAML_DOCUMENT_END_EVENT:
          return;
        case YAML_STREAM_END_EVENT:
          release();
          if (doc.events.empty()) doc.events.push_back(e);  // Void
          return;
        case YAML_ALIAS_EVENT: {
          auto it = anchors.find(reinterpret_cast<const char*>(ev.data.alias.anchor));
          if (it == anchors.end()) {
            doc.error = YamlError::unknown_anchor(to_mark(ev.start_mark));
            return;
          }
          e.kind = EventKind::Alias;
          e.value_off = it->second;
          break;
        }
        case YAML_SCALAR_EVENT:
          anchor(ev.data.scalar.anchor);
          e.kind = EventKind::Scalar;
          e.style = to_style(ev.data.scalar.style);
          set_tag(e, ev.data.scalar.tag);
          store_value(e, ev);
          break;
        case YAML_SEQUENCE_START_EVENT:
          if (too_deep(ev)) return;
          anchor(ev.data.sequence_start.anchor);
          e.kind = EventKind::SequenceStart;
          set_tag(e, ev.data.sequence_start.tag);
          break;
        case YAML_SEQUENCE_END_EVENT:
          --open;
          e.kind = EventKind::SequenceEnd;
          break;
        case YAML_MAPPING_START_EVENT:
          if (too_deep(ev)) return;
          anchor(ev.data.mapping_start.anchor);
          e.kind = EventKind::MappingStart;
          set_tag(e, ev.data.mapping_start.tag);
          break;
        case YAML_MAPPING_END_EVENT:
          --open;
          e.kind = EventKind::MappingEnd;
          break;
      }
      doc.events.push_back(e);
    }
  }

  // The start mark of the `target`-th stored event, counted as `load`
  // stores them (the Void event of an empty stream at the stream's end).
  std::optional<Mark> find_mark(size_t target) {
    size_t n = 0;
    for (;;) {
      EventGuard g;
      std::optional<YamlError> err;
      if (!parse(g, err)) return std::nullopt;
      switch (g.ev.type) {
        case YAML_STREAM_START_EVENT:
        case YAML_DOCUMENT_START_EVENT:
        case YAML_NO_EVENT:
          continue;
        case YAML_DOCUMENT_END_EVENT:
          return std::nullopt;
        case YAML_STREAM_END_EVENT:
          if (n == target) return to_mark(g.ev.start_mark);
          return std::nullopt;
        default:
          if (n++ == target) return to_mark(g.ev.start_mark);
      }
    }
  }

  bool has_next_document() {
    if (!live_) return false;
    EventGuard g;
    std::optional<YamlError> err;
    if (!parse(g, err)) return true;
    return g.ev.type != YAML_STREAM_END_EVENT;
  }

 private:
  std::string_view text_;
  yaml_parser_t parser_{};
  bool live_ = false;
};

Document::Document() = default;
Document::~Document() = default;

void Document::load(std::string_view text) {
  text_ = text;
  text_size = text.size();
  events.reserve(text.size() / 8 + 4);
  loader_ = std::make_unique<Loader>(text);
  loader_->load(*this);
}

std::optional<std::string_view> Document::tag(const Event& e) const {
  const Event* first = events.data();
  if (!e.has_tag || std::less<>{}(&e, first) || !std::less<>{}(&e, first + events.size())) return std::nullopt;
  const size_t i = static_cast<size_t>(&e - first);
  auto it = std::lower_bound(tags_.begin(), tags_.end(), i, [](const Tag& t, size_t x) { return t.event < x; });
  if (it == tags_.end() || it->event != i) return std::nullopt;
  return std::string_view(arena_.data() + it->off, it->len);
}

Mark Document::mark(const Event& e) const {
  // Only events of this document have a position.
  const Event* first = events.data();
  if (std::less<>{}(&e, first) || !std::less<>{}(&e, first + events.size())) return Mark{};
  const size_t i = static_cast<size_t>(&e - first);
  Loader again(text_);
  return again.find_mark(i).value_or(Mark{});
}

bool Document::has_next_document() {
  // A document that stopped on an error never reaches this check.
  return loader_ && loader_->has_next_document();
}

const Event& Reader::peek() const {
  if (*cursor_ < doc_->events.size()) return doc_->events[*cursor_];
  if (doc_->error) throw *doc_->error;
  throw YamlError::end_of_stream();
}

const Event& Reader::next() {
  const Event& e = peek();
  ++*cursor_;
  // Every event taken while replaying counts against the budget, so a large
  // anchored node replayed many times cannot expand without bound; so do the
  // bytes of replayed scalars, or a long text aliased again and again would
  // grow a short document into any amount of memory.
  if (replaying_) {
    if (++*replays_ > 100 * static_cast<uint64_t>(doc_->events.size())) throw YamlError::repetition_limit();
    doc_->replayed_bytes += e.value_len;
    if (doc_->replayed_bytes > 100 * static_cast<uint64_t>(doc_->text_size)) throw YamlError::repetition_limit();
  }
  return e;
}

void Reader::ignore_any() {
  size_t open = 0;
  do {
    switch (next().kind) {
      case EventKind::MappingStart:
      case EventKind::SequenceStart:
        ++open;
        break;
      case EventKind::MappingEnd:
      case EventKind::SequenceEnd:
        --open;
        break;
      default:
        break;
    }
  } while (open != 0);
}

size_t Reader::elements_left() const {
  const std::vector<Event>& ev = doc_->events;
  size_t n = 0, open = 0;
  for (size_t i = *cursor_; i < ev.size(); ++i) {
    switch (ev[i].kind) {
      case EventKind::MappingStart:
      case EventKind::SequenceStart:
        if (open++ == 0) ++n;
        break;
      case EventKind::MappingEnd:
      case EventKind::SequenceEnd:
        if (open-- == 0) return n;
        break;
      case EventKind::Void:
        return n;
      default:
        if (open == 0) ++n;
    }
  }
  return n;
}

// Skips what a body left unread (values per entry: 2 for a mapping, 1 for
// a sequence), takes the end event, and fails if anything was skipped.
void Reader::finish(EventKind end, int values_per_entry, size_t n, const char* what, const char* one,
                    const char* many) {
  size_t total = n;
  for (;;) {
    EventKind k = peek().kind;
    if (k == end || k == EventKind::Void) break;
    for (int i = 0; i < values_per_entry; ++i) ignore_any();
    ++total;
  }
  next();
  if (total != n) {
    throw YamlError::custom(
        msg::invalid_length(total, std::string(what) + " " + std::to_string(n) + " " + (n == 1 ? one : many)));
  }
}

void Reader::end_mapping(size_t n) {
  finish(EventKind::MappingEnd, 2, n, "map containing", "entry", "entries");
}

void Reader::end_sequence(size_t n) {
  finish(EventKind::SequenceEnd, 1, n, "sequence of", "element", "elements");
}

Reader Reader::deeper(const Event& start) const {
  if (depth_ == 0) throw YamlError::recursion_limit(mark(start));
  Reader r = *this;
  --r.depth_;
  return r;
}

void Reader::invalid_type(const Event& e, std::string_view expected) const {
  if (e.kind == EventKind::Void) throw YamlError::end_of_stream();
  std::string found;
  try {
    switch (e.kind) {
      case EventKind::MappingStart:
      case EventKind::MappingEnd:
        found = "map";
        break;
      case EventKind::SequenceStart:
      case EventKind::SequenceEnd:
        found = "sequence";
        break;
      default:
        found = describe_scalar(*this, e);
    }
  } catch (YamlError& err) {
    place(err, e);
    throw;
  }
  YamlError err = YamlError::custom(msg::invalid_type(found, expected));
  place(err, e);
  throw err;
}

Replay::Replay(const Reader& from, const Event& alias)
    : cursor_(0), path_(Path::alias(from.path())), reader_(from) {
  if (++*from.replays_ > 100 * static_cast<uint64_t>(from.doc_->events.size())) {
    throw YamlError::repetition_limit();
  }
  cursor_ = from.doc_->aliases.at(alias.anchor());
  reader_.cursor_ = &cursor_;
  reader_.path_ = &path_;
  reader_.replaying_ = true;
}

}  // namespace dorvek
