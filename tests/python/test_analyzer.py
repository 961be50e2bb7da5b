"""The analyzer part of an ORT result: run, result, packages, projects, scope trees, dependency graphs."""
import json
import pathlib
import textwrap

import pytest

from dorvek.ort import OrtResult

ORTDATA = pathlib.Path(__file__).resolve().parents[1] / "data" / "ort-result"

# Line 1 is the repository, line 2 `analyzer:`, line 7 `  result:`; a result body starts on line 8.
REPOSITORY = "repository: {vcs: {revision: r}, vcs_processed: {revision: r}, config: {}}\n"
RUN = ("analyzer:\n  start_time: s\n  end_time: e\n"
       "  environment: {ort_version: '1', build_jdk: j, java_version: '17', os: L, processors: 1, max_memory: 1}\n"
       "  config: {}\n")


def run(body):
    return REPOSITORY + RUN + textwrap.indent(body, "  ")


def result(body):
    return REPOSITORY + RUN + "  result:\n" + textwrap.indent(body, "    ")


def read(text):
    return OrtResult.from_yaml_str(text)


def error(text):
    with pytest.raises(ValueError) as info:
        read(text)
    return str(info.value)


def flow(fields):
    return "{" + ", ".join(f"{k}: {v}" for k, v in fields.items()) + "}"


PACKAGE = {"id": "'Maven:org.example:lib:1.0'", "purl": "p", "declared_licenses": "[MIT]",
           "declared_licenses_processed": "{}", "description": "d", "homepage_url": "h",
           "binary_artifact": "{url: b}", "source_artifact": "{url: s}", "vcs": "{revision: r}",
           "vcs_processed": "{revision: r}"}
PROJECT = {"id": "'SBT:org.example:app:1.0'", "definition_file_path": "build.sbt", "declared_licenses": "[]",
           "declared_licenses_processed": "{}", "vcs": "{revision: r}", "vcs_processed": "{revision: r}",
           "homepage_url": "h"}


def package(**changes):
    return flow({**PACKAGE, **changes})


def project(**changes):
    return flow({**PROJECT, **changes})


def with_graph(body):
    return result("projects: []\npackages: []\ndependency_graphs:\n  g:\n" + textwrap.indent(body, "    "))


def with_scope(dependencies):
    return result(f"packages: []\nprojects:\n- {project(scopes=f'[{{name: s, dependencies: {dependencies}}}]')}\n")


def analyzer(text):
    return read(text).to_dict()["analyzer"]


def graph(text):
    return analyzer(text)["result"]["dependency_graphs"]["g"]


@pytest.mark.parametrize("text, message", [
    (REPOSITORY + "analyzer: {}\n", "analyzer: missing field `config` at line 2 column 11"),
    (REPOSITORY + "analyzer: !x\n", "analyzer: missing field `config` at line 2 column 11"),
    (REPOSITORY + "analyzer:\n  config: ~\n", "analyzer.config: invalid type: unit value, expected struct "
                                               "AnalyzerConfiguration at line 3 column 11"),
    (REPOSITORY + "analyzer: [config]\n", "analyzer: invalid type: sequence, expected struct AnalyzerRun at line 2 "
                                          "column 11"),
    (REPOSITORY + "analyzer:\n  start_time: s\n  Config: {}\n", "analyzer: missing field `config` at line 3 column 3"),
    (REPOSITORY + "analyzer:\n  config: {}\n  end_time: e\n", "analyzer: missing field `start_time` at line 3 column 3"),
    (REPOSITORY + "analyzer:\n  start_time: s\n  start_time: t\n  config: {}\n  config: {}\n",
     "analyzer: duplicate field `config` at line 3 column 3"),
    (run("start_time: t\n"), "analyzer: duplicate field `start_time` at line 3 column 3"),
    (run("result: ~\nresult: {projects: [], packages: []}\n"), "analyzer: duplicate field `result` at line 3 column 3"),
    (run("comment: !x 1\n"),
     "analyzer.comment: untagged and internally tagged enums do not support enum input at line 7 column 12"),
    (run("result: {}\n"), "analyzer.result: missing field `projects` at line 7 column 11"),
    (run("result: !x\n"), "analyzer.result: missing field `projects` at line 7 column 11"),
    (run("result: !!null x\n"), "analyzer: invalid value: string \"x\", expected null at line 3 column 3"),
    (result("projects: []\n"), "analyzer.result: missing field `packages` at line 8 column 5"),
    (result("packages: []\nProjects: []\n"), "analyzer.result: unknown field `Projects`, expected one of `projects`, "
                                             "`packages`, `issues`, `dependency_graphs` at line 9 column 5"),
    (result("projects: []\npackages: ~\n"),
     "analyzer.result.packages: invalid type: unit value, expected a sequence at line 9 column 15"),
    (result("projects: []\npackages: []\nprojects: []\n"), "analyzer.result: duplicate field `projects` at line 8 "
                                                           "column 5"),
    (result("projects: []\npackages: []\nissues:\n  'a:b:c:d': []\n  'a:b:c': []\n"),
     "analyzer.result.issues: Field 'identifier' is invalid: must be in the format 'type:namespace:name:version' at "
     "line 11 column 7"),
    (result("projects: []\npackages: []\ndependency_graphs: ~\n"),
     "analyzer.result.dependency_graphs: invalid type: unit value, expected a map at line 10 column 24"),
    (result("projects: []\npackages: []\ndependency_graphs: {[g]: {}}\n"),
     "analyzer.result.dependency_graphs: invalid type: sequence, expected a string at line 10 column 25"),
])
def test_run_and_result_errors(text, message):
    assert error(text) == message


def test_run_and_result_values():
    run_tree = analyzer(run("comment: [dropped]\nresult:\n"))
    assert list(run_tree) == ["start_time", "end_time", "environment", "config", "result"]
    assert run_tree["result"] is None
    doc = read(result("packages:\nprojects: []\n"))
    assert doc.analyzer.result.to_dict() == {"projects": [], "packages": [], "issues": {}, "dependency_graphs": {}}
    assert json.loads(doc.to_json())["analyzer"]["result"]["issues"] == {}
    issues = analyzer(result("projects: []\npackages: []\nissues:\n  'a:b:c:d': [{timestamp: t, source: s, message: m, "
                             "severity: HINT}]\n  'a:b:c:d': []\n"))["result"]["issues"]
    assert issues == {"a:b:c:d": []}


def missing_order_cases(fields, name):
    keys = list(fields)
    for i, key in enumerate(keys):
        # The keys before the missing one, in reverse, so the order is not the document's.
        given = {k: fields[k] for k in reversed(keys[:i])}
        yield pytest.param(name, flow(given), key, id=f"{name}-{key}")


@pytest.mark.parametrize("kind, mapping, missing",
                         [*missing_order_cases(PACKAGE, "packages"), *missing_order_cases(PROJECT, "projects")])
def test_missing_key_order(kind, mapping, missing):
    other = "projects" if kind == "packages" else "packages"
    text = result(f"{other}: []\n{kind}:\n- {mapping}\n")
    assert error(text) == f"analyzer.result.{kind}[0]: missing field `{missing}` at line 10 column 7"


@pytest.mark.parametrize("element, message", [
    ("", "analyzer.result.packages[0]: missing field `id` at line 10 column 6"),
    (package(scopes="[]"), "analyzer.result.packages[0]: unknown field `scopes`, expected one of `id`, `purl`, `cpe`, "
                           "`authors`, `declared_licenses`, `declared_licenses_processed`, `concluded_license`, "
                           "`description`, `homepage_url`, `binary_artifact`, `source_artifact`, `vcs`, "
                           "`vcs_processed`, `is_metadata_only`, `is_modified`, `source_code_origins`, `labels` at line "
                           "10 column 246"),
    (package(id="Maven:org.example:lib"), "analyzer.result.packages[0]: Field 'identifier' is invalid: must be in the "
                                          "format 'type:namespace:name:version' at line 10 column 7"),
    (package(is_modified="yes"),
     "analyzer.result.packages[0].is_modified: invalid type: string \"yes\", expected a boolean at line 10 column 259"),
    (package(declared_licenses_processed="~"), "analyzer.result.packages[0].declared_licenses_processed: invalid type: "
                                               "unit value, expected struct ProcessedDeclaredLicense at line 10 column "
                                               "105"),
    (package(declared_licenses_processed="{spdx: x}"), "analyzer.result.packages[0].declared_licenses_processed: "
                                                       "unknown field `spdx`, expected one of `spdx_expression`, "
                                                       "`mapped`, `unmapped` at line 10 column 106"),
    (package(vcs=""), "analyzer.result.packages[0].vcs: missing field `revision` at line 10 column 201"),
])
def test_package_errors(element, message):
    assert error(result(f"projects: []\npackages:\n- {element}\n")) == message


PROCESSED = "{spdx_expression: '', mapped: {GPL: GPL-1.0, MIT License: MIT, GPL: GPL-2.0-only}, unmapped: [x, y, x]}"


def test_package_and_project_values():
    doc = read(result(f"projects:\n- {project(description='~')}\n- {project(id='a:b:c:d', scope_names='[]')}\n"
                      f"packages:\n- {package(cpe='~', concluded_license=repr('~'), description='123')}\n"
                      f"- {package(id='a:b:c:d', declared_licenses_processed=PROCESSED)}\n"))
    pkg = doc.analyzer.result.packages[0].to_dict()
    assert list(pkg) == ["id", "purl", "cpe", "authors", "declared_licenses", "declared_licenses_processed",
                         "concluded_license", "description", "homepage_url", "binary_artifact", "source_artifact",
                         "vcs", "vcs_processed", "is_metadata_only", "is_modified", "source_code_origins", "labels"]
    assert (pkg["cpe"], pkg["concluded_license"], pkg["description"]) == (None, "~", "123")
    assert (pkg["is_metadata_only"], pkg["labels"], pkg["source_code_origins"]) == (False, {}, None)
    assert pkg["declared_licenses_processed"] == {"spdx_expression": None, "mapped": {}, "unmapped": []}
    assert doc.analyzer.result.packages[1].declared_licenses_processed.to_dict() == {
        "spdx_expression": "", "mapped": {"GPL": "GPL-2.0-only", "MIT License": "MIT"}, "unmapped": ["x", "y"]}
    first, second = (p.to_dict() for p in doc.analyzer.result.projects)
    assert list(first) == ["id", "cpe", "definition_file_path", "authors", "declared_licenses",
                           "declared_licenses_processed", "vcs", "vcs_processed", "description", "homepage_url",
                           "scopes", "scope_names"]
    assert (first["description"], first["scopes"], first["scope_names"]) == ("~", [], None)
    assert (second["description"], second["scope_names"]) == ("", [])


def kept(text, pick):
    return pick(read(text).analyzer.result)


P1, P2 = package(purl="first"), package(purl="second")
Q1 = package(id="'maven:org.example:lib:1.0'", purl="lower")
S1, S2 = project(definition_file_path="first"), project(definition_file_path="second", scopes="[{name: x}]")
TREE = "[{name: s, dependencies: [{id: a, dependencies: [{id: b}]}, {id: a, linkage: STATIC}, {id: ' a'}]}]"


@pytest.mark.parametrize("text, pick, expected", [
    (result(f"projects: []\npackages: [{P1}, {P2}, {Q1}]\n"),
     lambda r: [(p.id, p.purl) for p in r.packages],
     [("Maven:org.example:lib:1.0", "first"), ("maven:org.example:lib:1.0", "lower")]),
    (result(f"packages: []\nprojects: [{S1}, {S2}]\n"),
     lambda r: [(p.definition_file_path, p.scopes) for p in r.projects], [("first", [])]),
    (result(f"packages: []\nprojects: [{project(scopes='[{name: s}, {name: s, dependencies: [{id: x}]}, {name: S}]')}]\n"),
     lambda r: [(s.name, len(s.dependencies)) for s in r.projects[0].scopes], [("s", 0), ("S", 0)]),
    (result(f"packages: []\nprojects: [{project(scopes=TREE)}]\n"),
     lambda r: [(d.id, d.linkage, [c.id for c in d.dependencies]) for d in r.projects[0].scopes[0].dependencies],
     [("a", "DYNAMIC", ["b"]), (" a", "DYNAMIC", [])]),
    (with_graph("scope_roots: [{pkg: 1, dependencies: [{pkg: 2}]}, {pkg: 1, linkage: STATIC}, {pkg: 1, fragment: 1}]"),
     lambda r: [(d.pkg, d.fragment, d.linkage, len(d.dependencies)) for d in r.dependency_graphs["g"].scope_roots],
     [(1, 0, "DYNAMIC", 1), (1, 1, "DYNAMIC", 0)]),
    (with_graph("edges: [{from: 1, to: 2}, {to: 2, from: 1}, {from: 2, to: 1}]"),
     lambda r: [(e["from"], e.to) for e in r.dependency_graphs["g"].edges], [(1, 2), (2, 1)]),
])
def test_set_identity_keeps_the_first(text, pick, expected):
    assert kept(text, pick) == expected


@pytest.mark.parametrize("text, message", [
    # Indexes count dropped elements; a later duplicate is still read whole.
    (result(f"projects: []\npackages: [{P1}, {P2}, {{id: 'x:y:z:1'}}]\n"),
     "analyzer.result.packages[2]: missing field `purl` at line 9 column 505"),
    (result(f"projects: []\npackages: [{P1}, {flow({k: v for k, v in PACKAGE.items() if k != 'vcs'})}]\n"),
     "analyzer.result.packages[1]: missing field `vcs` at line 9 column 260"),
    (result(f"packages: []\nprojects: [{S1}, {S1}, {project(purl='p')}]\n"),
     "analyzer.result.projects[2]: unknown field `purl`, expected one of `id`, `cpe`, `definition_file_path`, "
     "`authors`, `declared_licenses`, `declared_licenses_processed`, `vcs`, `vcs_processed`, `description`, "
     "`homepage_url`, `scopes`, `scope_names` at line 9 column 574"),
    (with_scope("[{id: a}, {id: a, linkage: 5}]"), "analyzer.result.projects[0].scopes[0].dependencies[1]: invalid "
                                                   "PackageLinkage value: 5 at line 10 column 238"),
    (with_graph("scope_roots: [{pkg: 1}, {pkg: 1}, {pkg: 1, dependencies: [{pkg: '2'}]}]"),
     "analyzer.result.dependency_graphs.g.scope_roots[2].dependencies[0].pkg: invalid type: string \"2\", expected "
     "i64 at line 12 column 73"),
])
def test_set_indexes_and_dropped_elements(text, message):
    assert error(text) == message


def nested_references(depth, leaf="", key="id", value="x"):
    inner = f"{{{key}: {value}{leaf}}}"
    for _ in range(depth - 1):
        inner = f"{{{key}: {value}, dependencies: [{inner}]}}"
    return inner


ISSUE = "{timestamp: t, source: s, message: m, severity: ERROR}"


@pytest.mark.parametrize("depth, leaf, fails", [
    (60, ", dependencies: [], issues: []", False),
    (60, f", issues: [{ISSUE}]", True),
    (61, "", True),
])
def test_scope_tree_depth(depth, leaf, fails):
    tree = nested_references(depth, leaf)
    text = with_scope(f"[{tree}]")
    if not fails:
        assert read(text).analyzer.result.projects[0].scopes[0].dependencies[0].id == "x"
        return
    # The first collection past the limit: the 61st reference, or the issue mapping of the 60th.
    line = text.splitlines()[9]
    if "issues" in leaf:
        column = line.index(ISSUE) + 1
    else:
        column = [i for i in range(len(line)) if line.startswith("{id: x", i)][depth - 1] + 1
    assert error(text) == f"recursion limit exceeded at line 10 column {column}"


@pytest.mark.parametrize("parent, fails", [("[*t]", False), ("[{id: a, dependencies: [*t]}]", True)])
def test_aliased_tree_is_read_at_the_depth_of_the_alias(parent, fails):
    # A chain of 60 anchored under a skipped key: read from level 1 it fits, from level 2 its last reference does not.
    text = "anchor: &t " + nested_references(60) + "\n" + with_scope(parent)
    if not fails:
        assert read(text).analyzer.result.projects[0].scopes[0].dependencies
        return
    line = text.splitlines()[0]
    column = [i for i in range(len(line)) if line.startswith("{id: x", i)][59] + 1
    assert error(text) == f"recursion limit exceeded at line 1 column {column}"


@pytest.mark.parametrize("depth, leaf, fails", [(61, ", dependencies: []", False), (62, "", True)])
def test_graph_tree_depth(depth, leaf, fails):
    text = with_graph(f"scope_roots: [{nested_references(depth, leaf, key='pkg', value='0')}]")
    if not fails:
        assert read(text).analyzer.result.dependency_graphs["g"].scope_roots[0].pkg == 0
        return
    line = text.splitlines()[11]
    column = [i for i in range(len(line)) if line.startswith("{pkg: 0", i)][depth - 1] + 1
    assert error(text) == f"recursion limit exceeded at line 12 column {column}"


G = "analyzer.result.dependency_graphs.g"


@pytest.mark.parametrize("body, message", [
    ("edges: [{from: 1}]", f"{G}.edges[0]: missing field `to` at line 12 column 17"),
    ("edges: [{}]", f"{G}.edges[0]: missing field `from` at line 12 column 17"),
    ("edges:\n- \n", f"{G}.edges[0]: missing field `from` at line 13 column 10"),
    ("edges: [{from: 1, to: 2, weight: 3}]",
     f"{G}.edges[0]: unknown field `weight`, expected `from` or `to` at line 12 column 34"),
    ("edges: ~", f"{G}.edges: invalid type: unit value, expected a sequence at line 12 column 16"),
    ("nodes: [{package: 1}]", f"{G}.nodes[0]: unknown field `package`, expected one of `pkg`, `fragment`, `linkage`, "
                              "`issues` at line 12 column 18"),
    ("nodes: [{pkg: 3, pkg: ~}]", f"{G}.nodes[0]: duplicate field `pkg` at line 12 column 17"),
    ("nodes: [{pkg: !!null x}]", f"{G}.nodes[0]: invalid value: string \"x\", expected null at line 12 column 17"),
    ("nodes: [{linkage: dynamic}]", f"{G}.nodes[0]: invalid PackageLinkage value: dynamic at line 12 column 17"),
    ("nodes: [[]]", f"{G}.nodes[0]: invalid type: sequence, expected struct DependencyGraphNode at line 12 column 17"),
    ("scopes: {compile: [{fragment: 1}]}", f"{G}.scopes.compile[0]: missing field `root` at line 12 column 28"),
    ("scopes: ~", f"{G}.scopes: invalid type: unit value, expected a map at line 12 column 17"),
    ("scopes: {compile: ~}", f"{G}.scopes.compile: invalid type: unit value, expected a sequence at line 12 column 27"),
    ("scope_roots: [{issues: []}]", f"{G}.scope_roots[0]: missing field `pkg` at line 12 column 23"),
    ("scope_roots: [{pkg: 0, package: 1}]", f"{G}.scope_roots[0]: unknown field `package`, expected one of `pkg`, "
                                            "`fragment`, `dependencies`, `linkage`, `issues` at line 12 column 32"),
    ("scope_roots: [{pkg: 0, dependencies: ~}]",
     f"{G}.scope_roots[0].dependencies: invalid type: unit value, expected a sequence at line 12 column 46"),
    ("packages: ['a:b:c:d', 'a:b:c']", f"{G}.packages: Field 'identifier' is invalid: must be in the format "
                                       "'type:namespace:name:version' at line 12 column 19"),
    ("nodes: []\nnodes: []", f"{G}: duplicate field `nodes` at line 12 column 9"),
    ("node: []", f"{G}: unknown field `node`, expected one of `packages`, `scope_roots`, `scopes`, `nodes`, `edges` at "
                 "line 12 column 9"),
    *[(f"edges: [{{from: 0, to: {v}}}]", f"{G}.edges[0].to: invalid type: {kind}, expected i64 at line 12 column 31")
      for v, kind in [("'5'", 'string "5"'), ("5.0", "floating point `5.0`"), ("007", 'string "007"'),
                      ("9223372036854775808", "integer `9223372036854775808`"), ("~", "unit value")]],
])
def test_graph_errors(body, message):
    assert error(with_graph(body)) == message


def test_graph_values():
    deep = "[" * 200 + "]" * 200
    g = graph(with_graph(
        "packages: ['a:b:c:d', 'a:b:c:d', 'Maven::lib:1']\n"
        "scope_roots: [{pkg: 0x10, fragment: -1}, {pkg: 7, linkage: 2, issues: []}]\n"
        f"scopes: {{compile: [{{root: 0, comment: x, package: {deep}}}, {{root: 0o7}}], test: , compile2: []}}\n"
        "nodes: [{}, {pkg: 3}, {}]\n"
        "edges: [{from: 5, to: 9}, {from: -1, to: 0b11}]\n"))
    assert g == {
        "packages": ["a:b:c:d", "a:b:c:d", "Maven::lib:1"],
        "scope_roots": [
            {"pkg": 16, "fragment": -1, "dependencies": [], "linkage": "DYNAMIC", "issues": []},
            {"pkg": 7, "fragment": 0, "dependencies": [], "linkage": "STATIC", "issues": []},
        ],
        "scopes": {"compile": [{"root": 0, "fragment": 0}, {"root": 7, "fragment": 0}], "test": [], "compile2": []},
        "nodes": [{"pkg": None, "fragment": 0, "linkage": "DYNAMIC", "issues": []},
                  {"pkg": 3, "fragment": 0, "linkage": "DYNAMIC", "issues": []},
                  {"pkg": None, "fragment": 0, "linkage": "DYNAMIC", "issues": []}],
        "edges": [{"from": 5, "to": 9}, {"from": -1, "to": 3}],
    }
    empty = {"packages": [], "scope_roots": [], "scopes": {}, "nodes": [], "edges": []}
    assert analyzer(result("projects: []\npackages: []\ndependency_graphs: {Gradle: , Maven: {}}\n"))["result"][
        "dependency_graphs"] == {"Gradle": empty, "Maven": empty}
    later = analyzer(result("projects: []\npackages: []\ndependency_graphs:\n  g: {nodes: [{}]}\n  h: {}\n  g: {}\n"
                            "  g2: {scopes: {a: [{root: 1}], a: []}}\n"))["result"]["dependency_graphs"]
    assert (later["g"], later["g2"]["scopes"]) == (empty, {"a": []})


def test_scope_tree_values():
    scopes = analyzer(with_scope("[{id: 42, linkage: 2, dependencies: [{id: 'Maven:org.example:lib'}]}]"))[
        "result"]["projects"][0]["scopes"]
    assert scopes == [{"name": "s", "dependencies": [
        {"id": "42", "linkage": "STATIC", "issues": [],
         "dependencies": [{"id": "Maven:org.example:lib", "linkage": "DYNAMIC", "dependencies": [], "issues": []}]}]}]
    assert error(with_scope("[{linkage: STATIC}]")) == (
        "analyzer.result.projects[0].scopes[0].dependencies[0]: missing field `id` at line 10 column 229")
    assert error(result(f"packages: []\nprojects: [{project(scopes='[{dependencies: []}]')}]\n")) == (
        "analyzer.result.projects[0].scopes[0]: missing field `name` at line 9 column 213")


FULL = result(f"""\
projects:
- {project(cpe="c", authors="[b, a]", scope_names="[compile]", description="d",
           scopes="[{name: compile, dependencies: [{id: a, linkage: STATIC, issues: [%s], "
                  "dependencies: [{id: b}]}]}]" % ISSUE)}
packages:
- {package(cpe="c", concluded_license="MIT OR Apache-2.0", authors="[x, y]", is_modified="true",
           source_code_origins="[ARTIFACT, 1, VCS]", labels="{k: v, n: 1}",
           declared_licenses_processed="{spdx_expression: MIT, mapped: {MIT License: MIT}, unmapped: [Foo]}",
           binary_artifact="{url: b, hash: {value: abc, algorithm: SHA-1}}",
           vcs="{type: git, url: u, revision: r, path: p}")}
issues:
  'Maven:org.example:lib:1.0': [{ISSUE}]
dependency_graphs:
  Maven:
    packages: ['Maven:org.example:lib:1.0']
    scope_roots: [{{pkg: 0, fragment: 1, linkage: PROJECT_STATIC, dependencies: [{{pkg: 1, issues: [{ISSUE}]}}]}}]
    scopes: {{'Maven:compile': [{{root: 0, fragment: 1}}]}}
    nodes: [{{pkg: 0, linkage: PROJECT_DYNAMIC, issues: [{ISSUE}]}}, {{fragment: 2}}]
    edges: [{{from: 0, to: 1}}]
""")


def test_round_trip():
    doc = read(FULL)
    tree = doc.to_dict()
    assert read(doc.to_yaml()).to_dict() == tree
    assert read(doc.to_json()).to_dict() == tree
    assert json.loads(doc.to_json()) == tree
    pkg = tree["analyzer"]["result"]["packages"][0]
    assert (pkg["source_code_origins"], pkg["labels"], pkg["is_modified"]) == (["ARTIFACT", "VCS", "VCS"],
                                                                             {"k": "v", "n": "1"}, True)
    reference = tree["analyzer"]["result"]["projects"][0]["scopes"][0]["dependencies"][0]
    assert (reference["linkage"], reference["issues"][0]["message"], reference["dependencies"][0]["id"]) == (
        "STATIC", "m", "b")


# Real documents of the current shape (the test templates with their numeric placeholders filled in).
REAL = ["ext-caktus-publish-mdm-analyzer.yml", "ext-pixxzr-copyleft-scan-result.yml",
        "ort-evaluated-model-reporter-input.yml", "ort-result-with-issues-scopes.yml",
        "ort-sbt-multi-project-graph.yml", "ort-scanner-integration-all-pkgs.yml", "ort-spdx-disclosure-cli.yml"]


def analyzer_part(name):
    """The file's analyzer run on a minimal repository: the other runs are read by their own tests."""
    text = (ORTDATA / name).read_text(encoding="utf-8")
    text = text.replace('"<REPLACE_PROCESSORS>"', "4").replace('"<REPLACE_MAX_MEMORY>"', "4096")
    start = text.index("\nanalyzer:\n") + 1
    end = text.index("\n", start)
    while end + 1 < len(text) and text[end + 1] == " ":
        end = text.index("\n", end + 1)
    return REPOSITORY + text[start:end + 1]


@pytest.mark.parametrize("name", REAL)
def test_real_analyzer_runs_round_trip(name):
    doc = read(analyzer_part(name))
    found = doc.analyzer.result
    assert found.projects and found.packages
    assert any(s.dependencies for p in found.projects for s in p.scopes) or found.dependency_graphs
    tree = doc.to_dict()
    assert read(doc.to_yaml()).to_dict() == tree
    assert read(doc.to_json()).to_dict() == tree
    assert json.loads(doc.to_json()) == tree
