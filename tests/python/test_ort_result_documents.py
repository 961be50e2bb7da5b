"""Real ORT results: every file of a shape the model reads loads whole and round-trips; the others fail as stated."""
import json
import pathlib

import pytest

from dorvek.ort import OrtResult

ORTDATA = pathlib.Path(__file__).resolve().parents[1] / "data" / "ort-result"
REPO = "repository: {vcs: {revision: r}, vcs_processed: {revision: r}, config: }\n"

SCANNER_CONFIG = ("scanner.config: unknown field `config`, expected one of `skip_concluded`, `skip_excluded`, "
                  "`include_files_without_findings`, `archive`, `detected_license_mapping`, `file_list_storage`, "
                  "`scanners`, `storages`, `storage_readers`, `storage_writers`, `ignore_patterns`, "
                  "`provenance_storage` at line {} column 5")

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
    # Scanner and advisor settings held under `config`.
    "ext-pixxzr-copyleft-scan-result.yml": SCANNER_CONFIG.format(1451),
    "ort-spdx-disclosure-cli.yml": SCANNER_CONFIG.format(404),
    "ort-evaluated-model-reporter-input.yml":
        "advisor.config: unknown field `config`, expected `skip_excluded` or `advisors` at line 778 column 5",
}


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


def test_files_are_present():
    names = {p.name for p in ORTDATA.glob("*.yml")}
    assert set(NOT_READ) < names and len(names - set(NOT_READ)) >= 5


def section(text, key):
    """The top-level section `key:` of a document's text, up to the next top-level key."""
    start = text.index("\n" + key + ":\n") + 1
    end = text.index("\n", start)
    while end + 1 < len(text) and text[end + 1] == " ":
        end = text.index("\n", end + 1)
    return text[start:end + 1]


def with_default_config(run):
    """A run's text with its `config` block replaced by an empty one."""
    lines, skipping = [], False
    for line in run.splitlines(keepends=True):
        if skipping and line.startswith("    "):
            continue
        skipping = line.startswith("  config:")
        lines.append("  config: {}\n" if skipping else line)
    return "".join(lines)


def test_real_advisor_run():
    # The advisor part of a full result on a minimal repository, its configuration (under `config`, a shape
    # the model does not read) left at the defaults.
    text = section(filled(ORTDATA / "ort-evaluated-model-reporter-input.yml"), "advisor")
    doc = OrtResult.from_yaml_str(REPO + with_default_config(text))
    run = doc.advisor
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
