// The Python-value writer, run inside an embedded interpreter: which values
// become Objects, dicts, lists and scalars, including the map-shaped records
// and the map operations that no document of today reaches from Python.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "models/flatten.hpp"
#include "models/ort/base_run.hpp"
#include "models/ort/identifier.hpp"
#include "models/ort/provenance.hpp"
#include "models/ort/scan_storage_configuration.hpp"
#include "models/ort/scanner_configuration.hpp"
#include "models/ort/severity.hpp"
#include "serializer.hpp"
#include "../cpp/test_support.hpp"

namespace dorvek::py {
namespace {

// The interpreter, started once; the package module is kept from importing
// so that classes are made without being published anywhere.
void start_python() {
  static const bool started = [] {
    Py_InitializeEx(0);
    PyRun_SimpleString("import sys\nsys.modules['dorvek'] = None\n");
    return true;
  }();
  (void)started;
}

// Whether the Python expression holds with `v` bound to the value.
bool holds(PyObject* v, const char* expr) {
  Ref globals = check(PyDict_New());
  check(PyDict_SetItemString(globals.get(), "v", v));
  check(PyDict_SetItemString(globals.get(), "__builtins__", PyEval_GetBuiltins()));
  Ref result = Ref::steal(PyRun_String(expr, Py_eval_input, globals.get(), globals.get()));
  if (!result) {
    PyErr_Print();
    return false;
  }
  return PyObject_IsTrue(result.get()) == 1;
}

// A run record: the run header's keys at its own level, then its own fields.
struct TestRun {
  ort::BaseRun header;
  std::string config;
  static constexpr const char* type_name = "AnalyzerRun";
  static constexpr auto flatten = &TestRun::header;
  static constexpr auto fields() { return std::tuple{required("config", &TestRun::config)}; }
};

struct Item {
  std::string name;
  static constexpr const char* type_name = "Item";
  static constexpr auto fields() { return std::tuple{required("name", &Item::name)}; }
};

struct Root {
  std::optional<TestRun> analyzer;
  std::optional<TestRun> scanner;
  HashMap<std::string, ort::ScanStorageConfiguration> storages;
  HashMap<ort::Identifier, std::vector<Item>> issues;
  std::vector<Item> items;
  HashMap<std::string, Item> by_name;
  double nan = 0;
  JsonValue options;
  ort::Provenance provenance;
  ort::Provenance no_provenance;
  std::optional<ort::Severity> severity;
  static constexpr const char* type_name = "Root";
  static constexpr auto fields() {
    using T = Root;
    return std::tuple{optional("analyzer", &T::analyzer),     optional("scanner", &T::scanner),
                      defaulted("storages", &T::storages),    defaulted("issues", &T::issues),
                      defaulted("items", &T::items),          defaulted("by_name", &T::by_name),
                      defaulted("nan", &T::nan),
                      defaulted("options", &T::options),      defaulted("provenance", &T::provenance),
                      defaulted("no_provenance", &T::no_provenance), optional("severity", &T::severity)};
  }
};

TEST(Serializer, ModelValuesAsPythonValues) {
  start_python();
  Root root = test::read_yaml<Root>(R"(
analyzer:
  start_time: s
  config: c
  end_time: e
  environment: {ort_version: v, build_jdk: j, java_version: '17', os: linux, processors: 2,
                max_memory: 18446744073709551615}
storages:
  local: {b: 1, a: [x]}
issues:
  'Maven:org:lib:1.0': [{name: n}]
items: [{name: a}]
by_name: {k: {name: b}}
nan: .nan
options: {b: 1, a: [{d: 1, c: 2}]}
provenance: {vcs_info: {type: Git, url: u, revision: r, path: ''}, resolved_revision: r}
no_provenance:
severity: 2
)");
  Ref tree = to_python(root);
  const char* facts[] = {
      "type(v).__name__ == 'Root' and v.__type__ == 'Root'",
      "v.analyzer.__type__ == 'AnalyzerRun' and type(v.analyzer).__name__ == 'AnalyzerRun'",
      "v.analyzer.keys() == ['start_time', 'end_time', 'environment', 'config']",
      "v.analyzer.environment.__type__ == 'Environment' and v.analyzer.environment.processors == 2",
      "v.scanner is None",
      "type(v.storages) is dict and type(v.storages['local']) is dict",
      "list(v.storages['local']) == ['a', 'b'] and v.storages['local'] == {'a': ['x'], 'b': 1}",
      "type(v.issues) is dict and list(v.issues) == ['Maven:org:lib:1.0']",
      "v.issues['Maven:org:lib:1.0'][0].__type__ == 'Item'",
      "type(v['items']) is list and v['items'][0].__type__ == 'Item'",
      "v.by_name['k'].__type__ == 'Item'",
      "v.analyzer.environment.max_memory == 2**64 - 1",
      "type(v.nan) is float and v.nan != v.nan",
      "type(v.options) is dict and list(v.options) == ['a', 'b']",
      "type(v.options['a'][0]) is dict and list(v.options['a'][0]) == ['c', 'd']",
      "v.provenance.__type__ == 'RepositoryProvenance' and v.provenance.vcs_info.type == 'Git'",
      "v.no_provenance is None",
      "v.severity == 'WARNING'",
  };
  for (const char* f : facts) EXPECT_TRUE(holds(tree.get(), f)) << f;
}

// Map operations written in an order of the test's choosing.
struct MapCalls {
  enum Kind { ValueFirst, TwoKeysOneValue, KeyLeftOver, Entries };
  Kind kind;
  static constexpr const char* type_name = nullptr;
  static MapCalls deserialize(Reader&) { return {}; }
  void serialize(Writer& w) const {
    std::string a = "a", b = "b";
    int64_t one = 1;
    MapWriter& m = w.serialize_map(std::nullopt);
    switch (kind) {
      case ValueFirst: m.serialize_value(value_ref(one)); break;
      case TwoKeysOneValue:
        m.serialize_key(value_ref(a));
        m.serialize_key(value_ref(b));
        m.serialize_value(value_ref(one));
        break;
      case KeyLeftOver:
        m.serialize_entry(value_ref(b), value_ref(one));
        m.serialize_key(value_ref(a));
        break;
      case Entries:
        m.serialize_entry(value_ref(b), value_ref(one));
        m.serialize_entry(value_ref(a), value_ref(one));
        break;
    }
    m.end();
  }
};

TEST(Serializer, MapOperations) {
  start_python();
  struct Case {
    MapCalls::Kind kind;
    const char* hint;
    const char* fact;
  } cases[] = {
      {MapCalls::TwoKeysOneValue, nullptr, "v == {'b': 1}"},
      {MapCalls::KeyLeftOver, nullptr, "v == {'b': 1}"},
      {MapCalls::Entries, nullptr, "type(v) is dict and list(v) == ['b', 'a']"},
      {MapCalls::Entries, "Hinted", "v.__type__ == 'Hinted' and v.keys() == ['b', 'a'] and v.a == 1"},
  };
  for (const Case& c : cases) {
    MapCalls calls{c.kind};
    Ref v = to_python(value_ref(calls), c.hint);
    EXPECT_TRUE(holds(v.get(), c.fact)) << c.fact;
  }

  MapCalls value_first{MapCalls::ValueFirst};
  try {
    to_python(value_ref(value_first), nullptr);
    ADD_FAILURE() << "a value before its key was written";
  } catch (const Error& e) {
    EXPECT_TRUE(holds(e.exception(), "type(v) is ValueError and v.args == ('map value serialized before its key',)"));
  }
}

// The scanner configuration as a run's `config`: records as their classes,
// the two storages of one shape told apart by class, free-form values and
// scan storage entries as plain dicts.
TEST(Serializer, ScannerConfiguration) {
  start_python();
  auto config = test::read_yaml<ort::ScannerConfiguration>(R"(
archive: {file_storage: {local_file_storage: {directory: d}}}
file_list_storage: {postgres_storage: {connection: {url: u, username: n}}}
provenance_storage: {postgres_storage: {connection: {url: u, username: n}}}
scanners: {ScanCode: {b: .inf, a: [1]}}
storages:
  pg: !<.PostgresStorageConfiguration> {type: x, connection: {url: u}}
storage_readers: [pg]
)");
  Ref tree = to_python(config);
  const char* facts[] = {
      "type(v).__name__ == 'ScannerConfiguration' and len(v) == 12",
      "v.archive.__type__ == 'FileArchiverConfiguration' and v.archive.enabled is True",
      "v.archive.file_storage.__type__ == 'FileStorageConfiguration'",
      "v.archive.file_storage.local_file_storage.__type__ == 'LocalFileStorageConfiguration'",
      "v.archive.file_storage.local_file_storage.compression is True and v.archive.postgres_storage is None",
      "v.file_list_storage.__type__ == 'FileListStorageConfiguration'",
      "v.provenance_storage.__type__ == 'ProvenanceStorageConfiguration'",
      "v.file_list_storage.to_dict() == v.provenance_storage.to_dict()",
      "v.file_list_storage.postgres_storage.__type__ == 'PostgresStorageConfiguration'",
      "v.file_list_storage.postgres_storage.type == 'PROVENANCE_BASED'",
      "v.file_list_storage.postgres_storage.connection.__type__ == 'PostgresConnection'",
      "v.file_list_storage.postgres_storage.connection.schema == 'public'",
      "v.file_list_storage.postgres_storage.connection.sslmode == 'verify-full'",
      "v.file_list_storage.postgres_storage.connection.minimum_idle is None",
      "type(v.scanners) is dict and v.scanners == {'ScanCode': {'a': [1], 'b': None}}",
      "list(v.scanners['ScanCode']) == ['a', 'b']",
      "type(v.storages) is dict and type(v.storages['pg']) is dict",
      "list(v.storages['pg']) == ['connection', 'type'] and v.storages['pg']['connection'] == {'url': 'u'}",
      "v.detected_license_mapping == {} and v.ignore_patterns == [] and v.storage_readers == ['pg']",
      "v.storage_writers is None and v.skip_concluded is False",
  };
  for (const char* f : facts) EXPECT_TRUE(holds(tree.get(), f)) << f;
}

}  // namespace
}  // namespace dorvek::py
