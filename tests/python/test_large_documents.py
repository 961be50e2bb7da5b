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
