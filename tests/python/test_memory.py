"""Memory: loading one document again and again keeps memory flat, and
documents, their object trees and failed reads leave nothing behind."""
import gc
import os
import pathlib
import subprocess
import sys
import textwrap
import tracemalloc
import weakref

import pytest

from dorvek.ort import LicenseClassifications, OrtResult, RepositoryConfiguration

DATA = pathlib.Path(__file__).resolve().parents[1] / "data" / "license-classifications"
TEXT = (DATA / "ort-examples-current.yml").read_text(encoding="utf-8")
OTHERS = [(RepositoryConfiguration, DATA.parent / "repository-configuration" / "ort-own-current.yml"),
          (OrtResult, DATA.parent / "ort-result" / "ort-evaluator-cmd-minimal.yml")]
BAD = [
    "categories: [{name: a}, {name: a}]\n",  # validation
    "categories: [{name: a, x: 1}]\n",  # reading
    "categories: [\n",  # syntax
    "categories: [{name: *b}]\n",  # unknown anchor
    "categorizations: [{id: x, categories: &a [" + ", ".join(["x"] * 100) + "]}"
    + "".join(f", {{id: y{i}, categories: *a}}" for i in range(200)) + "]\n",  # repetition limit
    "a: 1\n---\nb: 2\n",  # two documents
]


def use_once(text=TEXT):
    """Everything a caller can ask of a document, and every kind of failure."""
    doc = LicenseClassifications.from_yaml_str(text)
    doc.to_json(), doc.to_yaml(), doc.to_dict(), doc.keys(), doc.items(), repr(doc), dir(doc), list(doc)
    assert doc["categories"] is doc.categories and "categorizations" in doc and len(doc) == 2
    for bad in BAD:
        with pytest.raises(ValueError):
            LicenseClassifications.from_yaml_str(bad)
    with pytest.raises(OSError):
        LicenseClassifications.from_yaml_file(str(DATA / "missing.yml"))
    for cls, path in OTHERS:
        other = cls.from_yaml_file(str(path))
        other.to_json(), other.to_yaml(), other.to_dict()


def under_asan():
    with open("/proc/self/maps", encoding="utf-8") as maps:
        return "libasan" in maps.read()


@pytest.mark.skipif(under_asan(), reason="AddressSanitizer keeps freed memory in quarantine")
def test_peak_memory_stays_flat_over_a_thousand_loads():
    # A fresh process, so that no other test has raised the peak already.
    child = textwrap.dedent(f"""
        import resource, sys
        sys.path.insert(0, {str(pathlib.Path(__file__).parent)!r})
        from test_memory import use_once
        def peak():
            return resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
        for _ in range(100):
            use_once()
        first = peak()
        for _ in range(900):
            use_once()
        print(first, peak())
    """)
    out = subprocess.run([sys.executable, "-c", child], check=True, capture_output=True, text=True,
                         cwd=os.getcwd()).stdout
    first, last = map(int, out.split())
    # In kilobytes: one document's model and tree are far above this.
    assert last - first < 2048, (first, last)


def test_python_allocations_return_to_where_they_were():
    tracemalloc.start()
    try:
        for _ in range(20):
            use_once()
        gc.collect()
        before = tracemalloc.get_traced_memory()[0]
        for _ in range(300):
            use_once()
        gc.collect()
        grown = tracemalloc.get_traced_memory()[0] - before
    finally:
        tracemalloc.stop()
    # One object kept per load would be 300 objects: over ten kilobytes.
    assert grown < 8192, grown


def test_document_and_tree_are_freed_with_their_last_reference():
    doc = LicenseClassifications.from_yaml_str(TEXT)
    text = doc.to_json()
    categories = doc.categories
    category, categorization = weakref.ref(categories[0]), weakref.ref(doc.categorizations[0])
    assert sys.getrefcount(doc) == 2
    del doc
    gc.collect()
    # The tree lives on only in what the caller still holds.
    assert categorization() is None and category() is categories[0]
    del categories
    assert category() is None
    # The argument text is not kept either.
    before = sys.getrefcount(text)
    for _ in range(100):
        LicenseClassifications.from_yaml_str(text)
    assert sys.getrefcount(text) == before


@pytest.mark.parametrize("cls, path", [
    (LicenseClassifications, DATA / "ort-config-current.yml"),
    (OrtResult, DATA.parent / "ort-result" / "ext-caktus-publish-mdm-analyzer.yml"),
], ids=["license-classifications", "ort-result"])
def test_a_large_document_loaded_again_and_again(cls, path):
    big = path.read_text(encoding="utf-8")
    first = cls.from_yaml_str(big)
    for _ in range(30):
        doc = cls.from_yaml_str(big)
        assert doc.to_json() == first.to_json() and doc.to_dict() == first.to_dict()
