// libFuzzer target: one document type's whole road from text, as
// `from_yaml_str` takes it (read, then the after-read check), then both text
// writers. Any input may fail with a reading or validation error; nothing may
// crash, hang, leak, or throw anything else. A document that reads must write
// YAML that reads back to the same JSON text.
//
// Built once per document type, with DORVEK_FUZZ_ROOT naming the root record.
#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "models/ort/license_classifications.hpp"
#include "models/ort/ort_result.hpp"
#include "models/ort/repository_configuration.hpp"
#include "models/record.hpp"
#include "shared_values.hpp"
#include "writers/json_writer.hpp"
#include "writers/yaml_writer.hpp"

namespace {

using Root = dorvek::ort::DORVEK_FUZZ_ROOT;

Root read(std::string_view text) {
  return dorvek::read_document<Root>(text, [](dorvek::Reader& r) { return dorvek::Codec<Root>::read(r); });
}

// With DORVEK_FUZZ_SHOW set, each input's JSON or error text is printed:
// `DORVEK_FUZZ_SHOW=1 build/fuzz/fuzz_ort_result FILE` shows what a seed reaches.
void show(const std::string& text) {
  static const bool on = std::getenv("DORVEK_FUZZ_SHOW") != nullptr;
  if (on) std::fprintf(stderr, "%s\n", text.c_str());
}

// The after-read check, where the type has one.
template <class T>
bool valid(const T& doc) {
  if constexpr (requires { doc.validate(); }) {
    if (auto err = doc.validate()) {
      show(err->text());
      return false;
    }
  }
  return true;
}

[[noreturn]] void fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string json, yaml;
  try {
    Root doc = read(text);
    if (!valid(doc)) return 0;
    json = dorvek::to_json_string(doc);
    yaml = dorvek::to_yaml_string(doc);
    show(json);
  } catch (const dorvek::YamlError& e) {
    show(e.text());
    return 0;
  }
  // The written YAML must read back as the same document: the same JSON.
  try {
    if (dorvek::to_json_string(read(yaml)) != json) fail("written YAML reads back as another document", yaml);
  } catch (const dorvek::YamlError& e) {
    fail("written YAML does not read back", e.text() + "\n" + yaml);
  }
  return 0;
}
