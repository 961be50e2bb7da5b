"""Document classes: reading, checking, the cached object tree, JSON and YAML."""
import errno
import json
import os

import pytest

from dorvek.ort import LicenseCategory, LicenseClassifications, Object

TEXT = """\
categories:
- name: permissive
  description: Permissive licenses.
- name: notice
categorizations:
- id: MIT
  categories: [permissive]
"""


@pytest.fixture
def doc():
    return LicenseClassifications.from_yaml_str(TEXT)


def test_reads_and_serves_the_tree(doc):
    assert type(doc) is LicenseClassifications
    assert (doc.keys(), list(doc), len(doc)) == (["categories", "categorizations"],) * 2 + (2,)
    assert [k for k, _ in doc.items()] == list(doc.to_dict())
    category = doc["categories"][0]
    assert type(category) is LicenseCategory and isinstance(category, Object)
    assert (category.__type__, category.name, category.description) == ("LicenseCategory", "permissive",
                                                                         "Permissive licenses.")
    assert doc.categorizations[0].to_dict() == {"id": "MIT", "categories": ["permissive"]}
    assert "categories" in doc and "x" not in doc
    assert doc.__dir__() == ["from_yaml_str", "from_yaml_file", "to_json", "to_yaml", "to_dict", "keys", "items",
                             "categories", "categorizations"]
    assert repr(LicenseClassifications.from_yaml_str("# nothing")) == (
        "LicenseClassifications(categories=[], categorizations=[])")


def test_member_and_field_lookup(doc):
    assert callable(doc.to_json)
    with pytest.raises(AttributeError, match=r"^'LicenseClassifications' object has no attribute 'values'$"):
        doc.values
    with pytest.raises(KeyError):
        doc["x"]


def test_tree_is_built_once_and_shared(doc):
    categories = doc["categories"]
    assert doc.categories is categories and doc.items()[0][1] is categories
    categories.append("extra")
    assert doc.to_dict()["categories"][-1] == "extra" and "'extra'" in repr(doc)
    assert "extra" not in doc.to_json() and "extra" not in doc.to_yaml()
    assert type(doc) is LicenseClassifications and hasattr(LicenseClassifications, "from_yaml_file")


def test_json_and_yaml_keep_declared_order(doc):
    text = doc.to_json()
    assert text == doc.to_json() and not text.endswith("\n")
    assert json.loads(text) == {
        "categories": [{"name": "permissive", "description": "Permissive licenses."},
                       {"name": "notice", "description": ""}],
        "categorizations": [{"id": "MIT", "categories": ["permissive"]}],
    }
    assert text.index('"name"') < text.index('"description"')
    assert doc.to_yaml() == (
        "categories:\n- name: permissive\n  description: Permissive licenses.\n- name: notice\n  description: ''\n"
        "categorizations:\n- id: MIT\n  categories:\n  - permissive\n")
    empty = LicenseClassifications.from_yaml_str("categories:\n- name: ''\n")
    assert empty.to_json() == (
        '{\n  "categories": [\n    {\n      "name": "",\n      "description": ""\n    }\n  ],\n'
        '  "categorizations": []\n}')


@pytest.mark.parametrize("text, message", [
    ("categories:\n- name: a\n- name: a\n", "Field 'categories' is invalid: duplicate license category name: a"),
    ("categorizations:\n- id: MIT\n  categories: [x]\n",
     "Field 'categorizations' is invalid: categorization 'MIT' references unknown category 'x'"),
    ("categories:\n- name: a\n- name: a\n- [", None),  # the reading error alone
    ("categories: []\n---\nb: 2\n", "deserializing from YAML containing more than one document is not supported"),
    ("categories: 5\n", "categories: invalid type: integer `5`, expected a sequence at line 1 column 13"),
])
def test_reading_and_validation_errors(text, message):
    with pytest.raises(ValueError) as info:
        LicenseClassifications.from_yaml_str(text)
    if message is not None:
        assert str(info.value) == message
    else:
        assert "duplicate" not in str(info.value) and " at line " in str(info.value)


def test_from_yaml_file(tmp_path, doc):
    path = tmp_path / "lc.yml"
    path.write_text(TEXT)
    assert LicenseClassifications.from_yaml_file(str(path)).to_json() == doc.to_json()


@pytest.mark.parametrize("make, message", [
    (lambda d: str(d / "missing.yml"), f"{os.strerror(errno.ENOENT)} (os error 2)"),
    (lambda d: str(d), f"{os.strerror(errno.EISDIR)} (os error 21)"),
    (lambda d: (d / "bad.yml").write_bytes(b"a: \xff\n") and str(d / "bad.yml"), "stream did not contain valid UTF-8"),
    (lambda d: "a\0b", "file name contained an unexpected NUL byte"),
])
def test_file_errors(tmp_path, make, message):
    with pytest.raises(OSError) as info:
        LicenseClassifications.from_yaml_file(make(tmp_path))
    assert type(info.value) is OSError
    assert info.value.args == (message,) and info.value.errno is None


# Long ASCII runs are checked several bytes at a time: bad bytes after them,
# at every offset within a word, are still found.
@pytest.mark.parametrize("bad", [b"\xff", b"\xc0\x80", b"\xed\xa0\x80", b"\xf4\x90\x80\x80", b"\xe2\x82", b"\x80"])
@pytest.mark.parametrize("run", [13, 16, 21])
def test_invalid_utf8_after_ascii_runs(tmp_path, bad, run):
    good = tmp_path / "good.yml"
    good.write_bytes(b"categories:\n- name: " + b"x" * run + "\u20ac\U0001f600".encode() + b"\n")
    assert LicenseClassifications.from_yaml_file(str(good)).categories[0].name == "x" * run + "\u20ac\U0001f600"
    path = tmp_path / "bad.yml"
    path.write_bytes(b"categories:\n- name: " + b"x" * run + bad + b"xxxxxxxxxx\n")
    with pytest.raises(OSError, match="stream did not contain valid UTF-8"):
        LicenseClassifications.from_yaml_file(str(path))
