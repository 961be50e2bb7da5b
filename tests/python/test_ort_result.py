"""ORT result: the document root, the repository, the evaluator run and its rule violations."""
import json
import pathlib

import pytest

from dorvek.ort import EvaluatorRun, Object, OrtResult, RuleViolation

ORTDATA = pathlib.Path(__file__).resolve().parents[1] / "data" / "ort-result"

REPO = "repository: {vcs: {revision: r}, vcs_processed: {revision: r}, config: }\n"
ENV = "  environment: {ort_version: '1', build_jdk: j, java_version: '17', os: Linux, processors: 8, max_memory: 64}\n"
HEADER = "  start_time: s\n  end_time: e\n" + ENV
VIOLATION = "  - {rule: r, severity: HINT, message: m, how_to_fix: h}\n"
ONE_MORE_DOC = "deserializing from YAML containing more than one document is not supported"


def error_of(text):
    with pytest.raises(ValueError) as info:
        OrtResult.from_yaml_str(text)
    return str(info.value)


@pytest.mark.parametrize("text, message", [
    ("", "missing field `repository`"),
    ("# only a comment\n", "missing field `repository` at line 2 column 1"),
    ("---\n", "missing field `repository` at line 2 column 1"),
    ("[]\n", "invalid type: sequence, expected struct OrtResult"),
    ("null\n", "invalid type: unit value, expected struct OrtResult"),
    ("''\n", "invalid type: string \"\", expected struct OrtResult"),
    ("labels: {}\n", "missing field `repository`"),
    ("? [a]\n: 1\n" + REPO, "invalid type: sequence, expected field identifier at line 1 column 3"),
    (REPO + "labels: {a: 1}\nlabels: {a: 1}\n", "duplicate field `labels`"),
    (REPO + REPO, "duplicate field `repository`"),
    (REPO + "labels: []\n", "labels: invalid type: sequence, expected a map at line 2 column 9"),
    # The content of the first document comes before anything after it.
    ("{labels: {}}\n---\n]\n", "missing field `repository`"),
    (REPO + "labels: {a: [x]}\n---\n", "labels.a: invalid type: sequence, expected a string at line 2 column 13"),
    (REPO + "---\n", ONE_MORE_DOC),
    (REPO + "--- x\n", ONE_MORE_DOC),
    (REPO + "---\n]\n", ONE_MORE_DOC),
    ("{" + REPO.strip() + "}\n]\n", ONE_MORE_DOC),
    (REPO + "labels: {a: b\n", "did not find expected ',' or '}' at line 3 column 1, while parsing a flow mapping "
                             "at line 2 column 9"),
    (REPO + "evaluator: !!null ''\n", "evaluator: invalid value: string \"\", expected null at line 2 column 12"),
    # A plain empty text under the null tag is no null form; it stands at the root's start, shown without position.
    (REPO + "evaluator: !!null\n", "invalid value: string \"\", expected null"),
])
def test_root_errors(text, message):
    assert error_of(text) == message


def test_root_of_repository_only():
    doc = OrtResult.from_yaml_str(REPO)
    assert doc.keys() == ["repository", "analyzer", "scanner", "advisor", "evaluator", "labels"]
    assert [doc[k] for k in doc.keys()[1:]] == [None, None, None, None, {}]
    assert json.loads(doc.to_json()) == {
        "repository": {"vcs": {"type": "", "url": "", "revision": "r", "path": ""},
                       "vcs_processed": {"type": "", "url": "", "revision": "r", "path": ""},
                       "nested_repositories": {},
                       "config": {"analyzer": None, "includes": None, "excludes": None, "resolutions": None,
                                  "curations": None, "package_configurations": [], "license_choices": None,
                                  "snippet_choices": []}},
        "analyzer": None, "scanner": None, "advisor": None, "evaluator": None, "labels": {}}
    assert doc.to_yaml().endswith("analyzer: null\nscanner: null\nadvisor: null\nevaluator: null\nlabels: {}\n")
    assert OrtResult.from_yaml_str(REPO + "...\n").to_json() == doc.to_json()


def test_root_skips_undeclared_keys_and_reads_labels():
    doc = OrtResult.from_yaml_str(
        "extra: &x {a: [[[{b: !x c}]]], d: *x}\n" + REPO + "Repository: [1, *x]\nextra: 2\n"
        "analyzer:\nscanner: ~\nadvisor: null\nevaluator: Null\n"
        "labels: {a: 1, b: true, c: ~, d: , a: 2}\n")
    assert doc.to_dict()["labels"] == {"a": "2", "b": "true", "c": "~", "d": ""}
    assert [doc.analyzer, doc.scanner, doc.advisor, doc.evaluator] == [None] * 4
    assert "extra" not in doc and "Repository" not in doc.to_json() and "extra" not in doc.to_yaml()


@pytest.mark.parametrize("run", ["analyzer", "scanner", "advisor"])
def test_present_runs_are_read_by_their_own_readers(run):
    # A run without its required keys never passes as absent.
    assert run in error_of(REPO + run + ": {}\n")


@pytest.mark.parametrize("body, message", [
    ("{vcs_processed: {revision: r}}", "repository: missing field `vcs` at line 1 column 13"),
    ("{vcs: {revision: r}, nested_repositories: {}}", "repository: missing field `vcs_processed` at line 1 column 13"),
    ("{vcs: {revision: r}, vcs_processed: {revision: r}}", "repository: missing field `config` at line 1 column 13"),
    ("", "repository: missing field `vcs` at line 1 column 12"),
    ("null", "repository: invalid type: unit value, expected struct Repository at line 1 column 13"),
    ("{vcs: {revision: r}, vcs: {revision: r}}", "repository: duplicate field `vcs` at line 1 column 13"),
    ("{vcs: {revision: r}, vcs_processed: {revision: r}, config: , url: x}",
     "repository: unknown field `url`, expected one of `vcs`, `vcs_processed`, `nested_repositories`, `config` "
     "at line 1 column 74"),
    ("{nested_repositories: null}",
     "repository.nested_repositories: invalid type: unit value, expected a map at line 1 column 35"),
    ("{nested_repositories: {a: {}}}",
     "repository.nested_repositories.a: missing field `revision` at line 1 column 39"),
    ("{vcs: {revision: r}, vcs_processed: {revision: r}, config: []}",
     "repository.config: invalid type: sequence, expected struct RepositoryConfiguration at line 1 column 72"),
    # A reason error made without a position takes the embedded exclude's start and path.
    ("{vcs: {revision: r}, vcs_processed: {revision: r}, config: {excludes: {scopes: [{pattern: a, reason: 99}]}}}",
     "repository.config.excludes.scopes[0]: invalid ScopeExcludeReason value: 99 at line 1 column 93"),
])
def test_repository_errors(body, message):
    assert error_of("repository: " + body + "\n") == message


@pytest.mark.parametrize("extra, nested", [
    ("", {}),
    (", nested_repositories: ", {}),
    (", nested_repositories: {}", {}),
    (", nested_repositories: {a: {revision: x}, b: {revision: y}, a: {revision: z, url: u}}",
     {"a": ("u", "z"), "b": ("", "y")}),
])
def test_repository_fields(extra, nested):
    for config in ("config: ", "config: {}"):
        doc = OrtResult.from_yaml_str("repository: {vcs: {revision: r, url: u1}, vcs_processed: {revision: p}, "
                                      + config + extra + "}\n")
        repo = doc.repository
        assert (repo.__type__, repo.vcs.url, repo.vcs_processed.revision) == ("Repository", "u1", "p")
        assert type(repo.nested_repositories) is dict
        assert {k: (v.url, v.revision) for k, v in repo.nested_repositories.items()} == nested
        assert repo.config.__type__ == "RepositoryConfiguration"
        assert json.loads(doc.to_json())["repository"]["nested_repositories"].keys() == nested.keys()


def evaluator(body):
    return REPO + "evaluator:\n" + body


def at_run(message, line=3, column=3):
    return f"evaluator: {message} at line {line} column {column}"


@pytest.mark.parametrize("body, message", [
    ("  violations: []\n", at_run("missing field `start_time`")),
    ("  start_time: s\n" + ENV, at_run("missing field `end_time`")),
    ("  start_time: s\n  end_time: e\n", at_run("missing field `environment`")),
    (HEADER + "  start_time: s\n", at_run("duplicate field `start_time`")),
    # The run's own keys are read first: their failures come before any of the header's.
    ("  start_time: 1\n  violations:\n  - {rule: r}\n", "evaluator.violations[0]: missing field `severity` at line 5 column 5"),
    ("  start_time: s\n  start_time: s\n  violations: 5\n",
     "evaluator.violations: invalid type: integer `5`, expected a sequence at line 5 column 15"),
    ("  violations: []\n  violations: 5\n", at_run("duplicate field `violations`")),
    (HEADER + "  violations: {}\n", "evaluator.violations: invalid type: map, expected a sequence at line 6 column 15"),
    ("  violations:\n  - {rule: r}\n  violations: 5\n", "evaluator.violations[0]: missing field `severity` at line 4 column 5"),
    # Strict typing of the buffered header.
    ("  start_time: 2024\n", at_run("invalid type: integer `2024`, expected a string")),
    # Header entries are taken in document order: a mistyped first one fails before the repetition.
    ("  start_time: 1\n  start_time: s\n", at_run("invalid type: integer `1`, expected a string")),
    ("  start_time: ~\n", at_run("invalid type: unit value, expected a string")),
    ("  start_time:\n", at_run("invalid type: unit value, expected a string")),
    ("  end_time: true\n  start_time: s\n", at_run("invalid type: boolean `true`, expected a string")),
    ("  start_time: s\n  end_time: e\n  environment: {os: 10}\n", at_run("invalid type: integer `10`, expected a string")),
    ("  start_time: s\n  end_time: e\n  environment: {os: o}\n", at_run("missing field `ort_version`")),
    ("  start_time: s\n  end_time: e\n  environment: {processors: '8'}\n",
     at_run("invalid type: string \"8\", expected u32")),
    ("  start_time: s\n  end_time: e\n  environment:\n", at_run("invalid type: unit value, expected struct Environment")),
    # Keys the run does not own are buffered whole, so their values can still fail.
    ("  extra: !x 1\n", "evaluator.extra: untagged and internally tagged enums do not support enum input "
                       "at line 3 column 10"),
    ("  ? [a]\n  : 1\n", "evaluator: invalid type: sequence, expected field identifier at line 3 column 5"),
    # The run's own value kinds.
    ("  !!str\n", at_run("missing field `start_time`", 3, 3)),
    ("  {}\n", at_run("missing field `start_time`", 3, 3)),
    ("  ''\n", at_run("invalid type: string \"\", expected struct EvaluatorRun")),
    ("  []\n", at_run("invalid type: sequence, expected struct EvaluatorRun")),
    ("  [violations]\n", at_run("invalid type: sequence, expected struct EvaluatorRun")),
])
def test_evaluator_run_errors(body, message):
    assert error_of(evaluator(body)) == message


def test_evaluator_run_from_an_alias_fails_at_the_anchor():
    text = REPO + "labels: {}\nextra: &run\n  start_time: 5\nevaluator: *run\n"
    assert error_of(text) == "evaluator: invalid type: integer `5`, expected a string at line 3 column 8"


def test_evaluator_run_header_and_violations():
    doc = OrtResult.from_yaml_str(evaluator(
        "  violations:\n" + VIOLATION + VIOLATION + "  Violations: [x]\n  extra: {a: [1]}\n  end_time: '2024'\n"
        "  start_time: !!str 2024-01-01\n  environment: [o, j, '17', Linux, 4294967295, 18446744073709551615]\n"))
    run = doc.evaluator
    assert type(run) is EvaluatorRun and isinstance(run, Object) and run.__type__ == "EvaluatorRun"
    assert run.keys() == ["start_time", "end_time", "environment", "violations"]
    assert (run.start_time, run.end_time) == ("2024-01-01", "2024")
    assert (run.environment.__type__, run.environment.max_memory, run.environment.variables) == (
        "Environment", 18446744073709551615, {})
    assert len(run.violations) == 2 and run.violations[0] == run.violations[1]
    text = doc.to_json()
    assert list(json.loads(text)["evaluator"]) == ["start_time", "end_time", "environment", "violations"]
    assert "extra" not in text and "Violations" not in text
    assert "\nevaluator:\n  start_time: 2024-01-01\n  end_time: '2024'\n  environment:\n" in doc.to_yaml()

    empty = OrtResult.from_yaml_str(evaluator(HEADER + "  violations:\n"))
    assert empty.evaluator.violations == []
    assert '"violations": []' in empty.to_json() and "  violations: []\n" in empty.to_yaml()


def violation(fields):
    return evaluator(HEADER + "  violations:\n  - " + fields + "\n")


def at_violation(message, column=5):
    return f"evaluator.violations[0]: {message} at line 7 column {column}"


@pytest.mark.parametrize("fields, message", [
    ("{rule: r}", at_violation("missing field `severity`")),
    ("{pkg: 'a:b:c:d'}", at_violation("missing field `rule`")),
    ("{rule: r, severity: HINT}", at_violation("missing field `message`")),
    ("{rule: r, severity: HINT, message: m}", at_violation("missing field `how_to_fix`")),
    ("", at_violation("missing field `rule`", 4)),
    ("{rule: r, rule: r}", at_violation("duplicate field `rule`")),
    ("{rule: r, id: x}", at_violation("unknown field `id`, expected one of `rule`, `pkg`, `license`, "
                                      "`license_sources`, `severity`, `message`, `how_to_fix`", 15)),
    ("{severity: error}", at_violation("invalid Severity value: error")),
    ("{severity: 0}", at_violation("invalid Severity value: 0")),
    ("{severity: 4}", at_violation("invalid Severity value: 4")),
    ("{pkg: ''}", at_violation("Field 'identifier' is invalid: must be in the format 'type:namespace:name:version'")),
    ("{pkg: 'a:b:c'}", at_violation("Field 'identifier' is invalid: must be in the format 'type:namespace:name:version'")),
    ("{license_sources: null}",
     "evaluator.violations[0].license_sources: invalid type: unit value, expected a sequence at line 7 column 23"),
    ("{license_sources: [DECLARED, 4]}",
     "evaluator.violations[0].license_sources: invalid LicenseSource value: 4 at line 7 column 23"),
    ("{rule: [r]}", "evaluator.violations[0].rule: invalid type: sequence, expected a string at line 7 column 12"),
    ("x", "evaluator.violations[0]: invalid type: string \"x\", expected struct RuleViolation at line 7 column 5"),
    ("{rule: &k how_to_fix, *k : [x]}",
     "evaluator.violations[0].?: invalid type: sequence, expected a string at line 7 column 32"),
])
def test_rule_violation_errors(fields, message):
    assert error_of(violation(fields)) == message


@pytest.mark.parametrize("extra, expected", [
    ("", {"pkg": None, "license": None, "license_sources": []}),
    ("pkg: , license: ", {"pkg": None, "license": None}),
    ("pkg: ~, license: ''", {"pkg": None, "license": ""}),
    ("pkg: null, license: null", {"pkg": None, "license": None}),
    ("pkg: 'Maven:org.x:y:1.0', license: MIT OR x", {"pkg": "Maven:org.x:y:1.0", "license": "MIT OR x"}),
    ("license_sources: ", {"license_sources": []}),
    ("license_sources: [CONCLUDED]", {"license_sources": ["CONCLUDED"]}),
    ("severity: 3", {"severity": "ERROR"}),
    ("severity: 2, rule: 42, message: true, how_to_fix: ", {"severity": "WARNING", "rule": "42",
                                                            "message": "true", "how_to_fix": ""}),
])
def test_rule_violation_fields(extra, expected):
    fields = {"rule": "r", "severity": "HINT", "message": "m", "how_to_fix": "h"}
    given = dict(fields)
    for item in filter(None, extra.split(", ")):
        key, _, value = item.partition(": ")
        given[key] = value
    text = "{" + ", ".join(f"{k}: {v}" for k, v in given.items()) + "}"
    v = OrtResult.from_yaml_str(violation(text)).evaluator.violations[0]
    assert type(v) is RuleViolation
    assert v.keys() == ["rule", "pkg", "license", "license_sources", "severity", "message", "how_to_fix"]
    for key, value in {**fields, **expected}.items():
        assert v[key] == value, key


def test_license_sources_are_a_set():
    doc = OrtResult.from_yaml_str(violation(
        "{rule: r, license_sources: [DETECTED, 3, DECLARED, 2], severity: 1, message: m, how_to_fix: h}"))
    sources = doc.evaluator.violations[0].license_sources
    assert sorted(sources) == ["DECLARED", "DETECTED"]
    assert json.loads(doc.to_json())["evaluator"]["violations"][0]["license_sources"] == sources
    assert doc.to_yaml().count("    - DE") == 2


def normalised(doc):
    tree = json.loads(doc.to_json())
    for v in (tree["evaluator"] or {}).get("violations", []):
        v["license_sources"].sort()
    return tree


def test_round_trip():
    doc = OrtResult.from_yaml_str(
        "repository:\n  vcs: {type: Git, url: 'https://x', revision: '1', path: p}\n  vcs_processed: {revision: '2'}\n"
        "  nested_repositories: {sub/a: {type: git, revision: '3'}, 'null': {revision: 'true'}}\n  config:\n"
        "evaluator:\n  violations:\n  - {rule: '1', pkg: 'a:b:c:d', license: '', license_sources: [1, 2, 3],"
        " severity: 2, message: \"line\\nnext\", how_to_fix: ' lead'}\n" + VIOLATION + HEADER.replace("s\n", "'007'\n", 1)
        + "labels: {'1': '', x: 'null', y: \"a: b\"}\n")
    for text in (doc.to_yaml(), doc.to_json()):
        again = OrtResult.from_yaml_str(text)
        assert normalised(again) == normalised(doc)
        assert again.evaluator.violations[0].license == "" and again.evaluator.start_time == "007"
    assert doc.labels == {"1": "", "x": "null", "y": "a: b"}


def test_real_document_with_repository_only():
    doc = OrtResult.from_yaml_file(str(ORTDATA / "ort-evaluator-cmd-minimal.yml"))
    assert doc.repository.vcs.to_dict() == {"type": "", "url": "", "revision": "", "path": ""}
    assert doc.evaluator is None and doc.labels == {}
    assert OrtResult.from_yaml_str(doc.to_yaml()).to_json() == doc.to_json()


def test_real_evaluator_run():
    # The evaluator part of a full result, on a minimal repository: the other runs land with their own readers.
    text = (ORTDATA / "ort-evaluated-model-reporter-input.yml").read_text()
    start = text.index("\nevaluator:\n") + 1
    end = text.index("\n", start + len("evaluator:\n"))
    while text[end + 1] == " ":
        end = text.index("\n", end + 1)
    doc = OrtResult.from_yaml_str(REPO + text[start:end + 1])
    run = doc.evaluator
    assert (run.start_time, run.environment.processors, len(run.violations)) == ("1970-01-01T01:09:00Z", 8, 3)
    first = run.violations[0]
    assert (first.rule, first.pkg, first.license_sources, first.severity) == (
        "rule 1", "Ant:junit:junit:4.12", ["DETECTED"], "ERROR")
    for again in (OrtResult.from_yaml_str(doc.to_yaml()), OrtResult.from_yaml_str(doc.to_json())):
        assert normalised(again) == normalised(doc)
