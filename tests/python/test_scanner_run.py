"""ORT result: the scanner run, its scan results, findings, provenance resolution results and file lists."""
import json
import math
import pathlib

import pytest

from dorvek.ort import (FileList, LicenseFinding, OrtResult, ProvenanceResolutionResult, ScannerConfiguration,
                        ScannerRun, ScanResult, ScanSummary, Snippet, SnippetFinding)

ORTDATA = pathlib.Path(__file__).resolve().parents[1] / "data" / "ort-result"

REPO = "repository: {vcs: {revision: r}, vcs_processed: {revision: r}, config: }\n"
HEADER = ("  start_time: s\n  end_time: e\n"
          "  environment: {ort_version: a, build_jdk: b, java_version: c, os: d, processors: 1, max_memory: 2}\n")
OWN = "  config:\n  provenances: []\n  scanners: {}\n  files: []\n"
LOC = "location: {path: p, start_line: 1, end_line: 2}"
SCANNER = "scanner: {name: n, version: v, configuration: c}"
SUMMARY = "summary: {start_time: s, end_time: e}"


def scanner(body):
    return REPO + "scanner:\n" + body


def run_of(body):
    return OrtResult.from_yaml_str(scanner(body)).scanner


def error_of(text):
    with pytest.raises(ValueError) as info:
        OrtResult.from_yaml_str(text)
    return str(info.value)


def at_run(message):
    return f"scanner: {message} at line 3 column 3"


@pytest.mark.parametrize("body, message", [
    ("  comment: x\n  Config: y\n  <<: z\n", at_run("missing field `config`")),
    (OWN, at_run("missing field `start_time`")),
    ("  config:\n  provenances: []\n  scanners: {}\n", at_run("missing field `files`")),
    ("  config:\n  scanners: {}\n  files: []\n", at_run("missing field `provenances`")),
    ("  config:\n  provenances: []\n  files: []\n", at_run("missing field `scanners`")),
    # The run's own keys first, then the header's.
    (OWN + "  start_time: 12\n", at_run("invalid type: integer `12`, expected a string")),
    (HEADER + OWN + "  start_time: t\n", at_run("duplicate field `start_time`")),
    (HEADER + OWN + "  files: []\n", at_run("duplicate field `files`")),
    (HEADER + OWN + "  scan_results: ~\n  scan_results: []\n", at_run("duplicate field `scan_results`")),
    ("  provenances: x\n", "scanner.provenances: invalid type: string \"x\", expected a sequence at line 3 column 16"),
    (HEADER + "  config: ~\n",
     "scanner.config: invalid type: unit value, expected struct ScannerConfiguration at line 6 column 11"),
    (HEADER + OWN + "  issues: ~\n", "scanner.issues: invalid type: unit value, expected a map at line 10 column 11"),
    (HEADER + OWN + "  scan_results: '~'\n",
     "scanner.scan_results: invalid type: string \"~\", expected a sequence at line 10 column 17"),
    (HEADER + OWN + "  scan_results: !!null x\n", at_run("invalid value: string \"x\", expected null")),
    (OWN + "  comment: !x 1\n",
     "scanner.comment: untagged and internally tagged enums do not support enum input at line 7 column 12"),
    ("  ? [k]\n  : v\n", "scanner: invalid type: sequence, expected field identifier at line 3 column 5"),
    # The scanners map, keyed by identifiers.
    ("  config:\n  provenances: []\n  files: []\n  scanners:\n    'a:b:c': [x]\n",
     "scanner.scanners: Field 'identifier' is invalid: must be in the format 'type:namespace:name:version' at "
     "line 7 column 5"),
    ("  scanners: ~\n", "scanner.scanners: invalid type: unit value, expected a map at line 3 column 13"),
    ("  scanners: {'a:b:c:d': {x: y}}\n",
     "scanner.scanners.a:b:c:d: invalid type: map, expected a sequence at line 3 column 25"),
    ("  scanners: {'a:b:c:d': ~}\n",
     "scanner.scanners.a:b:c:d: invalid type: unit value, expected a sequence at line 3 column 25"),
    ("  scanners: {'a:b:c:d': [[x]]}\n",
     "scanner.scanners.a:b:c:d[0]: invalid type: sequence, expected a string at line 3 column 26"),
])
def test_run_errors(body, message):
    assert error_of(scanner(body)) == message


@pytest.mark.parametrize("value, message", [
    ("{}", "scanner: missing field `config` at line 2 column 10"),
    ("!x", "scanner: missing field `config` at line 2 column 10"),
    ("!!null ''", "scanner: invalid value: string \"\", expected null at line 2 column 10"),
    ("[1]", "scanner: invalid type: sequence, expected struct ScannerRun at line 2 column 10"),
    ("'~'", "scanner: invalid type: string \"~\", expected struct ScannerRun at line 2 column 10"),
])
def test_run_value_kinds(value, message):
    assert error_of(REPO + "scanner: " + value + "\n") == message


def test_run_fields():
    assert OrtResult.from_yaml_str(scanner("")).scanner is None
    run = run_of(HEADER + "  config:\n  provenances:\n  files:\n  true: 1\n  comment: {a: [b]}\n"
                 "  scanners:\n    'A:b:c:d': [x, y, x, 1]\n    'a:b:c:d': [z]\n    'A:b:c:d': [w, 2]\n")
    assert type(run) is ScannerRun and type(run.config) is ScannerConfiguration
    assert run.keys() == ["start_time", "end_time", "environment", "config", "provenances", "scan_results",
                          "issues", "scanners", "files"]
    assert (run.provenances, run.scan_results, run.issues, run.files) == ([], None, {}, [])
    # A repeated identifier keeps its last set; a set keeps one copy of a name.
    assert run.scanners == {"A:b:c:d": ["w", "2"], "a:b:c:d": ["z"]}
    assert run_of(HEADER + OWN.replace("  scanners: {}\n", "  scanners: {'a:b:c:d': [x, 1, x]}\n")).scanners == {
        "a:b:c:d": ["x", "1"]}
    assert run_of(HEADER + OWN.replace("{}", "")).scanners == {}
    issue = "{timestamp: t, source: s, message: m, severity: 2}"
    issues = run_of(HEADER + OWN + f"  issues:\n    'a:b:c:d': [{issue}]\n    'x:y::': []\n"
                    f"    'a:b:c:d': [{issue}, {issue}]\n").to_dict()["issues"]
    assert {k: [i["severity"] for i in v] for k, v in issues.items()} == {"a:b:c:d": ["WARNING"] * 2, "x:y::": []}
    assert run_of(HEADER + OWN + "  scan_results: []\n").scan_results == []
    assert run_of(HEADER + OWN + "  scan_results:\n").scan_results is None


def test_run_written_forms():
    doc = OrtResult.from_yaml_str(scanner(HEADER + OWN.replace("  files: []\n", "") + """  comment: dropped
  files:
  - provenance: {source_artifact: {url: u}}
    files: [{sha1: 123, path: a}]
  scan_results:
  - summary:
      start_time: 2024-01-01T00:00:00Z
      end_time: 1
      licenses: [{license: 123, location: {path: a, start_line: 1, end_line: 2}, score: .NaN}]
      snippets:
      - source_location: {path: a, start_line: 1, end_line: 2}
        snippets:
        - {score: -.INF, location: {path: b, start_line: 3, end_line: 4}, provenance: ~, purl: p, license: l}
    scanner: {name: n, version: 1.10, configuration: ''}
    provenance: {vcs_info: {type: git, url: u, revision: r}, resolved_revision: abc}
"""))
    run = doc.scanner
    result = run.scan_results[0]
    assert type(result) is ScanResult and type(result.summary) is ScanSummary
    assert result.keys() == ["provenance", "scanner", "summary", "additional_data"]
    assert (result.provenance.__type__, result.scanner.__type__, result.scanner.version) == (
        "RepositoryProvenance", "ScannerDetails", "1.10")
    summary = result.summary
    assert (summary.start_time, summary.end_time, summary.copyrights, summary.issues) == (
        "2024-01-01T00:00:00Z", "1", [], [])
    finding = summary.licenses[0]
    assert type(finding) is LicenseFinding and finding.license == "123" and math.isnan(finding.score)
    snippet_finding = summary.snippets[0]
    assert type(snippet_finding) is SnippetFinding and type(snippet_finding.snippets[0]) is Snippet
    assert snippet_finding.snippets[0].score == -math.inf and snippet_finding.snippets[0].provenance is None
    assert type(run.files[0]) is FileList and run.files[0].files[0].to_dict() == {"path": "a", "sha1": "123"}

    tree = json.loads(doc.to_json())["scanner"]
    assert list(tree) == run.keys() and "comment" not in doc.to_json()
    assert tree["config"]["skip_concluded"] is False
    assert tree["scan_results"][0]["summary"]["licenses"][0] == {
        "license": "123", "location": {"path": "a", "start_line": 1, "end_line": 2}, "score": None}
    assert tree["scan_results"][0]["summary"]["snippets"][0]["snippets"][0] == {
        "score": None, "location": {"path": "b", "start_line": 3, "end_line": 4}, "provenance": None,
        "purl": "p", "license": "l", "additional_data": {}}
    assert tree["scan_results"][0]["additional_data"] == {} and tree["issues"] == {}
    assert tree["files"] == [{"provenance": {"source_artifact": {"url": "u", "hash": None}},
                              "files": [{"path": "a", "sha1": "123"}]}]
    yaml = doc.to_yaml()
    for line in ("\n        score: .nan\n", "\n        - score: -.inf\n", "\n      version: '1.10'\n",
                 "\n      - license: '123'\n", "\n    additional_data: {}\n", "\n  issues: {}\n"):
        assert line in yaml


@pytest.mark.parametrize("score, python, json_text, yaml", [
    ("1", 1.0, "1.0", "1.0"),
    ("0.25", 0.25, "0.25", "0.25"),
    ("1e3", 1000.0, "1000.0", "1000.0"),
    ("+.inf", math.inf, "null", ".inf"),
    ("-.Inf", -math.inf, "null", "-.inf"),
    (".NAN", math.nan, "null", ".nan"),
    ("~", None, "null", "null"),
    ("", None, "null", "null"),
    ("!!float |-\n        2.5\n", 2.5, "2.5", "2.5"),
])
def test_scores(score, python, json_text, yaml):
    doc = OrtResult.from_yaml_str(summary_doc(f"licenses:\n    - license: l\n      {LOC}\n      score: {score}\n"))
    finding = doc.scanner.scan_results[0].summary.licenses[0]
    if python is not None and math.isnan(python):
        assert math.isnan(finding.score)
    else:
        assert finding.score == python
    assert f'"score": {json_text}\n' in doc.to_json()
    assert f"\n        score: {yaml}\n" in doc.to_yaml()


def summary_doc(fields):
    """A run with one scan result whose summary holds `fields`, given as block lines at indentation 4."""
    return scanner(HEADER + OWN + f"  scan_results:\n  - provenance: ~\n    {SCANNER}\n"
                   f"    summary:\n      start_time: s\n      end_time: e\n      " + fields.replace("\n", "\n  "))


# One license at two locations is two findings; only exact repeats collapse.
def test_findings_keep_every_location():
    loc = "{path: a, start_line: %d, end_line: %d}"
    summary = OrtResult.from_yaml_str(summary_doc(f"""licenses:
    - {{license: MIT, location: {loc % (1, 2)}}}
    - {{license: MIT, location: {loc % (5, 6)}}}
    - {{license: MIT, location: {{path: b, start_line: 1, end_line: 2}}}}
    - {{license: MIT, location: {loc % (1, 2)}}}
    - {{license: MIT, location: {loc % (1, 2)}, score: 1}}
    - {{license: MIT, location: {loc % (1, 2)}, score: 1.0}}
    - {{license: MIT, location: {loc % (1, 2)}, score: .nan}}
    - {{license: MIT, location: {loc % (1, 2)}, score: .NaN}}
    - {{license: mit, location: {loc % (1, 2)}}}
    copyrights:
    - {{statement: (c) X, location: {loc % (1, 1)}}}
    - {{statement: (c) X, location: {loc % (3, 3)}}}
    - {{statement: (c) X, location: {loc % (1, 1)}}}
    snippets:
    - source_location: {loc % (1, 9)}
      snippets: [{{score: 1, {LOC}, provenance: ~, purl: 'pkg:x', license: L}}]
    - source_location: {loc % (1, 9)}
      snippets:
      - {{score: 1, {LOC}, provenance: ~, purl: 'pkg:x', license: L}}
      - {{score: 1, location: {loc % (7, 8)}, provenance: ~, purl: 'pkg:x', license: L}}
      - {{score: 1, location: {loc % (7, 8)}, provenance: ~, purl: 'pkg:x', license: L}}
      - {{score: 2, location: {loc % (7, 8)}, provenance: ~, purl: 'pkg:x', license: L}}
    - source_location: {loc % (1, 9)}
      snippets: [{{score: 1, {LOC}, provenance: ~, purl: 'pkg:x', license: L}}]
    - source_location: {loc % (1, 8)}
      snippets: []
    issues:
    - {{timestamp: t, source: s, message: m, severity: HINT}}
    - {{timestamp: t, source: s, message: m, severity: HINT}}
""")).scanner.scan_results[0].summary.to_dict()
    assert [(f["license"], f["location"]["path"], f["location"]["start_line"], f["score"])
            for f in summary["licenses"] if not (f["score"] and math.isnan(f["score"]))] == [
        ("MIT", "a", 1, None), ("MIT", "a", 5, None), ("MIT", "b", 1, None), ("MIT", "a", 1, 1.0),
        ("mit", "a", 1, None)]
    assert len(summary["licenses"]) == 6
    assert [c["location"]["start_line"] for c in summary["copyrights"]] == [1, 3]
    assert [(f["source_location"]["end_line"], [(s["location"]["start_line"], s["score"]) for s in f["snippets"]])
            for f in summary["snippets"]] == [(9, [(1, 1.0)]), (9, [(1, 1.0), (7, 1.0), (7, 2.0)]), (8, [])]
    assert len(summary["issues"]) == 2


SCAN_RESULTS = """  scan_results:
  - provenance: {vcs_info: {type: Git, url: u, revision: r}, resolved_revision: abc}
    scanner: {name: A, version: 1.10, configuration: ''}
    summary: {start_time: s, end_time: e, licenses: [{license: first, location: {path: a, start_line: 1, end_line: 1}}]}
  - provenance: {vcs_info: {type: Mercurial, url: u, revision: x, path: p}, resolved_revision: abc}
    scanner: {name: A, version: 1.10, configuration: ''}
    summary: {start_time: s, end_time: e, licenses: [{license: later, location: {path: a, start_line: 1, end_line: 1}}]}
  - provenance: {vcs_info: {type: Git, url: u, revision: r}, resolved_revision: abc}
    scanner: {name: B, version: 1.10, configuration: ''}
    summary: {start_time: s, end_time: e}
  - provenance: {vcs_info: {type: Git, url: u, revision: r}, resolved_revision: abc}
    scanner: {name: A, version: '1.1', configuration: ''}
    summary: {start_time: s, end_time: e}
  - provenance: {vcs_info: {type: Git, url: u, revision: r}, resolved_revision: abc}
    scanner: {name: A, version: 1.10, configuration: --x}
    summary: {start_time: s, end_time: e}
  - provenance: {vcs_info: {type: Git, url: U, revision: r}, resolved_revision: abc}
    scanner: {name: A, version: 1.10, configuration: ''}
    summary: {start_time: s, end_time: e}
  - provenance: {vcs_info: {type: Git, url: u, revision: r}, resolved_revision: abd}
    scanner: {name: A, version: 1.10, configuration: ''}
    summary: {start_time: s, end_time: e}
  - provenance: {source_artifact: {url: u, hash: {value: '1', algorithm: SHA-1}}}
    scanner: {name: A, version: 1.10, configuration: ''}
    summary: {start_time: s, end_time: e}
  - provenance: {source_artifact: {url: u, hash: {value: '2', algorithm: SHA-1}}}
    scanner: {name: A, version: 1.10, configuration: ''}
    summary: {start_time: s, end_time: e}
  - provenance:
    scanner: {name: A, version: 1.10, configuration: ''}
    summary: {start_time: s, end_time: e}
  - provenance: ~
    scanner: {name: A, version: 1.10, configuration: ''}
    summary: {start_time: s, end_time: e}
"""


# A result per provenance key and scanner: two scanners' results for one source are both kept.
def test_scan_results_by_provenance_key_and_scanner():
    results = run_of(HEADER + OWN + SCAN_RESULTS).to_dict()["scan_results"]

    def key(r):
        p = r["provenance"] or {}
        repo = p.get("vcs_info")
        return ((repo["type"], repo["url"], p["resolved_revision"]) if repo else
                (p["source_artifact"]["hash"]["value"],) if p else None,
                r["scanner"]["name"], r["scanner"]["version"], r["scanner"]["configuration"])

    assert [key(r) for r in results] == [
        (("Git", "u", "abc"), "A", "1.10", ""), (("Git", "u", "abc"), "B", "1.10", ""),
        (("Git", "u", "abc"), "A", "1.1", ""), (("Git", "u", "abc"), "A", "1.10", "--x"),
        (("Git", "U", "abc"), "A", "1.10", ""), (("Git", "u", "abd"), "A", "1.10", ""),
        (("1",), "A", "1.10", ""), (None, "A", "1.10", "")]
    assert results[0]["summary"]["licenses"][0]["license"] == "first"


def test_file_lists_by_provenance_key_and_entries_by_path():
    files = run_of(HEADER + OWN.replace("  files: []\n", """  files:
  - provenance: {vcs_info: {type: Git, url: u, revision: r}, resolved_revision: abc}
    files: [{path: a, sha1: '1'}, {path: a, sha1: '2'}, {path: b, sha1: ''}]
  - provenance: {vcs_info: {type: Subversion, url: u, revision: r}, resolved_revision: abc}
    files: [{path: c, sha1: '3'}]
  - provenance: {source_artifact: {url: u}}
    files: []
  - provenance: ~
    files:
  - provenance:
    files: [{path: d, sha1: 123}]
""")).to_dict()["files"]
    assert [(f["provenance"] and list(f["provenance"]), f["files"]) for f in files] == [
        (["vcs_info", "resolved_revision"], [{"path": "a", "sha1": "1"}, {"path": "b", "sha1": ""}]),
        (["source_artifact"], []), (None, [])]
    assert files[0]["provenance"]["vcs_info"]["type"] == "Git"


def test_provenance_resolution_results_by_package():
    results = run_of(HEADER + OWN.replace("  provenances: []\n", """  provenances:
  - id: 'Maven:g:a:1'
    package_provenance: {vcs_info: {revision: r}, resolved_revision: abc}
  - id: 'Maven:g:a:1'
    package_provenance: {source_artifact: {url: u}}
  - id: 'maven:g:a:1'
  - id: 'Maven:g:A:1'
    sub_repositories: {x: {revision: 1}, x: {revision: 2}}
""")).provenances
    assert [type(r) for r in results] == [ProvenanceResolutionResult] * 3
    assert [r.id for r in results] == ["Maven:g:a:1", "maven:g:a:1", "Maven:g:A:1"]
    assert results[0].package_provenance.__type__ == "RepositoryProvenance"
    assert results[1].to_dict() == {"id": "maven:g:a:1", "package_provenance": None, "sub_repositories": {},
                                    "package_provenance_resolution_issue": None,
                                    "nested_provenance_resolution_issue": None}
    assert results[2].sub_repositories["x"].revision == "2"


def results_doc(items):
    return scanner(HEADER + OWN + "  scan_results:\n" + items)


def result_with(fields):
    return "  - {" + fields + "}\n"


def summary_with(fields):
    return result_with(f"provenance: ~, {SCANNER}, summary: {{start_time: s, end_time: e, {fields}}}")


def at(path, message, column, line=11):
    return f"scanner.scan_results[0]{path}: {message} at line {line} column {column}"


BASE = f"provenance: ~, {SCANNER}, {SUMMARY}"
NO_MATCH = "data did not match any variant of untagged enum Provenance"


@pytest.mark.parametrize("items, message", [
    ("  -\n", at("", "missing field `provenance`", 4)),
    ("  - ~\n", at("", "invalid type: unit value, expected struct ScanResult", 5)),
    # Values are read in document order; missing keys are looked for at the end.
    (result_with("summary: {licenses: x}"),
     at(".summary.licenses", "invalid type: string \"x\", expected a sequence", 26)),
    (result_with(f"provenance: {{}}, {SCANNER}, {SUMMARY}"), at("", NO_MATCH, 5)),
    (result_with("provenance: ~, Provenance: 1"),
     at("", "unknown field `Provenance`, expected one of `provenance`, `scanner`, `summary`, `additional_data`", 21)),
    (result_with("provenance: ~, scanner: ~"),
     at(".scanner", "invalid type: unit value, expected struct ScannerDetails", 30)),
    (result_with("provenance: ~, scanner: "), at(".scanner", "missing field `name`", 30)),
    (result_with("provenance: ~, scanner: {name: a, version: b}"), at(".scanner", "missing field `configuration`", 30)),
    (result_with("provenance: ~, scanner: {name: a, version: [b]}"),
     at(".scanner.version", "invalid type: sequence, expected a string", 49)),
    (result_with("provenance: ~, scanner: {name: a, version: b, configuration: c, config: d}"),
     at(".scanner", "unknown field `config`, expected one of `name`, `version`, `configuration`", 70)),
    (result_with(f"provenance: ~, {SCANNER}"), at("", "missing field `summary`", 5)),
    (result_with(BASE + ", summary: x"), at("", "duplicate field `summary`", 5)),
    (result_with(BASE + ", additional_data: ~"),
     at(".additional_data", "invalid type: unit value, expected a map", 127)),
    # The index counts the dropped repeat too.
    (result_with(BASE) + result_with(BASE) + "  - {provenance: ~, x: 1}\n",
     "scanner.scan_results[2]: unknown field `x`, expected one of `provenance`, `scanner`, `summary`, "
     "`additional_data` at line 13 column 21"),
    (result_with("provenance: ~, summary: ~"),
     at(".summary", "invalid type: unit value, expected struct ScanSummary", 30)),
    (result_with("provenance: ~, summary: {}"), at(".summary", "missing field `start_time`", 30)),
    (result_with("provenance: ~, summary: {start_time: s}"), at(".summary", "missing field `end_time`", 30)),
    (result_with("provenance: ~, summary: {start_time: [s]}"),
     at(".summary.start_time", "invalid type: sequence, expected a string", 43)),
    (summary_with("license: []"),
     at(".summary", "unknown field `license`, expected one of `start_time`, `end_time`, `licenses`, `copyrights`, "
        "`snippets`, `issues`", 109)),
    (summary_with("end_time: e"), at(".summary", "duplicate field `end_time`", 80)),
    (summary_with("issues: ~"), at(".summary.issues", "invalid type: unit value, expected a sequence", 117)),
    (summary_with("licenses: ~"), at(".summary.licenses", "invalid type: unit value, expected a sequence", 119)),
    (summary_with("licenses: [~]"),
     at(".summary.licenses[0]", "invalid type: unit value, expected struct LicenseFinding", 120)),
    (summary_with("licenses: [{}]"), at(".summary.licenses[0]", "missing field `license`", 120)),
    (summary_with("licenses: [{license: [x]}]"),
     at(".summary.licenses[0].license", "invalid type: sequence, expected a string", 130)),
    (summary_with("licenses: [{license: x}]"), at(".summary.licenses[0]", "missing field `location`", 120)),
    (summary_with("licenses: [{license: x, Score: 1}]"),
     at(".summary.licenses[0]", "unknown field `Score`, expected one of `license`, `location`, `score`", 133)),
    (summary_with(f"licenses: [{{license: x, {LOC}, {LOC}}}]"),
     at(".summary.licenses[0]", "duplicate field `location`", 120)),
    (summary_with(f"licenses: [{{license: x, {LOC}, score: '0.5'}}]"),
     at(".summary.licenses[0].score", "invalid type: string \"0.5\", expected f64", 189)),
    (summary_with(f"licenses: [{{license: x, {LOC}, score: 1e999}}]"),
     at(".summary.licenses[0].score", "invalid type: string \"1e999\", expected f64", 189)),
    (summary_with(f"licenses: [{{license: x, {LOC}, score: 0x10}}]"),
     at(".summary.licenses[0].score", "invalid type: integer `16`, expected f64", 189)),
    (summary_with(f"licenses: [{{license: x, {LOC}, score: !!null x}}]"),
     at(".summary.licenses[0]", "invalid value: string \"x\", expected null", 120)),
    (summary_with("copyrights: [{statement: x, path: p}]"),
     at(".summary.copyrights[0]", "unknown field `path`, expected `statement` or `location`", 137)),
    (summary_with("copyrights: [{statement: x}]"), at(".summary.copyrights[0]", "missing field `location`", 122)),
    (summary_with("copyrights: [{}]"), at(".summary.copyrights[0]", "missing field `statement`", 122)),
    (summary_with("snippets: [{}]"), at(".summary.snippets[0]", "missing field `source_location`", 120)),
    (summary_with(f"snippets: [{{source_{LOC}}}]"), at(".summary.snippets[0]", "missing field `snippets`", 120)),
    (summary_with(f"snippets: [{{source_{LOC}, snip: []}}]"),
     at(".summary.snippets[0]", "unknown field `snip`, expected `source_location` or `snippets`", 177)),
    (summary_with("snippets: [{snippets: ~}]"),
     at(".summary.snippets[0].snippets", "invalid type: unit value, expected a sequence", 131)),
    (summary_with("snippets: [{snippets: [{}]}]"),
     at(".summary.snippets[0].snippets[0]", "missing field `score`", 132)),
    (summary_with("snippets: [{snippets: [{score: ~}]}]"),
     at(".summary.snippets[0].snippets[0].score", "invalid type: unit value, expected f64", 140)),
    (summary_with(f"snippets: [{{snippets: [{{score: 1, {LOC}, purl: p, license: l}}]}}]"),
     at(".summary.snippets[0].snippets[0]", "missing field `provenance`", 132)),
    (summary_with(f"snippets: [{{snippets: [{{score: 1, {LOC}, provenance: x}}]}}]"),
     at(".summary.snippets[0].snippets[0]", NO_MATCH, 132)),
    (summary_with("snippets: [{snippets: [{additional_data: ~}]}]"),
     at(".summary.snippets[0].snippets[0].additional_data", "invalid type: unit value, expected a map", 150)),
    (summary_with("snippets: [{snippets: [{purl: [], score: 1}]}]"),
     at(".summary.snippets[0].snippets[0].purl", "invalid type: sequence, expected a string", 139)),
    (summary_with("snippets: [{snippets: [{Purl: 1}]}]"),
     at(".summary.snippets[0].snippets[0]", "unknown field `Purl`, expected one of `score`, `location`, "
        "`provenance`, `purl`, `license`, `additional_data`", 133)),
])
def test_scan_result_errors(items, message):
    assert error_of(results_doc(items)) == message


IDENTIFIER = "Field 'identifier' is invalid: must be in the format 'type:namespace:name:version'"


@pytest.mark.parametrize("body, message", [
    ("  provenances:\n  - id: 'a:b:c:d'\n  - id: 'a:b:c'\n",
     f"scanner.provenances[1]: {IDENTIFIER} at line 7 column 5"),
    ("  provenances:\n  - id: 'a:b:c:d:e'\n", f"scanner.provenances[0]: {IDENTIFIER} at line 6 column 5"),
    ("  provenances: [{sub_repositories: {}}]\n", "scanner.provenances[0]: missing field `id` at line 5 column 17"),
    ("  provenances: [~]\n",
     "scanner.provenances[0]: invalid type: unit value, expected struct ProvenanceResolutionResult "
     "at line 5 column 17"),
    ("  provenances: ~\n", "scanner.provenances: invalid type: unit value, expected a sequence at line 5 column 16"),
    ("  provenances: [{id: 'a:b:c:d', package_provenance: {}}]\n",
     f"scanner.provenances[0]: {NO_MATCH} at line 5 column 17"),
    ("  provenances: [{id: 'a:b:c:d', package_provenance: !!null x}]\n",
     "scanner.provenances[0]: invalid value: string \"x\", expected null at line 5 column 17"),
    ("  provenances: [{id: 'a:b:c:d', sub_repositories: ~}]\n",
     "scanner.provenances[0].sub_repositories: invalid type: unit value, expected a map at line 5 column 51"),
    ("  provenances: [{nested_provenance_resolution_issue: ~, nested_provenance_resolution_issue: ~}]\n",
     "scanner.provenances[0]: duplicate field `nested_provenance_resolution_issue` at line 5 column 17"),
    ("  provenances: [{id: 'a:b:c:d', package_provenance_resolution_issue: {}}]\n",
     "scanner.provenances[0].package_provenance_resolution_issue: missing field `timestamp` at line 5 column 70"),
    ("  provenances: [{id: 'a:b:c:d', issue: x}]\n",
     "scanner.provenances[0]: unknown field `issue`, expected one of `id`, `package_provenance`, `sub_repositories`, "
     "`package_provenance_resolution_issue`, `nested_provenance_resolution_issue` at line 5 column 33"),
    ("  provenances: []\n  files: [{}]\n", "scanner.files[0]: missing field `provenance` at line 6 column 11"),
    ("  provenances: []\n  files: [{provenance: ~}]\n", "scanner.files[0]: missing field `files` at line 6 column 11"),
    ("  provenances: []\n  files: [{provenance: x, files: []}]\n", f"scanner.files[0]: {NO_MATCH} at line 6 column 11"),
    ("  provenances: []\n  files: [{provenance: ~, provenance: ~}]\n",
     "scanner.files[0]: duplicate field `provenance` at line 6 column 11"),
    ("  provenances: []\n  files: {}\n", "scanner.files: invalid type: map, expected a sequence at line 6 column 10"),
    ("  provenances: []\n  files: [{provenance: ~, files: ~}]\n",
     "scanner.files[0].files: invalid type: unit value, expected a sequence at line 6 column 34"),
    ("  provenances: []\n  files: [{provenance: ~, files: [{path: a, sha1: b, size: 1}]}]\n",
     "scanner.files[0].files[0]: unknown field `size`, expected `path` or `sha1` at line 6 column 54"),
    ("  provenances: []\n  files: [{provenance: ~, files: [{path: a}]}]\n",
     "scanner.files[0].files[0]: missing field `sha1` at line 6 column 35"),
    ("  provenances: []\n  files: [{provenance: ~, files: [~]}]\n",
     "scanner.files[0].files[0]: invalid type: unit value, expected struct FileListEntry at line 6 column 35"),
    ("  provenances: []\n  files: [{provenance: ~, files: [{path: [a]}]}]\n",
     "scanner.files[0].files[0].path: invalid type: sequence, expected a string at line 6 column 42"),
])
def test_provenance_and_file_list_errors(body, message):
    assert error_of(scanner("  config:\n  scanners:\n" + body)) == message


# Real results of the ORT tool in the current shape (provenances, scan results, scanners, files).
CURRENT = ["ext-pixxzr-copyleft-scan-result.yml", "ort-evaluated-model-reporter-input.yml",
           "ort-scanner-integration-all-pkgs.yml", "ort-spdx-disclosure-cli.yml"]


def real_text(name):
    text = (ORTDATA / name).read_text()
    # A test template: the tool's own tests fill in these values before reading it.
    for key, value in (("JDK", "j"), ("JAVA", "17"), ("OS", "Linux"), ("PROCESSORS", "8"), ("MAX_MEMORY", "64")):
        text = text.replace(f'"<REPLACE_{key}>"', value if key in ("PROCESSORS", "MAX_MEMORY") else f'"{value}"')
    return text


def top_level(text, key):
    """The block of one top-level key, with its indented lines."""
    start = text.index(f"\n{key}:") + 1
    end = start
    while True:
        end = text.find("\n", end) + 1
        if end == 0 or (end < len(text) and text[end] not in " -#\n"):
            return text[start:end or len(text)]


def without_config(scanner_block):
    """The scanner block with an empty `config`."""
    start = scanner_block.index("\n  config:") + 1
    end = scanner_block.index("\n  ", start) + 1
    while scanner_block.startswith("    ", end):
        end = scanner_block.index("\n", end) + 1
    return scanner_block[:start] + "  config:\n" + scanner_block[end:]


def raw_scanner(text):
    import yaml

    class Loader(getattr(yaml, "CSafeLoader", yaml.SafeLoader)):
        pass

    # Verbatim tags such as !<.FileBasedStorageConfiguration> in the scanner configuration.
    Loader.add_multi_constructor(".", lambda loader, suffix, node: None)
    return yaml.load(text, Loader=Loader)["scanner"]


def finding(raw, keys):
    return {k: raw.get(k) for k in keys}


def check_scanner_part(doc, raw):
    tree = json.loads(doc.to_json())["scanner"]
    assert [r["id"] for r in tree["provenances"]] == list(dict.fromkeys(r["id"] for r in raw["provenances"]))
    results = tree["scan_results"]
    assert len(results) == len(raw["scan_results"])
    for ours, theirs in zip(results, raw["scan_results"]):
        assert ours["scanner"] == theirs["scanner"]
        summary, raw_summary = ours["summary"], theirs["summary"]
        # Every license and copyright finding kept, in document order.
        assert summary["licenses"] == [finding(f, ("license", "location", "score"))
                                       for f in raw_summary.get("licenses") or []]
        assert summary["copyrights"] == [finding(f, ("statement", "location"))
                                         for f in raw_summary.get("copyrights") or []]
        assert len(summary["snippets"]) == len(raw_summary.get("snippets") or [])
        assert len(summary["issues"]) == len(raw_summary.get("issues") or [])
    assert tree["scanners"] == {k: list(dict.fromkeys(v)) for k, v in (raw.get("scanners") or {}).items()}
    raw_config = raw["config"] or {}
    assert tree["config"]["scanners"] == raw_config.get("scanners", raw_config.get("config"))
    assert [len(f["files"]) for f in tree["files"]] == [len(f["files"]) for f in raw.get("files") or []]
    for text in (doc.to_yaml(), doc.to_json()):
        assert OrtResult.from_yaml_str(text).to_json() == doc.to_json()


@pytest.mark.parametrize("name", CURRENT)
def test_real_scanner_parts(name):
    text = real_text(name)
    part = top_level(text, "repository") + top_level(text, "scanner")
    check_scanner_part(OrtResult.from_yaml_str(part), raw_scanner(text))


def test_real_scanner_parts_keep_every_license_finding():
    counts = {}
    for name in ("ext-pixxzr-copyleft-scan-result.yml", "ort-spdx-disclosure-cli.yml"):
        text = real_text(name)
        part = top_level(text, "repository") + top_level(text, "scanner")
        run = OrtResult.from_yaml_str(part).scanner
        findings = [f for r in run.scan_results for f in r.summary.licenses]
        counts[name] = (len(findings), len({(r.provenance.to_json(), f.license)
                                            for r in run.scan_results for f in r.summary.licenses}))
    # Told apart by license text alone, these would keep 49 and 22 findings.
    assert counts == {"ext-pixxzr-copyleft-scan-result.yml": (204, 49), "ort-spdx-disclosure-cli.yml": (216, 22)}


@pytest.mark.parametrize("name", CURRENT)
def test_real_whole_documents(name):
    text = real_text(name)
    check_scanner_part(OrtResult.from_yaml_str(text), raw_scanner(text))


@pytest.mark.parametrize("name, message", [
    ("ort-advisor-vuln-refs-2022.yml", "scanner: missing field `provenances` at line 14 column 3"),
    ("ort-static-html-input-2023.yml",
     "scanner.scan_results: invalid type: map, expected a sequence at line 58 column 5"),
])
def test_real_scanner_parts_of_older_shape(name, message):
    # Older results keep their scan results by package, without provenances or file lists.
    text = real_text(name)
    assert error_of(top_level(text, "repository") + without_config(top_level(text, "scanner"))) == message
