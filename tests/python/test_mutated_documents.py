"""The Python side of fuzzing: the fuzz seeds, every input the fuzzers once
crashed on (fuzz/regressions), and a fixed set of mutations of them go through
every document class and everything a document offers. Each ends in a
document or a ValueError."""
import json
import pathlib
import random

import pytest

from dorvek.ort import LicenseClassifications, OrtResult, RepositoryConfiguration

ROOT = pathlib.Path(__file__).resolve().parents[2]
CLASSES = [LicenseClassifications, RepositoryConfiguration, OrtResult]
KINDS = {LicenseClassifications: "license-classifications", RepositoryConfiguration: "repository-configuration",
         OrtResult: "ort-result"}


def inputs(folder):
    path = ROOT / "fuzz" / folder
    return sorted(path.iterdir()) if path.is_dir() else []


def use(cls, text):
    try:
        doc = cls.from_yaml_str(text)
    except ValueError as e:
        assert str(e)
        return
    json.loads(doc.to_json())
    assert cls.from_yaml_str(doc.to_yaml()).keys() == doc.keys()
    doc.to_dict(), repr(doc), doc.items()


def mutate(rng, data, others):
    data = bytearray(data)
    for _ in range(rng.randint(1, 3)):
        at = rng.randint(0, len(data))
        choice = rng.randrange(5)
        if choice == 0 and data:
            del data[at:at + rng.randint(1, 16)]
        elif choice == 1:
            data[at:at] = rng.choice([b"&a ", b"*a", b"[", b"]", b"{", b"}", b": ", b"- ", b"\n", b"!!str ", b"'",
                                      b'"', b"? ", b"~", b"\\", b"\t", b"#", b"\n  ", b"\xc3\xa9", b",", b"|"])
        elif choice == 2 and data:
            data[min(at, len(data) - 1)] = rng.randrange(256) if rng.random() < 0.1 else rng.randrange(32, 127)
        elif choice == 3:
            other = rng.choice(others)
            start = rng.randint(0, len(other))
            data[at:at] = other[start:start + rng.randint(1, 64)]
        else:
            data[at:at] = data[at:at + rng.randint(1, 32)] * rng.randint(1, 4)
    return bytes(data).decode("utf-8", "replace")


@pytest.mark.parametrize("path", inputs("regressions") + inputs("seeds"), ids=lambda p: p.name)
def test_fuzz_inputs(path):
    for cls in CLASSES:
        use(cls, path.read_bytes().decode("utf-8", "replace"))


@pytest.mark.parametrize("cls", CLASSES, ids=lambda c: c.__name__)
def test_mutations(cls):
    data = ROOT / "tests" / "data"
    blobs = [p.read_bytes() for p in sorted(data.glob(KINDS[cls] + "*/*.yml")) if p.stat().st_size < 50_000]
    rng = random.Random(7)
    for _ in range(1500):
        use(cls, mutate(rng, rng.choice(blobs), blobs))
