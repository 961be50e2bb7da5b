"""Threads: eight threads loading and converting the same documents at once
write the same text as one thread does."""
import pathlib
import threading

from dorvek.ort import LicenseClassifications, OrtResult, RepositoryConfiguration

DATA = pathlib.Path(__file__).resolve().parents[1] / "data"
CLASSES = {"license-classifications": LicenseClassifications, "repository-configuration": RepositoryConfiguration,
           "ort-result": OrtResult}
DOCUMENTS = [(CLASSES[p.parent.name], p) for p in sorted(DATA.glob("*/*.yml")) if p.stat().st_size < 100_000]
THREADS = 8
ROUNDS = 3


def convert(cls, path):
    """Everything one document writes, or the text of its reading error."""
    try:
        doc = cls.from_yaml_file(str(path))
    except ValueError as e:
        return str(e)
    return doc.to_json(), doc.to_yaml(), doc.to_dict()


def run_threads(work):
    """Runs `work` on THREADS threads at once; the exceptions they raised."""
    start = threading.Barrier(THREADS)
    errors = []

    def run():
        try:
            start.wait()
            work()
        except BaseException as e:  # noqa: BLE001 - returned to the test
            errors.append(e)

    threads = [threading.Thread(target=run) for _ in range(THREADS)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    return errors


def test_eight_threads_write_what_one_thread_writes():
    expected = {p: convert(cls, p) for cls, p in DOCUMENTS}
    results = []

    def work():
        for _ in range(ROUNDS):
            for cls, p in DOCUMENTS:
                results.append((p, convert(cls, p)))

    assert not run_threads(work)
    assert len(results) == THREADS * ROUNDS * len(DOCUMENTS)
    for p, texts in results:
        assert texts == expected[p], p.name


def test_threads_share_one_document():
    doc = RepositoryConfiguration.from_yaml_file(str(DATA / "repository-configuration" / "ort-own-current.yml"))
    json_text, yaml_text = doc.to_json(), doc.to_yaml()
    seen = []

    def work():
        for _ in range(20):
            seen.append((doc.to_json(), doc.to_yaml(), doc.to_dict() == doc.to_dict(), repr(doc) == repr(doc)))

    assert not run_threads(work)
    assert set(seen) == {(json_text, yaml_text, True, True)}
