"""Real ORT results: every file of a shape the model reads loads whole and round-trips; the others fail as stated."""
import json
import pathlib

import pytest
import yaml

from dorvek.ort import OrtResult

ORTDATA = pathlib.Path(__file__).resolve().parents[1] / "data" / "ort-result"
REPO = "repository: {vcs: {revision: r}, vcs_processed: {revision: r}, config: }\n"

# The shapes of the ORT result that the model does not read, with the error each file stops at.
NOT_READ = {
    # Advisor results wrapped in `advisor_results` beside `has_issues` (older).
    "ort-advisor-vuln-refs-2022.yml":
        "advisor.results: Field 'identifier' is invalid: must be in the format 'type:namespace:name:version' "
        "at line 4 column 5",
    # An analyzer result carrying `has_issues` (older).
    "ort-static-html-input-2023.yml":
        "analyzer.result: unknown field `has_issues`, expected one of `projects`, `packages`, `issues`, "
        "`dependency_graphs` at line 340 column 5",
}

# Written before ORT 61, these hold tool settings under an older key, read as the current one.
OLDER_KEYS = {
    "ext-pixxzr-copyleft-scan-result.yml": {"scanner": ("config", "scanners")},
    "ort-spdx-disclosure-cli.yml": {"scanner": ("config", "scanners")},
    "ort-evaluated-model-reporter-input.yml": {"advisor": ("config", "advisors")},
}


class VerbatimTagsLoader(getattr(yaml, "CSafeLoader", yaml.SafeLoader)):
    """Reads ORT's verbatim tags, such as those of scan storages, as no value."""


VerbatimTagsLoader.add_multi_constructor(".", lambda loader, suffix, node: None)


def filled(path):
    """The file's text; test templates get their numeric placeholders filled in, as their tests do."""
    text = path.read_text(encoding="utf-8")
    return text.replace('"<REPLACE_PROCESSORS>"', "4").replace('"<REPLACE_MAX_MEMORY>"', "4096")


@pytest.mark.parametrize("path", sorted(ORTDATA.glob("*.yml")), ids=lambda p: p.name)
def test_real_documents(path):
    try:
        doc = OrtResult.from_yaml_str(filled(path))
    except ValueError as error:
        assert str(error) == NOT_READ.get(path.name)
        return
    assert path.name not in NOT_READ
    tree = doc.to_dict()
    assert json.loads(doc.to_json()).keys() == tree.keys()
    for text in (doc.to_yaml(), doc.to_json()):
        assert OrtResult.from_yaml_str(text).to_dict() == tree
    # An older key is written under the current name.
    written = yaml.load(doc.to_yaml(), Loader=getattr(yaml, "CSafeLoader", yaml.SafeLoader))
    given = yaml.load(filled(path), Loader=VerbatimTagsLoader)
    for run, (older, name) in OLDER_KEYS.get(path.name, {}).items():
        assert older in given[run]["config"] and name not in given[run]["config"]
        assert name in written[run]["config"] and older not in written[run]["config"]
        assert tree[run]["config"][name] == given[run]["config"][older]


def test_files_are_present():
    names = {p.name for p in ORTDATA.glob("*.yml")}
    assert set(NOT_READ) | set(OLDER_KEYS) < names and len(names - set(NOT_READ)) >= 8


def section(text, key):
    """The top-level section `key:` of a document's text, up to the next top-level key."""
    start = text.index("\n" + key + ":\n") + 1
    end = text.index("\n", start)
    while end + 1 < len(text) and text[end + 1] == " ":
        end = text.index("\n", end + 1)
    return text[start:end + 1]


def test_real_advisor_run():
    # The advisor part of a full result on a minimal repository.
    text = section(filled(ORTDATA / "ort-evaluated-model-reporter-input.yml"), "advisor")
    doc = OrtResult.from_yaml_str(REPO + text)
    run = doc.advisor
    assert run.config.advisors == {"Vulnerable_code": {"options": {"server_url": "http://localhost:8000"}}}
    assert (run.start_time, run.environment.processors) == ("1970-01-01T01:01:00Z", 8)
    assert [i.message for i in run.provider_issues] == ["Example provider issue."]
    assert list(run.results) == ["Maven:org.apache.commons:commons-text:1.1"]
    result = run.results["Maven:org.apache.commons:commons-text:1.1"][0]
    assert (result.advisor.name, result.advisor.capabilities, result.defects) == ("VulnerableCode", None, [])
    assert [i.severity for i in result.summary.issues] == ["ERROR", "ERROR", "WARNING", "HINT"]
    reference = result.vulnerabilities[0].references[0]
    assert (reference.url, reference.severity, reference.score) == ("https://registry.vulnerability-url/", "ERROR", None)
    for again in (OrtResult.from_yaml_str(doc.to_yaml()), OrtResult.from_yaml_str(doc.to_json())):
        assert again.to_dict() == doc.to_dict()
