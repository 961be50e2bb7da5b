"""Documents whose JSON and YAML texts run to several megabytes, written in
pieces: the texts come out whole, ASCII or not."""
import json

import pytest
import yaml

from dorvek.ort import LicenseClassifications


@pytest.mark.parametrize("name", ["permissive", "permissive-ü😀"])
def test_multi_megabyte_texts_are_whole(name):
    entries = "".join(f'- id: "License-{i}-{name}"\n  categories: ["{name}", "x"]\n' for i in range(15000))
    doc = LicenseClassifications.from_yaml_str(f'categories:\n- name: "{name}"\n- name: x\ncategorizations:\n{entries}')
    text = doc.to_json()
    assert len(text.encode()) > 2**20
    assert json.loads(text) == doc.to_dict()
    assert text.startswith('{\n  "categories": [') and text.endswith("\n}")
    assert yaml.load(doc.to_yaml(), Loader=yaml.CSafeLoader) == doc.to_dict()


def test_lists_and_sets_past_a_thousand_elements_read_as_written():
    # Past 1024 elements a list or set counts the rest ahead of reading them:
    # elements, duplicates, aliases and errors stay as they were.
    names = [f"c{i}" for i in range(1100)]
    categories = "".join(f"- name: {n}\n" for n in names)
    items = "".join(f"- id: L{i}\n  categories: [c{i % 7}]\n" for i in range(1, 1100))

    def text(first_categories, rest):
        return f"categories:\n{categories}categorizations:\n- &first\n  id: L0\n  categories: [{first_categories}]\n{rest}"

    d = LicenseClassifications.from_yaml_str(text(", ".join(names + names[:50]), items)).to_dict()
    assert [c["id"] for c in d["categorizations"]] == [f"L{i}" for i in range(1100)]
    assert d["categorizations"][0]["categories"] == names
    with pytest.raises(ValueError) as e:
        LicenseClassifications.from_yaml_str(text("c1", items.replace("- id: L1050\n", "- [L1050]\n- id: L1050\n")))
    assert str(e.value) == (
        "categorizations[1050]: invalid type: sequence, expected struct LicenseCategorization at line 3204 column 3"
    )
    with pytest.raises(ValueError, match="^Field 'categorizations' is invalid: duplicate license categorization id: L0$"):
        LicenseClassifications.from_yaml_str(text("c1", items + "- *first\n"))
