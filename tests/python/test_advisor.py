"""The advisor part of an ORT result: paths and placement in a document, Python forms, round trip."""
import json
import math

import pytest

from dorvek.ort import OrtResult

REPOSITORY = "repository: {vcs: {revision: ''}, vcs_processed: {revision: ''}, config: {}}\n"
HEADER = ("  start_time: s\n  end_time: e\n"
          "  environment: {ort_version: '1', build_jdk: j, java_version: '17', os: Linux, processors: 8,"
          " max_memory: 1}\n  config: {}\n")
RESULT = "    - advisor: {name: n}\n      summary: {start_time: a, end_time: b}\n"


def advisor(body):
    return REPOSITORY + "advisor:\n" + HEADER + body


@pytest.mark.parametrize("text, message", [
    (REPOSITORY + "advisor:\n  start_time: s\n", "advisor: missing field `config` at line 3 column 3"),
    (REPOSITORY + "advisor:\n  config: {}\n", "advisor: missing field `start_time` at line 3 column 3"),
    (advisor("  results:\n    a:b:c: []\n"),
     "advisor.results: Field 'identifier' is invalid: must be in the format 'type:namespace:name:version' "
     "at line 8 column 5"),
    (advisor("  results:\n    a:b:c:d:\n" + RESULT + "    - {advisor: {name: n, capabilities: [1, defects]}}\n"),
     "advisor.results.a:b:c:d[1].advisor.capabilities: invalid AdvisorCapability value: defects "
     "at line 11 column 41"),
    (advisor("  results:\n    a:b:c:d:\n" + RESULT + "      vulnerabilities: [{id: a, references: []},"
             " {id: b, references: []}, {id: c, references: [{severity: 1}]}]\n"),
     "advisor.results.a:b:c:d[0].vulnerabilities[2].references[0]: missing field `url` at line 11 column 96"),
    (advisor("  results:\n    a:b:c:d:\n" + RESULT + "      defects:\n      - {id: 1, url: u}\n"
             "      - {id: 2, url: u, labels: {k: [v]}}\n"),
     "advisor.results.a:b:c:d[0].defects[1].labels.k: invalid type: sequence, expected a string at line 13 column 37"),
    (advisor("  results:\n    a:b:c:d:\n    - advisor: {name: n}\n      summary: {start_time: a, ende_time: b}\n"),
     "advisor.results.a:b:c:d[0].summary: unknown field `ende_time`, expected one of `start_time`, `end_time`, "
     "`issues` at line 10 column 32"),
    (REPOSITORY + "advisor: 'null'\n",
     "advisor: invalid type: string \"null\", expected struct AdvisorRun at line 2 column 10"),
])
def test_reading_errors_in_a_document(text, message):
    with pytest.raises(ValueError) as info:
        OrtResult.from_yaml_str(text)
    assert str(info.value) == message


@pytest.mark.parametrize("value", ["", "~", "null", "!!null null"])
def test_absent_run(value):
    doc = OrtResult.from_yaml_str(REPOSITORY + "advisor: " + value + "\n")
    assert doc.advisor is None
    assert json.loads(doc.to_json())["advisor"] is None


FULL = advisor(
    "  extra: dropped\n"
    "  provider_issues:\n  - {timestamp: t, source: VulnerableCode, message: down, severity: 2}\n"
    "  results:\n"
    "    Maven:org.example:lib:1.0:\n"
    "    - advisor: {name: VulnerableCode, capabilities: [VULNERABILITIES, 1, DEFECTS]}\n"
    "      summary: {start_time: 2024, end_time: true, issues: []}\n"
    "      vulnerabilities:\n"
    "      - id: CVE-1\n"
    "        summary: '~'\n"
    "        references:\n"
    "        - {url: u1, scoring_system: CVSS3, severity: HIGH, score: 7}\n"
    "        - {url: u2, score: .NaN}\n"
    "        - {url: u3, score: -.inf}\n"
    "        first_fixed_versions: ['1.0', '1.0', 1.00]\n"
    "    'NPM::x:':\n"
    "    - advisor: {name: GitHubDefects, capabilities: []}\n"
    "      summary: {start_time: a, end_time: b}\n"
    "      defects:\n"
    "      - {id: 1, url: u, severity: 3, creation_time: yesterday, labels: {b: x, a: ~, b: y}}\n"
    "    Go::y:2:\n")


def test_python_forms():
    run = OrtResult.from_yaml_str(FULL).advisor
    assert type(run).__name__ == "AdvisorRun"
    assert list(run.keys()) == ["start_time", "end_time", "environment", "config", "provider_issues", "results"]
    assert run.provider_issues[0].severity == "WARNING"
    assert type(run.results) is dict
    assert list(run.results) == ["Maven:org.example:lib:1.0", "NPM::x:", "Go::y:2"]
    assert run.results["Go::y:2"] == []
    lib = run.results["Maven:org.example:lib:1.0"][0]
    assert type(lib).__name__ == "AdvisorResult"
    assert sorted(lib.advisor.capabilities) == ["DEFECTS", "VULNERABILITIES"]
    assert (lib.summary.start_time, lib.summary.end_time, lib.defects) == ("2024", "true", [])
    vulnerability = lib.vulnerabilities[0]
    assert (vulnerability.summary, vulnerability.description) == ("~", None)
    assert sorted(vulnerability.first_fixed_versions) == ["1.0", "1.00"]
    scores = [r.score for r in vulnerability.references]
    assert scores[0] == 7.0 and type(scores[0]) is float
    assert math.isnan(scores[1]) and scores[2] == -math.inf
    assert vulnerability.references[1].scoring_system is None
    npm = run.results["NPM::x:"][0]
    assert npm.advisor.capabilities == []
    defect = npm.defects[0]
    assert (defect.id, defect.severity, defect.creation_time, defect.title) == ("1", "3", "yesterday", None)
    assert defect.labels == {"b": "y", "a": "~"}

    tree = json.loads(OrtResult.from_yaml_str(FULL).to_json())["advisor"]
    assert list(tree) == ["start_time", "end_time", "environment", "config", "provider_issues", "results"]
    assert [r["score"] for r in tree["results"]["Maven:org.example:lib:1.0"][0]["vulnerabilities"][0]["references"]] \
        == [7.0, None, None]
    yaml_text = OrtResult.from_yaml_str(FULL).to_yaml()
    assert "score: .nan\n" in yaml_text and "score: -.inf\n" in yaml_text
    assert "extra" not in yaml_text


def without_nan(tree):
    for results in tree["advisor"]["results"].values():
        for result in results:
            for vulnerability in result["vulnerabilities"]:
                vulnerability["references"] = [r for r in vulnerability["references"]
                                               if r["score"] is None or not math.isnan(r["score"])]
    return tree


def test_round_trip():
    doc = OrtResult.from_yaml_str(FULL)
    again = OrtResult.from_yaml_str(doc.to_yaml())
    assert again.to_yaml() == doc.to_yaml()
    assert without_nan(again.to_dict()) == without_nan(doc.to_dict())
    # JSON has no infinity: those scores come back as none.
    from_json = OrtResult.from_yaml_str(doc.to_json()).advisor
    assert [r.score for r in from_json.results["Maven:org.example:lib:1.0"][0].vulnerabilities[0].references] \
        == [7.0, None, None]
