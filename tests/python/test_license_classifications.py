"""License classifications: reading rules of its records, and real documents."""
import pathlib

import pytest

from dorvek.ort import LicenseClassifications

ORTDATA = pathlib.Path(__file__).resolve().parents[1] / "data" / "license-classifications"


@pytest.mark.parametrize("text, message", [
    ("categories:\n- description: x\n", "categories[0]: missing field `name` at line 2 column 3"),
    ("categories:\n- name: a\n  Name: b\n",
     "categories[0]: unknown field `Name`, expected `name` or `description` at line 3 column 3"),
    ("categories: [{name: a}, permissive]\n",
     "categories[1]: invalid type: string \"permissive\", expected struct LicenseCategory at line 1 column 25"),
    ("categories: [{name: a}, '']\n",
     "categories[1]: invalid type: string \"\", expected struct LicenseCategory at line 1 column 25"),
    ("categories: [{name: a}, ]\ncategorizations:\n- {}\n", "categorizations[0]: missing field `id` at line 3 column 3"),
    ("categories: [{name: a}, ~]\n",
     "categories[1]: invalid type: unit value, expected struct LicenseCategory at line 1 column 25"),
    ("categories: null\n", "categories: invalid type: unit value, expected a sequence at line 1 column 13"),
    ("categorizations:\n- id: x\n  categories: [a, [b]]\n",
     "categorizations[0].categories[1]: invalid type: sequence, expected a string at line 3 column 19"),
    ("categorizations:\n- id: x\n  id: y\n", "categorizations[0]: duplicate field `id` at line 2 column 3"),
    ("kinds: []\n", "unknown field `kinds`, expected `categories` or `categorizations`"),
    ("categories:\n- name: a\ncategories: []\n", "duplicate field `categories`"),
    ("[]\n", "invalid type: sequence, expected struct LicenseClassifications"),
])
def test_reading_errors(text, message):
    with pytest.raises(ValueError) as info:
        LicenseClassifications.from_yaml_str(text)
    assert str(info.value) == message


def test_field_values():
    doc = LicenseClassifications.from_yaml_str(
        "categories:\n- description:\n  name: 123\n- name: n\n  description: null\n"
        "categorizations:\n- id: x\n  categories: [n, '123', n]\n- id: y\n")
    assert [(c.name, c.description) for c in doc.categories] == [("123", ""), ("n", "null")]
    assert sorted(doc.categorizations[0].categories) == ["123", "n"]
    assert doc.categorizations[1].categories == []
    for text in ("", "---\n", "  # only a comment\n", "categories:\ncategorizations:\n"):
        assert LicenseClassifications.from_yaml_str(text).to_dict() == {"categories": [], "categorizations": []}


def normalised(doc):
    tree = doc.to_dict()
    for c in tree["categorizations"]:
        c["categories"] = sorted(c["categories"])
    return tree


@pytest.mark.parametrize("path", sorted(ORTDATA.glob("*.yml")), ids=lambda p: p.name)
def test_real_documents_round_trip(path):
    doc = LicenseClassifications.from_yaml_file(str(path))
    assert doc.categories or doc.categorizations
    again = LicenseClassifications.from_yaml_str(doc.to_yaml())
    assert normalised(again) == normalised(doc)
    assert normalised(LicenseClassifications.from_yaml_str(doc.to_json())) == normalised(doc)


def test_real_documents_are_present():
    assert len(list(ORTDATA.glob("*.yml"))) >= 4


def test_document_order_and_stable_text():
    text = ("categories:\n- name: z\n- name: a\n- name: m\n"
            "categorizations:\n- id: x\n  categories: [m, z, a, z, m]\n")
    doc = LicenseClassifications.from_yaml_str(text)
    assert doc.categorizations[0].categories == ["m", "z", "a"]
    again = LicenseClassifications.from_yaml_str(text)
    assert (again.to_json(), again.to_yaml()) == (doc.to_json(), doc.to_yaml())


def test_first_undeclared_category_in_document_order():
    text = "categories:\n- name: a\ncategorizations:\n- id: x\n  categories: [a, {0}, a, {1}]\n"
    for first, second in (("q", "b"), ("b", "q")):
        with pytest.raises(ValueError) as info:
            LicenseClassifications.from_yaml_str(text.format(first, second))
        assert f"references unknown category '{first}'" in str(info.value)


@pytest.mark.parametrize("path", sorted(ORTDATA.glob("*.yml")), ids=lambda p: p.name)
def test_real_documents_written_again_give_identical_text(path):
    doc = LicenseClassifications.from_yaml_file(str(path))
    text = doc.to_yaml()
    assert LicenseClassifications.from_yaml_str(text).to_yaml() == text
    assert LicenseClassifications.from_yaml_file(str(path)).to_json() == doc.to_json()
