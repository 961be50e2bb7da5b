// The advisor part of a result: the run with its results map, the results
// with details, capabilities, summaries, vulnerabilities and defects.
#include <gtest/gtest.h>

#include <cmath>

#include "models/ort/advisor_run.hpp"
#include "test_support.hpp"
#include "writers/json_writer.hpp"
#include "writers/yaml_writer.hpp"

namespace dorvek::ort {
namespace {

using test::error_of;
using test::read_yaml;

// The run as the result document holds it, so paths start at `advisor`.
struct Doc {
  std::optional<AdvisorRun> advisor;
  static constexpr const char* type_name = "Doc";
  static constexpr auto fields() { return std::tuple{optional("advisor", &Doc::advisor)}; }
};

const std::string kHeader =
    "  start_time: s\n  end_time: e\n"
    "  environment: {ort_version: '1', build_jdk: j, java_version: '17', os: Linux, processors: 8, max_memory: 1}\n";
const std::string kConfig = "  config: {}\n";
const std::string kResult = "    - {advisor: {name: n}, summary: {start_time: a, end_time: b}}\n";

std::string at_run(const std::string& message) { return "advisor: " + message + " at line 2 column 3"; }

struct Case {
  std::string yaml;
  std::string result;  // the error, or what `shown` makes of the value read
};

// Reads each case as `T`; a value read shows as `shown(value)`.
template <class T, class Show>
void expect_cases(const std::vector<Case>& cases, Show shown) {
  for (const Case& c : cases) {
    SCOPED_TRACE(c.yaml);
    std::string got = error_of<T>(c.yaml);
    if (got == "ok") got = shown(read_yaml<T>(c.yaml));
    EXPECT_EQ(got, c.result);
  }
}

template <class T>
void expect_cases(const std::vector<Case>& cases) {
  expect_cases<T>(cases, [](const T&) { return std::string("ok"); });
}

TEST(AdvisorRun, ReadingErrorsAndPlacement) {
  std::vector<Case> cases = {
      {kHeader + kConfig, "ok"},
      {kHeader + kConfig + "  provider_issues:\n  results:\n", "ok"},
      {kHeader + kConfig + "  extra: 1\n  Config: {}\n  '': [1]\n", "ok"},
      {kConfig, at_run("missing field `start_time`")},
      {"  provider_issues: []\n", at_run("missing field `config`")},
      {"  start_time: 1\n  environment: 2\n", at_run("missing field `config`")},
      {kHeader + kConfig + "  config: [bad]\n", at_run("duplicate field `config`")},
      {kHeader + kConfig + "  results: {}\n  results: {}\n", at_run("duplicate field `results`")},
      {kHeader + kConfig + "  provider_issues: []\n  provider_issues: []\n", at_run("duplicate field `provider_issues`")},
      // A repeated header key only shows once the run's own keys have passed.
      {kHeader + kConfig + "  start_time: t\n  provider_issues: x\n",
       "advisor.provider_issues: invalid type: string \"x\", expected a sequence at line 7 column 20"},
      {kHeader + kConfig + "  start_time: t\n", at_run("duplicate field `start_time`")},
      {kConfig + "  start_time: 2024\n  end_time: e\n",
       at_run("invalid type: integer `2024`, expected a string")},
      {kHeader + kConfig + "  extra: !x 1\n",
       "advisor.extra: untagged and internally tagged enums do not support enum input at line 6 column 10"},
      {kHeader + kConfig + "  [a]: 1\n", "advisor: invalid type: sequence, expected field identifier at line 6 column 3"},
      {kHeader + kConfig + "  results: ~\n",
       "advisor.results: invalid type: unit value, expected a map at line 6 column 12"},
      {kHeader + kConfig + "  results: [x]\n",
       "advisor.results: invalid type: sequence, expected a map at line 6 column 12"},
      {kHeader + kConfig + "  results:\n    ':::':\n    'a:b:c:d': []\n", "ok"},
      // A bad identifier key stands at the start of the results map.
      {kHeader + kConfig + "  results:\n    'a:b:c:d': []\n    a:b:c: []\n",
       "advisor.results: Field 'identifier' is invalid: must be in the format 'type:namespace:name:version' at line 7 "
       "column 5"},
      {kHeader + kConfig + "  results:\n    a:b:c:d:e: []\n",
       "advisor.results: Field 'identifier' is invalid: must be in the format 'type:namespace:name:version' at line 7 "
       "column 5"},
      {kHeader + kConfig + "  results:\n    [a]: []\n",
       "advisor.results: invalid type: sequence, expected a string at line 7 column 5"},
      {kHeader + kConfig + "  results:\n    a:b:c:d: x\n",
       "advisor.results.a:b:c:d: invalid type: string \"x\", expected a sequence at line 7 column 14"},
      {kHeader + kConfig + "  results:\n    a:b:c:d:\n" + kResult + "    - {advisor: {name: n}, summary: {}}\n",
       "advisor.results.a:b:c:d[1].summary: missing field `start_time` at line 9 column 37"},
  };
  for (Case& c : cases) c.yaml = "advisor:\n" + c.yaml;
  expect_cases<Doc>(cases);
}

TEST(AdvisorRun, AbsentOrPresent) {
  expect_cases<Doc>({
      {"advisor:", "absent"},
      {"advisor: ~", "absent"},
      {"advisor: null", "absent"},
      {"advisor: !!null null", "absent"},
      {"advisor: !!null", "invalid value: string \"\", expected null"},
      {"advisor: 'null'", "advisor: invalid type: string \"null\", expected struct AdvisorRun at line 1 column 10"},
      {"advisor: [1]", "advisor: invalid type: sequence, expected struct AdvisorRun at line 1 column 10"},
      {"advisor: {}", "advisor: missing field `config` at line 1 column 10"},
  }, [](const Doc& d) { return std::string(d.advisor ? "present" : "absent"); });
}

TEST(AdvisorRun, RepeatedIdentifierKeepsTheLastList) {
  const AdvisorRun run = *read_yaml<Doc>("advisor:\n" + kHeader + kConfig +
                                         "  results:\n    a:b:c:d:\n" + kResult + kResult +
                                         "    'a:b:c:d':\n" + kResult + "    x:y:z:w: []\n")
                              .advisor;
  ASSERT_EQ(run.results.size(), 2u);
  EXPECT_EQ(run.results.at(Identifier::from_str("a:b:c:d")).size(), 1u);
  EXPECT_TRUE(run.results.at(Identifier::from_str("x:y:z:w")).empty());
  EXPECT_TRUE(run.provider_issues.empty());
}

const std::string kFullRun = "advisor:\n" + kHeader + kConfig +
                             "  provider_issues:\n"
                             "  - {timestamp: t, source: VulnerableCode, message: down, severity: WARNING}\n"
                             "  results:\n"
                             "    Maven:org.example:lib:1.0:\n"
                             "    - advisor: {name: VulnerableCode, capabilities: [VULNERABILITIES, DEFECTS]}\n"
                             "      summary:\n"
                             "        start_time: 2024-01-31T10:00:00Z\n"
                             "        end_time: 2024\n"
                             "        issues: [{timestamp: t, source: s, message: m, severity: HINT}]\n"
                             "      vulnerabilities:\n"
                             "      - id: CVE-2024-1\n"
                             "        summary: '~'\n"
                             "        references:\n"
                             "        - {url: 'https://e.org/1', scoring_system: CVSS3, severity: HIGH, score: 7.5}\n"
                             "        - {url: 'https://e.org/2', score: 10, vector: 'AV:N'}\n"
                             "        first_fixed_versions: ['1.0', '1.0', 1.00]\n"
                             "      - {id: CVE-2024-1, references: []}\n"
                             "    'NPM::x:':\n"
                             "    - advisor: {name: GitHubDefects, capabilities: []}\n"
                             "      summary: {start_time: a, end_time: b}\n"
                             "      defects:\n"
                             "      - {id: 1, url: u, state: open, creation_time: 5, labels: {bug: 'yes', a: ~}}\n"
                             "    'Go::y:2': []\n";

TEST(AdvisorRun, RoundTripThroughYamlAndJson) {
  const Doc doc = read_yaml<Doc>(kFullRun);
  const AdvisorRun& run = *doc.advisor;
  ASSERT_EQ(run.results.size(), 3u);
  const auto& lib = run.results.at(Identifier::from_str("Maven:org.example:lib:1.0"));
  ASSERT_EQ(lib.size(), 1u);
  EXPECT_EQ(lib[0].summary.end_time, "2024");
  ASSERT_EQ(lib[0].vulnerabilities.size(), 2u);
  EXPECT_EQ(lib[0].vulnerabilities[0].summary, "~");
  EXPECT_EQ(lib[0].vulnerabilities[0].first_fixed_versions.size(), 2u);
  EXPECT_EQ(run.results.at(Identifier::from_str("NPM::x:"))[0].defects[0].labels.at("a"), "~");

  // The YAML text reads back as the same run; so does the JSON text.
  for (const std::string& text : {to_yaml_string(doc), to_json_string(doc)}) {
    SCOPED_TRACE(text);
    const Doc again = read_yaml<Doc>(text);
    const AdvisorRun& r = *again.advisor;
    EXPECT_EQ(r.header.start_time, run.header.start_time);
    EXPECT_EQ(r.header.environment.os, run.header.environment.os);
    EXPECT_EQ(r.config, run.config);
    EXPECT_EQ(r.provider_issues, run.provider_issues);
    EXPECT_EQ(r.results, run.results);
  }
}

TEST(AdvisorRun, WrittenAsAMapWithEveryField) {
  const Doc doc = read_yaml<Doc>("advisor:\n" + kHeader + kConfig + "  extra: 1\n" +
                                 "  results:\n    a:b:c:d:\n"
                                 "    - advisor: {name: n}\n"
                                 "      summary: {start_time: 1, end_time: 2}\n"
                                 "      vulnerabilities: [{id: v, references: [{url: u, score: .nan}, {url: w, score: -.inf}]}]\n");
  const std::string json = to_json_string(doc);
  EXPECT_NE(json.find("\"advisor\": {\n    \"start_time\": \"s\",\n    \"end_time\": \"e\",\n    \"environment\": {"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("},\n    \"config\": {"), std::string::npos) << json;
  EXPECT_NE(json.find("\"provider_issues\": [],\n    \"results\": {\n      \"a:b:c:d\": [\n        {\n"
                      "          \"advisor\": {\n            \"name\": \"n\",\n            \"capabilities\": null\n"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"summary\": {\n            \"start_time\": \"1\",\n            \"end_time\": \"2\",\n"
                      "            \"issues\": []\n          },"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"url\": \"u\",\n                  \"scoring_system\": null,\n                  \"severity\": "
                      "null,\n                  \"score\": null,\n                  \"vector\": null"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"first_fixed_versions\": []\n"), std::string::npos) << json;
  EXPECT_NE(json.find("\"defects\": []\n"), std::string::npos) << json;
  EXPECT_EQ(json.find("extra"), std::string::npos) << json;

  const std::string yaml = to_yaml_string(doc);
  EXPECT_NE(yaml.find("advisor:\n  start_time: s\n  end_time: e\n  environment:\n"), std::string::npos) << yaml;
  EXPECT_NE(yaml.find("  provider_issues: []\n  results:\n    a:b:c:d:\n    - advisor:\n        name: n\n"
                      "        capabilities: null\n"),
            std::string::npos)
      << yaml;
  EXPECT_NE(yaml.find("score: .nan\n"), std::string::npos) << yaml;
  EXPECT_NE(yaml.find("score: -.inf\n"), std::string::npos) << yaml;
  EXPECT_EQ(json.find("inf"), std::string::npos) << json;
  EXPECT_NE(yaml.find("start_time: '1'\n"), std::string::npos) << yaml;
}

TEST(AdvisorResult, ReadingErrors) {
  expect_cases<AdvisorResult>({
      {"{advisor: {name: n}, summary: {start_time: a, end_time: b}, vulnerabilities: , defects: }", "ok"},
      {"", "missing field `advisor`"},
      {"{summary: {start_time: a, end_time: b}}", "missing field `advisor`"},
      {"{advisor: {name: n}}", "missing field `summary`"},
      {"{advisor: {name: n}, advisor: [bad]}", "duplicate field `advisor`"},
      {"{Advisor: {}}",
       "unknown field `Advisor`, expected one of `advisor`, `summary`, `vulnerabilities`, `defects` at line 1 column 2"},
      {"{advisor: {name: n}, summary: {start_time: a, end_time: b}, vulnerabilities: null}",
       "vulnerabilities: invalid type: unit value, expected a sequence at line 1 column 78"},
      {"x", "invalid type: string \"x\", expected struct AdvisorResult"},
      {"{advisor: x}", "advisor: invalid type: string \"x\", expected struct AdvisorDetails at line 1 column 11"},
      {"{summary: []}", "summary: invalid type: sequence, expected struct AdvisorSummary at line 1 column 11"},
  });
}

TEST(AdvisorSummary, LenientTimesAndErrors) {
  expect_cases<AdvisorSummary>({
      {"{start_time: 2024, end_time: true}", "2024|true|0"},
      {"{start_time: null, end_time: 2024-01-31T10:00:00Z, issues: }", "null|2024-01-31T10:00:00Z|0"},
      {"{start_time: '', end_time: 1.5e3, issues: [{timestamp: t, source: s, message: m, severity: 2}]}",
       "|1.5e3|1"},
      {"{start_time: , end_time: ~}", "|~|0"},
      {"", "missing field `start_time`"},
      {"{end_time: b}", "missing field `start_time`"},
      {"{start_time: a}", "missing field `end_time`"},
      {"{start_time: a, start_time: b}", "duplicate field `start_time`"},
      {"{start_time: [a]}", "start_time: invalid type: sequence, expected a string at line 1 column 14"},
      {"{start_time: a, end_time: b, issues: ~}", "issues: invalid type: unit value, expected a sequence at line 1 column 38"},
      {"{start: a}", "unknown field `start`, expected one of `start_time`, `end_time`, `issues` at line 1 column 2"},
  }, [](const AdvisorSummary& s) {
    return s.start_time + "|" + s.end_time + "|" + std::to_string(s.issues.size());
  });
}

// The capabilities as sorted names, "none" when absent.
std::string capabilities_of(const AdvisorDetails& d) {
  if (!d.capabilities) return "none";
  std::string out = "[";
  for (AdvisorCapability c : {AdvisorCapability::DEFECTS, AdvisorCapability::VULNERABILITIES}) {
    if (!d.capabilities->contains(c)) continue;
    if (out.size() > 1) out += " ";
    out += c == AdvisorCapability::DEFECTS ? "DEFECTS" : "VULNERABILITIES";
  }
  return out + "]";
}

TEST(AdvisorDetails, CapabilitiesAndErrors) {
  expect_cases<AdvisorDetails>({
      {"{name: n, capabilities: [DEFECTS, 2]}", "n [DEFECTS VULNERABILITIES]"},
      {"{name: n, capabilities: [DEFECTS, DEFECTS, 1]}", "n [DEFECTS]"},
      {"{name: n, capabilities: [!!int 2, VULNERABILITIES]}", "n [VULNERABILITIES]"},
      {"{name: n, capabilities: [!!str DEFECTS]}", "n [DEFECTS]"},
      {"{name: 42, capabilities: []}", "42 []"},
      {"{name: n, capabilities: }", "n none"},
      {"{name: n, capabilities: ~}", "n none"},
      {"{name: n, capabilities: !!null null}", "n none"},
      {"{name: n}", "n none"},
      {"{capabilities: [DEFECTS]}", "missing field `name`"},
      {"", "missing field `name`"},
      {"{name: n, capabilities: ~, capabilities: [DEFECTS]}", "duplicate field `capabilities`"},
      {"{name: n, caps: []}", "unknown field `caps`, expected `name` or `capabilities` at line 1 column 11"},
      {"{name: n, capabilities: DEFECTS}",
       "capabilities: invalid type: string \"DEFECTS\", expected a sequence at line 1 column 25"},
      {"{name: n, capabilities: !!null x}", "invalid value: string \"x\", expected null"},
      // Element errors stand at the start of the set, under the set's path.
      {"{name: n,\n capabilities: [DEFECTS, defects]}",
       "capabilities: invalid AdvisorCapability value: defects at line 2 column 16"},
      {"{name: n, capabilities: ['1']}", "capabilities: invalid AdvisorCapability value: 1 at line 1 column 25"},
      {"{name: n, capabilities: [0]}", "capabilities: invalid AdvisorCapability value: 0 at line 1 column 25"},
      {"{name: n, capabilities: [3]}", "capabilities: invalid AdvisorCapability value: 3 at line 1 column 25"},
      {"{name: n, capabilities: [-1]}", "capabilities: invalid AdvisorCapability value: -1 at line 1 column 25"},
      {"{name: n, capabilities: [1.0]}", "capabilities: invalid AdvisorCapability value: 1.0 at line 1 column 25"},
      {"{name: n, capabilities: [.nan]}", "capabilities: invalid AdvisorCapability value: .nan at line 1 column 25"},
      {"{name: n, capabilities: [~]}", "capabilities: invalid AdvisorCapability value: Null at line 1 column 25"},
      {"{name: n, capabilities: [true]}", "capabilities: invalid AdvisorCapability value: Bool(true) at line 1 column 25"},
      {"{name: n, capabilities: [!x DEFECTS]}",
       "capabilities: invalid AdvisorCapability value: TaggedValue { tag: !x, value: String(\"DEFECTS\") } at line 1 "
       "column 25"},
      {"{name: n, capabilities: [[DEFECTS]]}",
       "capabilities: invalid AdvisorCapability value: Sequence [String(\"DEFECTS\")] at line 1 column 25"},
  }, [](const AdvisorDetails& d) { return d.name + " " + capabilities_of(d); });
}

TEST(Vulnerability, ReadingErrors) {
  expect_cases<Vulnerability>({
      {"{id: CVE-1, references: []}", "ok"},
      {"{id: 123, summary: ~, description: '~', references: , first_fixed_versions: }", "ok"},
      {"{id: CVE-1}", "missing field `references`"},
      {"{summary: s}", "missing field `id`"},
      {"", "missing field `id`"},
      {"{id: CVE-1, references: ~}", "references: invalid type: unit value, expected a sequence at line 1 column 25"},
      {"{id: CVE-1, references: [], first_fixed_versions: ~}",
       "first_fixed_versions: invalid type: unit value, expected a sequence at line 1 column 51"},
      {"{id: CVE-1, references: [{url: u}, {url: u, URL: v}]}",
       "references[1]: unknown field `URL`, expected one of `url`, `scoring_system`, `severity`, `score`, `vector` at "
       "line 1 column 45"},
      {"{id: CVE-1, references: [~]}", "references[0]: invalid type: unit value, expected struct VulnerabilityReference at "
                                       "line 1 column 26"},
      {"{id: CVE-1, references: [{url: u, url: u}]}", "references[0]: duplicate field `url` at line 1 column 26"},
      {"{id: CVE-1, references: [{severity: HIGH}]}", "references[0]: missing field `url` at line 1 column 26"},
      {"{id: CVE-1, ids: []}",
       "unknown field `ids`, expected one of `id`, `summary`, `description`, `references`, `first_fixed_versions` at line "
       "1 column 13"},
      {"{id: [CVE-1]}", "id: invalid type: sequence, expected a string at line 1 column 6"},
      {"'x'", "invalid type: string \"x\", expected struct Vulnerability"},
  });
}

TEST(VulnerabilityReference, Scores) {
  std::vector<Case> cases = {
      {"7", "7.0"},
      {"7.5", "7.5"},
      {"-0.5e1", "-5.0"},
      {".5", "0.5"},
      {"+7.", "7.0"},
      {"+.inf", "inf"},
      {"-.INF", "-inf"},
      {".NaN", "nan"},
      {"", "none"},
      {"null", "none"},
      {"!!null ~", "none"},
      {"!!float 7", "7.0"},
      {"'7.5'", "score: invalid type: string \"7.5\", expected f64 at line 1 column 17"},
      {"1e999", "score: invalid type: string \"1e999\", expected f64 at line 1 column 17"},
      {"0x10", "score: invalid type: integer `16`, expected f64 at line 1 column 17"},
      {"true", "score: invalid type: boolean `true`, expected f64 at line 1 column 17"},
      {"[7]", "score: invalid type: sequence, expected f64 at line 1 column 17"},
      {"inf", "score: invalid type: string \"inf\", expected f64 at line 1 column 17"},
  };
  for (Case& c : cases) c.yaml = "{url: u, score: " + c.yaml + "}";
  expect_cases<VulnerabilityReference>(cases, [](const VulnerabilityReference& r) {
    if (!r.score) return std::string("none");
    if (std::isnan(*r.score)) return std::string("nan");
    if (std::isinf(*r.score)) return std::string(*r.score > 0 ? "inf" : "-inf");
    return to_json_string(*r.score);
  });
}

TEST(Defect, ReadingErrors) {
  expect_cases<Defect>({
      {"{id: 1, url: u, title: ~, state: whatever, severity: 3, creation_time: yesterday, modification_time: 5,"
       " closing_time: 2024-01-31T10:00:00Z, labels: }",
       "ok"},
      {"{url: u}", "missing field `id`"},
      {"{id: i}", "missing field `url`"},
      {"", "missing field `id`"},
      {"{id: i, url: u, labels: ~}", "labels: invalid type: unit value, expected a map at line 1 column 25"},
      {"{id: i, url: u, labels: {a: [b]}}", "labels.a: invalid type: sequence, expected a string at line 1 column 29"},
      {"{id: i, url: u, labels: {}, labels: {}}", "duplicate field `labels`"},
      {"{id: i, url: u, title: !!null x}", "invalid value: string \"x\", expected null"},
      {"{id: i, url: u, ID: x}",
       "unknown field `ID`, expected one of `id`, `url`, `title`, `state`, `severity`, `description`, `creation_time`, "
       "`modification_time`, `closing_time`, `fix_release_version`, `fix_release_url`, `labels` at line 1 column 17"},
      {"~", "invalid type: unit value, expected struct Defect"},
  });
}

}  // namespace
}  // namespace dorvek::ort
