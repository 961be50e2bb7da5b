"""Repository configuration: its records' reading rules, writers and real documents."""
import json
import pathlib

import pytest

from dorvek.ort import RepositoryConfiguration

ORTDATA = pathlib.Path(__file__).resolve().parents[1] / "data" / "repository-configuration"

LOCATION = "{source_location: {path: p, start_line: 1, end_line: 2}}"
ROOT_KEYS = ("one of `analyzer`, `includes`, `excludes`, `resolutions`, `curations`, `package_configurations`, "
             "`license_choices`, `snippet_choices`")
ANALYZER_KEYS = ("one of `allow_dynamic_versions`, `enabled_package_managers`, `disabled_package_managers`, "
                 "`package_managers`, `skip_excluded`")
CURATION_DATA_KEYS = ("one of `comment`, `purl`, `cpe`, `authors`, `concluded_license`, `description`, "
                      "`homepage_url`, `binary_artifact`, `source_artifact`, `vcs`, `is_metadata_only`, "
                      "`is_modified`, `declared_license_mapping`, `source_code_origins`, `labels`")
FINDING_KEYS = ("one of `path`, `start_lines`, `line_count`, `detected_license`, `concluded_license`, `reason`, "
                "`comment`")
PATTERN_KEYS = "one of `pattern`, `reason`, `comment`"

# Each record kind written as a flow mapping on line 1 between `prefix` and
# `suffix`: its key path, a valid body, a key given twice in the duplicate case, its
# undeclared-key list (None: undeclared keys are skipped) and its first
# required key (None: nothing is required).
RECORDS = [
    ("RepositoryConfiguration", "", "", "", "", "excludes: {}", ROOT_KEYS, None),
    ("RepositoryAnalyzerConfiguration", "analyzer: ", "", "analyzer", "", "skip_excluded: ~", ANALYZER_KEYS, None),
    ("Includes", "includes: ", "", "includes", "", "paths: []", "`paths`", None),
    ("Excludes", "excludes: ", "", "excludes", "", "scopes: []", "`paths` or `scopes`", None),
    ("PathExclude", "excludes: {paths: [", "]}", "excludes.paths[0]", "pattern: a, reason: OTHER", "comment: c",
     PATTERN_KEYS, "pattern"),
    ("ScopeExclude", "excludes: {scopes: [", "]}", "excludes.scopes[0]", "pattern: a, reason: PROVIDED_BY",
     "reason: 1", PATTERN_KEYS, "pattern"),
    ("PathInclude", "includes: {paths: [", "]}", "includes.paths[0]", "pattern: a, reason: SOURCE_OF", "pattern: b",
     PATTERN_KEYS, "pattern"),
    ("Resolutions", "resolutions: ", "", "resolutions", "", "issues: []",
     "one of `issues`, `rule_violations`, `vulnerabilities`", None),
    ("IssueResolution", "resolutions: {issues: [", "]}", "resolutions.issues[0]", "message: m, reason: 1, comment: c",
     "comment: ''", "one of `message`, `reason`, `comment`", "message"),
    ("RuleViolationResolution", "resolutions: {rule_violations: [", "]}", "resolutions.rule_violations[0]",
     "message: m, reason: 6, comment: c", "reason: 6", "one of `message`, `reason`, `comment`", "message"),
    ("VulnerabilityResolution", "resolutions: {vulnerabilities: [", "]}", "resolutions.vulnerabilities[0]",
     "id: CVE-1, reason: 7, comment: c", "id: x", "one of `id`, `reason`, `comment`", "id"),
    ("Curations", "curations: ", "", "curations", "", "packages: []", "`packages` or `license_findings`", None),
    ("PackageCuration", "curations: {packages: [", "]}", "curations.packages[0]", "id: x, curations: {}", "id: x",
     "`id` or `curations`", "id"),
    ("PackageCurationData", "curations: {packages: [{id: x, curations: ", "}]}", "curations.packages[0].curations",
     "", "is_modified: ~", CURATION_DATA_KEYS, None),
    ("VcsInfoCurationData", "curations: {packages: [{id: x, curations: {vcs: ", "}}]}",
     "curations.packages[0].curations.vcs", "", "url: u", None, None),
    ("LicenseFindingCuration", "curations: {license_findings: [", "]}", "curations.license_findings[0]",
     "path: p, concluded_license: c, reason: CODE", "start_lines: ~", FINDING_KEYS, "path"),
    ("PackageConfiguration", "package_configurations: [", "]", "package_configurations[0]", "id: 'a:b:c:d'",
     "vcs: ~", "one of `id`, `source_artifact_url`, `vcs`, `source_code_origin`, `path_excludes`, "
     "`license_finding_curations`", "id"),
    ("VcsMatcher", "package_configurations: [{id: 'a:b:c:d', vcs: ", "}]", "package_configurations[0].vcs",
     "type: Git, url: u", "revision: r", "one of `type`, `url`, `revision`", "type"),
    ("LicenseChoices", "license_choices: ", "", "license_choices", "", "package_license_choices: []",
     "`repository_license_choices` or `package_license_choices`", None),
    ("SpdxLicenseChoice", "license_choices: {repository_license_choices: [", "]}",
     "license_choices.repository_license_choices[0]", "choice: MIT", "given: ~", "`given` or `choice`", "choice"),
    ("PackageLicenseChoice", "license_choices: {package_license_choices: [", "]}",
     "license_choices.package_license_choices[0]", "package_id: 'a:b:c:d'", "license_choices: []",
     "`package_id` or `license_choices`", "package_id"),
    ("SnippetChoices", "snippet_choices: [", "]", "snippet_choices[0]", "provenance: {url: u}, choices: []",
     "choices: []", "`provenance` or `choices`", "provenance"),
    ("SnippetProvenance", "snippet_choices: [{choices: [], provenance: ", "}]", "snippet_choices[0].provenance",
     "url: u", "url: u", "`url`", "url"),
    ("SnippetChoice", "snippet_choices: [{provenance: {url: u}, choices: [", "]}]", "snippet_choices[0].choices[0]",
     f"given: {LOCATION}, choice: {{reason: OTHER}}", "choice: {reason: 1}", "`given` or `choice`", "given"),
    ("SnippetChoiceGiven", "snippet_choices: [{provenance: {url: u}, choices: [{choice: {reason: 3}, given: ",
     "}]}]", "snippet_choices[0].choices[0].given", LOCATION[1:-1], LOCATION[1:-1], "`source_location`",
     "source_location"),
    ("SnippetChoiceCriteria", f"snippet_choices: [{{provenance: {{url: u}}, choices: [{{given: {LOCATION}, choice: ",
     "}]}]", "snippet_choices[0].choices[0].choice", "reason: OTHER", "purl: ~",
     "one of `purl`, `reason`, `comment`", "reason"),
]


def read(text):
    return RepositoryConfiguration.from_yaml_str(text)


def error(text):
    with pytest.raises(ValueError) as info:
        read(text)
    return str(info.value)


def placed(path, message, column):
    text = f"{path}: {message}" if path else message
    return text if column == 1 else f"{text} at line 1 column {column}"


@pytest.mark.parametrize("kind, prefix, suffix, path, body, once, keys, first", RECORDS, ids=[r[0] for r in RECORDS])
def test_record_keys(kind, prefix, suffix, path, body, once, keys, first):
    doc = lambda inner: f"{prefix}{{{inner}}}{suffix}"  # noqa: E731
    start = len(prefix) + 1
    joined = lambda *parts: ", ".join(p for p in parts if p)  # noqa: E731
    read(doc(body))

    twice = joined(once, body, once)
    assert error(doc(twice)) == placed(path, f"duplicate field `{once.split(':')[0]}`", start)

    unknown = joined(body, "zz: [1, {a: b}]")
    if keys is None:
        assert read(doc(unknown)).to_json() == read(doc(body)).to_json()
    else:
        column = start + 1 + len(unknown) - len("zz: [1, {a: b}]")
        assert error(doc(unknown)) == placed(path, f"unknown field `zz`, expected {keys}", column)

    if first is None:
        read(doc(""))
    else:
        assert error(doc("")) == placed(path, f"missing field `{first}`", start)


# The eight reasons and the source code origin, by name and by code.
REASONS = {
    "PathExcludeReason": ("excludes: {paths: [{pattern: a, reason: %s}]}", lambda d: d.excludes.paths[0].reason),
    "ScopeExcludeReason": ("excludes: {scopes: [{pattern: a, reason: %s}]}", lambda d: d.excludes.scopes[0].reason),
    "PathIncludeReason": ("includes: {paths: [{pattern: a, reason: %s}]}", lambda d: d.includes.paths[0].reason),
    "IssueResolutionReason": ("resolutions: {issues: [{message: m, comment: c, reason: %s}]}",
                              lambda d: d.resolutions.issues[0].reason),
    "RuleViolationResolutionReason": ("resolutions: {rule_violations: [{message: m, comment: c, reason: %s}]}",
                                      lambda d: d.resolutions.rule_violations[0].reason),
    "VulnerabilityResolutionReason": ("resolutions: {vulnerabilities: [{id: i, comment: c, reason: %s}]}",
                                      lambda d: d.resolutions.vulnerabilities[0].reason),
    "LicenseFindingCurationReason": ("curations: {license_findings: [{path: p, concluded_license: c, reason: %s}]}",
                                     lambda d: d.curations.license_findings[0].reason),
    "SnippetChoiceReason": (f"snippet_choices: [{{provenance: {{url: u}}, choices: [{{given: {LOCATION}, "
                            "choice: {reason: %s}}]}]", lambda d: d.snippet_choices[0].choices[0].choice.reason),
    "SourceCodeOrigin": ("package_configurations: [{id: ':::', source_code_origin: %s}]",
                         lambda d: d.package_configurations[0].source_code_origin),
}


@pytest.mark.parametrize("enum, value, expected", [
    ("PathExcludeReason", "1", "BUILD_TOOL_OF"),
    ("PathExcludeReason", "6", "OTHER"),
    ("PathExcludeReason", "9", "TEST_TOOL_OF"),
    ("PathExcludeReason", "OPTIONAL_COMPONENT_OF", "OPTIONAL_COMPONENT_OF"),
    ("PathExcludeReason", "0", "!0"),
    ("PathExcludeReason", "10", "!10"),
    ("PathExcludeReason", "-1", "!-1"),
    ("PathExcludeReason", "1.0", "!1.0"),
    ("PathExcludeReason", "other", "!other"),
    ("PathExcludeReason", "' OTHER'", "! OTHER"),
    ("PathExcludeReason", "'6'", "!6"),
    ("ScopeExcludeReason", "2", "BUILD_DEPENDENCY_OF"),
    ("ScopeExcludeReason", "5", "PROVIDED_BY"),
    ("ScopeExcludeReason", "9", "RUNTIME_DEPENDENCY_OF"),
    ("ScopeExcludeReason", "TEST_DEPENDENCY_OF", "TEST_DEPENDENCY_OF"),
    ("ScopeExcludeReason", "", "!Null"),
    ("PathIncludeReason", "2", "OTHER"),
    ("PathIncludeReason", "3", "!3"),
    ("PathIncludeReason", "TEST_OF", "!TEST_OF"),
    ("IssueResolutionReason", "3", "SCANNER_ISSUE"),
    ("IssueResolutionReason", "CANT_FIX_ISSUE", "CANT_FIX_ISSUE"),
    ("IssueResolutionReason", "true", "!Bool(true)"),
    ("RuleViolationResolutionReason", "1", "CANT_FIX_EXCEPTION"),
    ("RuleViolationResolutionReason", "PATENT_GRANT_EXCEPTION", "PATENT_GRANT_EXCEPTION"),
    ("RuleViolationResolutionReason", "7", "!7"),
    ("VulnerabilityResolutionReason", "5", "NOT_A_VULNERABILITY"),
    ("VulnerabilityResolutionReason", "WORKAROUND_FOR_VULNERABILITY", "WORKAROUND_FOR_VULNERABILITY"),
    ("VulnerabilityResolutionReason", "8", "!8"),
    ("LicenseFindingCurationReason", "0x3", "DOCUMENTATION_OF"),
    ("LicenseFindingCurationReason", "4", "INCORRECT"),
    ("LicenseFindingCurationReason", "not_detected", "!not_detected"),
    ("LicenseFindingCurationReason", "2.5", "!2.5"),
    ("LicenseFindingCurationReason", "~", "!Null"),
    ("SnippetChoiceReason", "2", "ORIGINAL_FINDING"),
    ("SnippetChoiceReason", "'OTHER'", "OTHER"),
    ("SnippetChoiceReason", "'2'", "!2"),
    ("SnippetChoiceReason", "2.0", "!2.0"),
    ("SourceCodeOrigin", "2", "ARTIFACT"),
    ("SourceCodeOrigin", "vcs", "!vcs"),
])
def test_enumeration_values(enum, value, expected):
    template, get = REASONS[enum]
    text = template % value
    if expected.startswith("!"):
        message = error(text)
        assert message.split(": ", 1)[1].rsplit(" at line ", 1)[0] == f"invalid {enum} value: {expected[1:]}"
    else:
        doc = read(text)
        assert get(doc) == expected
        assert f'"{expected}"' in doc.to_json() and f": {expected}\n" in doc.to_yaml()


@pytest.mark.parametrize("text, message", [
    ("~\n", "invalid type: unit value, expected struct RepositoryConfiguration"),
    ("'x'\n", 'invalid type: string "x", expected struct RepositoryConfiguration'),
    ("excludes: {}\nExcludes: {}\n", ROOT_KEYS.join(["unknown field `Excludes`, expected ", " at line 2 column 1"])),
    ("<<: {}\n", f"unknown field `<<`, expected {ROOT_KEYS}"),
    ("excludes: {}\n---\nb: 2\n", "deserializing from YAML containing more than one document is not supported"),
    ("excludes:\nresolutions: {}\nexcludes: {}\n", "duplicate field `excludes`"),
    ("excludes: !!null\n", 'invalid value: string "", expected null'),
    ("snippet_choices: ~\n", "snippet_choices: invalid type: unit value, expected a sequence at line 1 column 18"),
    ("analyzer: x\n", 'analyzer: invalid type: string "x", expected struct RepositoryAnalyzerConfiguration'
                      " at line 1 column 11"),
    ("analyzer:\n  skip_excluded: 'true'\n",
     'analyzer.skip_excluded: invalid type: string "true", expected a boolean at line 2 column 18'),
    ("excludes:\n  paths:\n  - pattern: a\n    reason: OTHER\n  - ~\n",
     "excludes.paths[1]: invalid type: unit value, expected struct PathExclude at line 5 column 5"),
    ("excludes:\n  paths:\n  -\n", "excludes.paths[0]: missing field `pattern` at line 3 column 4"),
    ("excludes:\n  paths:\n  - {pattern: a, reason: 1}\n  - {pattern: b, reason: 2}\n"
     "  - pattern: c\n    comment: x\n    reason: 10\n",
     "excludes.paths[2]: invalid PathExcludeReason value: 10 at line 5 column 5"),
    ("excludes:\n  paths:\n  - &e {pattern: a, reason: TEST_OF}\n  scopes:\n  - *e\n",
     "excludes.scopes[0]: invalid ScopeExcludeReason value: TEST_OF at line 3 column 5"),
    ("package_configurations:\n- id: a:b:c:d:e\n  vcs: {}\n",
     "package_configurations[0]: Field 'identifier' is invalid: must be in the format "
     "'type:namespace:name:version' at line 2 column 3"),
    ("package_configurations:\n- id: a:b:c:d\n  vcs:\n    type: git\n    url: [u]\n",
     "package_configurations[0].vcs.url: invalid type: sequence, expected a string at line 5 column 10"),
    ("package_configurations:\n- id: a:b:c:d\n  vcs: {type: git}\n",
     "package_configurations[0].vcs: missing field `url` at line 3 column 8"),
    ("package_configurations:\n- id: a:b:c:d\n  source_code_origin: 3\n",
     "package_configurations[0]: invalid SourceCodeOrigin value: 3 at line 2 column 3"),
    ("package_configurations:\n- id: a:b:c:d\n  path_excludes: null\n",
     "package_configurations[0].path_excludes: invalid type: unit value, expected a sequence at line 3 column 18"),
    ("curations:\n  license_findings:\n  - path: p\n    start_lines: [4, 17]\n",
     "curations.license_findings[0]: expected a string or an integer scalar at line 3 column 5"),
    ("curations:\n  license_findings:\n  - path: p\n    line_count: '3'\n",
     'curations.license_findings[0].line_count: invalid type: string "3", expected i64 at line 4 column 17'),
    ("curations:\n  license_findings:\n  - path: p\n    reason: CODE\n",
     "curations.license_findings[0]: missing field `concluded_license` at line 3 column 5"),
    ("curations:\n  packages:\n  - id: x\n    curations:\n      source_code_origins: [VCS, 2, 0]\n",
     "curations.packages[0].curations.source_code_origins: invalid SourceCodeOrigin value: 0 at line 5 column 28"),
    ("curations:\n  packages:\n  - id: x\n    curations: null\n",
     "curations.packages[0].curations: invalid type: unit value, expected struct PackageCurationData"
     " at line 4 column 16"),
    ("curations:\n  packages:\n  - id: x\n    curations:\n      labels: {a: [1]}\n",
     "curations.packages[0].curations.labels.a: invalid type: sequence, expected a string at line 5 column 19"),
    ("curations:\n  packages:\n  - id: x\n    curations:\n      vcs: {url: a, [k]: v}\n",
     "curations.packages[0].curations.vcs: invalid type: sequence, expected field identifier at line 5 column 21"),
    ("license_choices:\n  package_license_choices:\n  - {package_id: 'a:b:c:d'}\n  - package_id: a:b:c\n",
     "license_choices.package_license_choices[1]: Field 'identifier' is invalid: must be in the format "
     "'type:namespace:name:version' at line 4 column 5"),
    ("license_choices: []\n",
     "license_choices: invalid type: sequence, expected struct LicenseChoices at line 1 column 18"),
    ("snippet_choices:\n- provenance: {url: u}\n  choices:\n  - given:\n    choice: {reason: 1}\n",
     "snippet_choices[0].choices[0].given: missing field `source_location` at line 4 column 11"),
    ("snippet_choices:\n- provenance: {url: u}\n  choices:\n  - given: ~\n",
     "snippet_choices[0].choices[0].given: invalid type: unit value, expected struct SnippetChoiceGiven"
     " at line 4 column 12"),
    ("snippet_choices:\n- provenance: {url: u}\n  choices:\n  - given: {source_location: {path: p, start_line: x}}\n",
     'snippet_choices[0].choices[0].given.source_location.start_line: invalid type: string "x", expected i32'
     " at line 4 column 52"),
    ("analyzer:\n  package_managers:\n    Gradle:\n      options: {a: [1]}\n",
     "analyzer.package_managers.Gradle: option 'a' is not a scalar at line 4 column 7"),
])
def test_error_placement(text, message):
    assert error(text) == message


@pytest.mark.parametrize("text, get, expected", [
    # Absent, empty and null sections.
    ("analyzer:\n", lambda d: d.analyzer, None),
    ("analyzer: NULL\n", lambda d: d.analyzer, None),
    ("analyzer: {}\n", lambda d: d.analyzer.to_dict(), dict.fromkeys(
        ["allow_dynamic_versions", "enabled_package_managers", "disabled_package_managers", "package_managers",
         "skip_excluded"])),
    ("analyzer: {skip_excluded: false, enabled_package_managers: []}\n",
     lambda d: (d.analyzer.skip_excluded, d.analyzer.enabled_package_managers, d.analyzer.allow_dynamic_versions),
     (False, [], None)),
    ("excludes: Null\n", lambda d: d.excludes, None),
    ("excludes: !!null ~\n", lambda d: d.excludes, None),
    ("excludes: {}\n", lambda d: d.excludes.to_dict(), {"paths": [], "scopes": []}),
    ("resolutions:\n", lambda d: d.resolutions, None),
    ("resolutions: {vulnerabilities: }\n", lambda d: d.resolutions.to_dict(),
     {"issues": [], "rule_violations": [], "vulnerabilities": []}),
    ("curations: {}\n", lambda d: d.curations.to_dict(), {"packages": [], "license_findings": []}),
    ("license_choices: ~\n", lambda d: d.license_choices, None),
    ("package_configurations:\nsnippet_choices:\n", lambda d: (d.package_configurations, d.snippet_choices),
     ([], [])),
    # Defaulted, optional and coerced fields.
    ("excludes: {paths: [{pattern: a, reason: 1}, {pattern: a, reason: 1, comment: ~}]}\n",
     lambda d: [p.comment for p in d.excludes.paths], ["", "~"]),
    ("resolutions: {issues: [{message: 123, reason: 1, comment: }]}\n",
     lambda d: (d.resolutions.issues[0].message, d.resolutions.issues[0].comment), ("123", "")),
    ("curations: {license_findings: [{path: p, concluded_license: c, reason: 1, comment: null, line_count: -3}]}\n",
     lambda d: (d.curations.license_findings[0].comment, d.curations.license_findings[0].line_count), (None, -3)),
    *[(f"curations: {{license_findings: [{{path: p, concluded_license: c, reason: 1, start_lines: {v}}}]}}\n",
       lambda d: d.curations.license_findings[0].start_lines, want)
      for v, want in [("12", "12"), ("1.50", "1.5"), ("'4,17'", "4,17"), ("true", "true"), ("''", None),
                      ("~", None), ("0x10", "16")]],
    ("analyzer:\n  package_managers:\n    Gradle: {options: {a: 1, b: true}}\n    Gradle: {must_run_after: [NPM]}\n"
     "    Maven: {options: {c: 1.50, d: x}}\n",
     lambda d: d.analyzer.to_dict()["package_managers"],
     {"Gradle": {"must_run_after": ["NPM"], "options": None},
      "Maven": {"must_run_after": None, "options": {"c": "1.5", "d": "x"}}}),
    # Identifiers are parsed, package curation ids are not.
    ("package_configurations: [{id: ':::'}]\ncurations: {packages: [{id: no colon, curations: }]}\n",
     lambda d: (d.package_configurations[0].id, d.curations.packages[0].id), (":::", "no colon")),
    ("license_choices: {package_license_choices: [{package_id: 'A:b:c:1'}, {package_id: 'A:b:c:1'}]}\n",
     lambda d: [p.to_dict() for p in d.license_choices.package_license_choices],
     [{"package_id": "A:b:c:1", "license_choices": []}] * 2),
    ("license_choices: {repository_license_choices: [{given: '', choice: ~}, {given: ~, choice: }]}\n",
     lambda d: [(c.given, c.choice) for c in d.license_choices.repository_license_choices],
     [("", "~"), (None, "")]),
    # Version-control types: the matcher rejects undeclared keys, the curation data skips them.
    ("package_configurations: [{id: 'a:b:c:d', vcs: {type: GIT, url: 1}}, {id: 'a:b:c:d', vcs: {type: cvs, url: u}}]\n",
     lambda d: [(p.vcs.type, p.vcs.url, p.vcs.revision) for p in d.package_configurations],
     [("GIT", "1", None), ("", "u", None)]),
    ("curations: {packages: [{id: x, curations: {vcs: {type: svnx, foo: {a: [1]}, foo: 2, path: ''}}}]}\n",
     lambda d: d.curations.packages[0].curations.vcs.to_dict(), {"type": "", "url": None, "revision": None, "path": ""}),
    ("curations: {packages: [{id: x, curations: {vcs: {type: ~, url: u}}}]}\n",
     lambda d: d.curations.packages[0].curations.vcs.type, None),
    # Curated data: optional stays distinct from empty; free-form license mapping values.
    ("curations: {packages: [{id: x, curations: {authors: [], is_modified: false}}]}\n",
     lambda d: [d.curations.packages[0].curations[k] for k in ("authors", "is_modified", "is_metadata_only")],
     [[], False, None]),
    ("curations:\n  packages:\n  - id: x\n    curations:\n      declared_license_mapping:\n"
     "        X: {b: 1, a: [true, null, 2.5, '3']}\n        Y: z\n      labels: {a: 1, a: 2, b: ~}\n",
     lambda d: (d.curations.packages[0].curations.declared_license_mapping, d.curations.packages[0].curations.labels),
     ({"X": {"a": [True, None, 2.5, "3"], "b": 1}, "Y": "z"}, {"a": "2", "b": "~"})),
])
def test_field_values(text, get, expected):
    assert get(read(text)) == expected


def test_written_forms():
    empty = read("")
    assert empty.to_json() == (
        '{\n  "analyzer": null,\n  "includes": null,\n  "excludes": null,\n  "resolutions": null,\n'
        '  "curations": null,\n  "package_configurations": [],\n  "license_choices": null,\n'
        '  "snippet_choices": []\n}')
    assert empty.to_yaml() == (
        "analyzer: null\nincludes: null\nexcludes: null\nresolutions: null\ncurations: null\n"
        "package_configurations: []\nlicense_choices: null\nsnippet_choices: []\n")
    for text in ("---\n", "# only a comment\n", "{}\n"):
        assert read(text).to_json() == empty.to_json()
    doc = read("package_configurations: [{id: 'a:b:c:d', source_code_origin: 1}]\n"
               "excludes: {scopes: [{comment: x, reason: 3, pattern: test}]}\n")
    assert doc.package_configurations[0].to_dict() == {
        "id": "a:b:c:d", "source_artifact_url": None, "vcs": None, "source_code_origin": "VCS",
        "path_excludes": [], "license_finding_curations": []}
    assert type(doc.excludes.scopes[0]).__name__ == "ScopeExclude"
    assert "excludes:\n  paths: []\n  scopes:\n  - pattern: test\n    reason: DEV_DEPENDENCY_OF\n    comment: x\n" in (
        doc.to_yaml())


ROUND_TRIP = f"""\
analyzer:
  allow_dynamic_versions: true
  enabled_package_managers: []
  package_managers:
    NPM: {{must_run_after: [Yarn], options: {{legacyPeerDeps: true, n: 1}}}}
includes:
  paths: [{{pattern: src/**, reason: 1, comment: null}}]
excludes:
  paths: &p [{{pattern: docs/**, reason: DOCUMENTATION_OF}}]
  scopes: [{{pattern: test, reason: TEST_DEPENDENCY_OF, comment: '~'}}]
resolutions:
  issues: [{{message: "x.*", reason: BUILD_TOOL_ISSUE, comment: ''}}]
  rule_violations: [{{message: m, reason: 2, comment: c}}]
  vulnerabilities: [{{id: CVE-1, reason: 6, comment: c}}, {{id: CVE-1, reason: 6, comment: c}}]
curations:
  packages:
  - id: "Maven:a:b:1"
    curations:
      comment: "true"
      authors: [a, '1']
      binary_artifact: {{url: u, hash: {{value: 00ff, algorithm: SHA-1}}}}
      source_artifact: {{url: ''}}
      vcs: {{type: '', url: u, extra: 1}}
      is_metadata_only: false
      declared_license_mapping: {{a: {{z: [1, -2, 0.5], y: null}}, b: '12'}}
      source_code_origins: [ARTIFACT, 1]
      labels: {{k: '', l: 'null', m: 12}}
  license_findings:
  - {{path: a, start_lines: '3, 4', line_count: 2, detected_license: X, concluded_license: Y, reason: 6}}
package_configurations:
- id: "NPM::c:2"
  source_artifact_url: ''
  vcs: {{type: Git, url: u, revision: ''}}
  source_code_origin: ARTIFACT
  path_excludes: *p
  license_finding_curations: [{{path: b, concluded_license: 'null', reason: INCORRECT, start_lines: 12}}]
license_choices:
  repository_license_choices: [{{given: 'A OR B', choice: A}}]
  package_license_choices: [{{package_id: "Go::d:", license_choices: [{{choice: C}}]}}]
snippet_choices:
- provenance: {{url: 'https://example.com'}}
  choices:
  - given: {LOCATION}
    choice: {{purl: "pkg:npm/c@2", reason: 1, comment: ''}}
  - given: {LOCATION}
    choice: {{reason: OTHER}}
"""


def test_round_trip():
    doc = read(ROUND_TRIP)
    tree = doc.to_dict()
    assert all(tree[k] for k in tree)
    assert doc.package_configurations[0].path_excludes == doc.excludes.paths
    for text in (doc.to_yaml(), doc.to_json()):
        again = read(text)
        assert again.to_dict() == tree
        assert json.loads(again.to_json()) == json.loads(doc.to_json())


@pytest.mark.parametrize("path", sorted(ORTDATA.glob("*.yml")), ids=lambda p: p.name)
def test_real_documents_round_trip(path):
    doc = RepositoryConfiguration.from_yaml_file(str(path))
    tree = doc.to_dict()
    assert any(tree.values())
    assert read(doc.to_yaml()).to_dict() == tree
    assert read(doc.to_json()).to_dict() == tree


def test_real_documents_are_present():
    assert len(list(ORTDATA.glob("*.yml"))) >= 10
