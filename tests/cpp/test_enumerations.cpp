#include <gtest/gtest.h>

#include "models/ort/license_source.hpp"
#include "models/ort/package_linkage.hpp"
#include "models/ort/severity.hpp"
#include "models/ort/source_code_origin.hpp"
#include "test_support.hpp"

namespace dorvek::ort {
namespace {

using test::error_of;
using test::read_yaml;

struct Holder {
  Severity severity = Severity::HINT;
  PackageLinkage linkage = PackageLinkage::DYNAMIC;
  std::optional<SourceCodeOrigin> origin;
  HashSet<LicenseSource> sources;
  static constexpr const char* type_name = "Holder";
  static constexpr auto fields() {
    using T = Holder;
    return std::tuple{defaulted("severity", &T::severity), defaulted("linkage", &T::linkage),
                      optional("origin", &T::origin), defaulted("sources", &T::sources)};
  }
};

// The written name of the field the case sets, or the error.
std::string outcome(const char* yaml) {
  std::string err = error_of<Holder>(yaml);
  if (err != "ok") return err;
  test::RecordingWriter w;
  write(w, read_yaml<Holder>(yaml));
  return w.lines[2] + w.lines[4] + w.lines[6];
}

TEST(Enumerations, NameOrCode) {
  struct Case {
    const char* yaml;
    const char* result;
  };
  const Case cases[] = {
      {"severity: WARNING", "  variant Severity::WARNING  variant PackageLinkage::DYNAMIC  none"},
      {"severity: 2", "  variant Severity::WARNING  variant PackageLinkage::DYNAMIC  none"},
      {"severity: 0x3", "  variant Severity::ERROR  variant PackageLinkage::DYNAMIC  none"},
      {"severity: !!int 1", "  variant Severity::HINT  variant PackageLinkage::DYNAMIC  none"},
      {"linkage: PROJECT_STATIC", "  variant Severity::HINT  variant PackageLinkage::PROJECT_STATIC  none"},
      {"linkage: 4", "  variant Severity::HINT  variant PackageLinkage::PROJECT_STATIC  none"},
      {"origin: ARTIFACT", "  variant Severity::HINT  variant PackageLinkage::DYNAMIC  some SourceCodeOrigin"},
      {"origin: ~", "  variant Severity::HINT  variant PackageLinkage::DYNAMIC  none"},
      {"linkage: 5", "invalid PackageLinkage value: 5"},
      {"severity: '2'", "invalid Severity value: 2"},
      {"severity: 2.0", "invalid Severity value: 2.0"},
      {"severity: 1e20", "invalid Severity value: 1e20"},
      {"severity: .nan", "invalid Severity value: .nan"},
      {"severity: 4", "invalid Severity value: 4"},
      {"severity: 0", "invalid Severity value: 0"},
      {"severity: -1", "invalid Severity value: -1"},
      {"severity: warning", "invalid Severity value: warning"},
      {"severity: ' HINT'", "invalid Severity value:  HINT"},
      {"severity:", "invalid Severity value: Null"},
      {"severity: ~", "invalid Severity value: Null"},
      {"severity: null", "invalid Severity value: Null"},
      {"severity: true", "invalid Severity value: Bool(true)"},
      {"severity: [1, true]", "invalid Severity value: Sequence [Number(1), Bool(true)]"},
      {"severity: {1: null}", "invalid Severity value: Mapping {1: Null}"},
      {"severity: []", "invalid Severity value: Sequence []"},
      {"severity: [HINT]", "invalid Severity value: Sequence [String(\"HINT\")]"},
      {"severity: !x HINT", "invalid Severity value: TaggedValue { tag: !x, value: String(\"HINT\") }"},
      {"severity: {a: 1, a: 2}", "severity: duplicate entry with key \"a\" at line 1 column 11"},
      {"origin: 'null'", "invalid SourceCodeOrigin value: null"},
      {"linkage: STATIC\nseverity: HINT\nseverity: nope", "duplicate field `severity`"},
      {"linkage: STATIC\nseverity: HINTS", "invalid Severity value: HINTS"},
      {"sources: [DECLARED, 5]", "sources: invalid LicenseSource value: 5 at line 1 column 10"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    EXPECT_EQ(outcome(c.yaml), c.result);
  }
  EXPECT_EQ(error_of<std::vector<Holder>>("- {}\n- linkage: 0\n"),
            ".[1]: invalid PackageLinkage value: 0 at line 2 column 3");
}

TEST(Enumerations, SetsHoldCodes) {
  Holder h = read_yaml<Holder>("sources: [DECLARED, 2, CONCLUDED]");
  EXPECT_EQ(h.sources.size(), 2u);
  EXPECT_TRUE(h.sources.count(LicenseSource::DECLARED));
  EXPECT_TRUE(h.sources.count(LicenseSource::CONCLUDED));
}

TEST(Enumerations, UnreadValueIsNotWritten) {
  test::RecordingWriter w;
  EXPECT_THROW(write(w, Severity{}), YamlError);
}

}  // namespace
}  // namespace dorvek::ort
