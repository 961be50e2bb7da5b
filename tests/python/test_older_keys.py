"""Tool settings under ORT's older key names: read as under the current name, written under the current name."""
import pytest

from dorvek.ort import OrtResult, RepositoryConfiguration

REPO = "repository: {vcs: {revision: r}, vcs_processed: {revision: r}, config: }\n"
HEADER = ("  start_time: s\n  end_time: e\n"
          "  environment: {ort_version: a, build_jdk: b, java_version: c, os: d, processors: 1, max_memory: 2}\n")

ANALYZER_KEYS = ("one of `allow_dynamic_versions`, `enabled_package_managers`, `disabled_package_managers`, "
                 "`package_managers`, `skip_excluded`")
SCANNER_KEYS = ("one of `skip_concluded`, `skip_excluded`, `include_files_without_findings`, `archive`, "
                "`detected_license_mapping`, `file_list_storage`, `scanners`, `storages`, `storage_readers`, "
                "`storage_writers`, `ignore_patterns`, `provenance_storage`")

# Each record: the document text before its flow mapping (which ends the document), its document class, its key
# path, the field's name and older name, a value for it, and the undeclared-key list.
RECORDS = {
    "ScannerConfiguration": (REPO + "scanner:\n" + HEADER + "  provenances: []\n  scanners: {}\n  files: []\n"
                             "  config: ", OrtResult, "scanner.config", "scanners", "config",
                             "{ScanCode: {options: {timeout: 300, x: [1]}}}", SCANNER_KEYS),
    "AdvisorConfiguration": (REPO + "advisor:\n" + HEADER + "  config: ", OrtResult, "advisor.config", "advisors",
                             "config", "{VulnerableCode: {options: {serverUrl: u}}, OSV: ~}",
                             "`skip_excluded` or `advisors`"),
    "AnalyzerConfiguration": (REPO + "analyzer:\n" + HEADER + "  config: ", OrtResult, "analyzer.config",
                              "package_managers", "analyzers",
                              "{Gradle: {must_run_after: [Maven]}, NPM: {options: {legacyPeerDeps: true}}}",
                              ANALYZER_KEYS),
    "RepositoryAnalyzerConfiguration": ("analyzer: ", RepositoryConfiguration, "analyzer", "package_managers",
                                        "analyzers", "{Gradle: {must_run_after: [Maven]}}", ANALYZER_KEYS),
}
ids = list(RECORDS)


def read(record, body):
    prefix, cls = RECORDS[record][:2]
    return cls.from_yaml_str(prefix + body + "\n")


def error(record, body):
    with pytest.raises(ValueError) as info:
        read(record, body)
    return str(info.value)


def at(record, column_in_body=0):
    """The position of a column of the record's flow mapping."""
    prefix = RECORDS[record][0]
    last = prefix.rsplit("\n", 1)[-1]
    return f"at line {prefix.count(chr(10)) + 1} column {len(last) + 1 + column_in_body}"


@pytest.mark.parametrize("record", ids)
def test_older_name_reads_as_the_field_and_writes_under_its_name(record):
    _, cls, _, name, older, value, _ = RECORDS[record]
    under_older = read(record, f"{{{older}: {value}}}")
    under_name = read(record, f"{{{name}: {value}}}")
    assert under_older.to_dict() == under_name.to_dict()
    assert under_older.to_json() == under_name.to_json()
    assert under_older.to_yaml() == under_name.to_yaml()
    section = under_older.to_dict()
    for key in RECORDS[record][2].split("."):
        section = section[key]
    assert section[name] and older not in section
    # Written back, it reads under the field's own name.
    assert cls.from_yaml_str(under_older.to_yaml()).to_json() == under_older.to_json()
    assert read(record, f"{{{older}: ~}}").to_json() == read(record, "{}").to_json()


@pytest.mark.parametrize("record", ids)
@pytest.mark.parametrize("first", [0, 1])
def test_both_names_are_one_field_given_twice(record, first):
    _, _, path, name, older, value, _ = RECORDS[record]
    keys = (name, older) if first == 0 else (older, name)
    body = f"{{{keys[0]}: ~, {keys[1]}: {value}}}"
    assert error(record, body) == f"{path}: duplicate field `{name}` {at(record)}"
    assert error(record, body) == error(record, f"{{{name}: ~, {name}: {value}}}")


@pytest.mark.parametrize("record", ids)
def test_bad_value_under_older_name_shows_it_in_the_path(record):
    _, _, path, name, older, _, _ = RECORDS[record]
    body = f"{{{older}: x}}"
    assert error(record, body) == (f"{path}.{older}: invalid type: string \"x\", expected a map "
                                   f"{at(record, len(older) + 3)}")
    # Deeper errors keep the name as written too.
    assert error(record, f"{{{older}: {{a: !x 1}}}}").startswith(f"{path}.{older}.a: ")


@pytest.mark.parametrize("record", ids)
@pytest.mark.parametrize("key", ["config ", "Config", "configs", "analyzer", "<<"])
def test_undeclared_key_message_lists_only_the_fields(record, key):
    _, _, path, _, _, _, expected = RECORDS[record]
    assert error(record, f"{{'{key}': 1}}") == f"{path}: unknown field `{key}`, expected {expected} {at(record, 1)}"
