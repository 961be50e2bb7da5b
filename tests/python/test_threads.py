"""Threads: eight threads loading and converting the same documents at once
write the same text as one thread does."""
import pathlib
import threading

from dorvek.ort import LicenseClassifications

DATA = pathlib.Path(__file__).resolve().parents[1] / "data"
PATHS = [p for p in sorted((DATA / "license-classifications").glob("*.yml")) if p.stat().st_size < 100_000]
THREADS = 8
ROUNDS = 5


def convert(path):
    doc = LicenseClassifications.from_yaml_file(str(path))
    return doc.to_json(), doc.to_yaml(), doc.to_dict()


def comparable(texts):
    """Sets are written in their table's order, which each new table draws
    afresh; until they keep document order, compare their elements sorted."""
    json_text, yaml_text, tree = texts
    if ORDERED:
        return json_text, yaml_text, tree
    reread = LicenseClassifications.from_yaml_str(yaml_text).to_dict()
    for t in (tree, reread):
        for c in t["categorizations"]:
            c["categories"] = sorted(c["categories"])
    return len(json_text), len(yaml_text), tree, reread


ORDERED = all(convert(p) == convert(p) for p in PATHS)


def test_eight_threads_write_what_one_thread_writes():
    expected = {p: comparable(convert(p)) for p in PATHS}
    start = threading.Barrier(THREADS)
    results, errors = [], []

    def work():
        try:
            start.wait()
            for _ in range(ROUNDS):
                for p in PATHS:
                    results.append((p, convert(p)))
        except BaseException as e:  # noqa: BLE001 - reported below
            errors.append(e)

    threads = [threading.Thread(target=work) for _ in range(THREADS)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert not errors
    assert len(results) == THREADS * ROUNDS * len(PATHS)
    for p, texts in results:
        assert comparable(texts) == expected[p], p.name


def test_threads_share_one_document():
    doc = LicenseClassifications.from_yaml_file(str(PATHS[0]))
    json_text, yaml_text = doc.to_json(), doc.to_yaml()
    seen, errors = [], []

    def work():
        try:
            for _ in range(20):
                seen.append((doc.to_json(), doc.to_yaml(), doc.to_dict() == doc.to_dict(), repr(doc) == repr(doc)))
        except BaseException as e:  # noqa: BLE001 - reported below
            errors.append(e)

    threads = [threading.Thread(target=work) for _ in range(THREADS)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert not errors
    assert set(seen) == {(json_text, yaml_text, True, True)}
