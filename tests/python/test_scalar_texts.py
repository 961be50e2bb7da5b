"""Scalar texts come out exactly as they read, whatever their style and the
characters before them, and errors after them keep their positions."""
import pytest

from dorvek.ort import LicenseClassifications


@pytest.mark.parametrize("written, text", [
    ("plain ü text", "plain ü text"),
    ('"quoted \\"x\\" \\t é"', 'quoted "x" \t é'),
    ("'it''s ü'", "it's ü"),
    ('"folded\n    line"', "folded line"),
    ("|\n    literal ü\n    lines", "literal ü\nlines\n"),
    (">\n    folded ü\n    block", "folded ü block\n"),
    ("!!str 12", "12"),
    ("&a 😀x", "😀x"),
])
def test_texts_read_as_written(written, text):
    doc = LicenseClassifications.from_yaml_str(f"categories:\n- name: \"ä😀\"\n- name: {written}\n  description: d\n")
    assert doc.to_dict()["categories"][1] == {"name": text, "description": "d"}


@pytest.mark.parametrize("text, message", [
    ("categories:\n- name: \"äöü ü\"\n  description: \"x\"\n- name: 5\n  bogus: 1\n",
     "categories[1]: unknown field `bogus`, expected `name` or `description` at line 5 column 3"),
    ("categories:\n- name: '😀'\n- name: [1]\n",
     "categories[1].name: invalid type: sequence, expected a string at line 3 column 9"),
    ("categories:\n- name: |\n    ünïcode\n    lines\n- {name: x, name: y}\n",
     "categories[1]: duplicate field `name` at line 5 column 3"),
    ("categories:\n- &x {name: ä}\n- *x\n- nam: *x\n",
     "categories[2]: unknown field `nam`, expected `name` or `description` at line 4 column 3"),
    ("categories:\n- name: x\ncategorizations:\n- id: é\n  categories: [\"ä\", *zz]\n",
     "unknown anchor at line 5 column 21"),
])
def test_error_positions_after_multibyte_text(text, message):
    with pytest.raises(ValueError) as e:
        LicenseClassifications.from_yaml_str(text)
    assert str(e.value) == message
