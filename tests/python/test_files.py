"""Files that go wrong: not UTF-8, changed between two reads, not a regular
file. Each gives its OSError or ValueError and leaves no file open."""
import errno
import os

import pytest

from dorvek.ort import LicenseClassifications

TEXT = "categories:\n- name: permissive\n  description: \"Permissive licenses.\"\n"


def os_error(number):
    return f"{os.strerror(number)} (os error {number})"


def failure(path):
    """The exception type and text of reading `path`, or the document's dict."""
    try:
        return LicenseClassifications.from_yaml_file(str(path)).to_dict()
    except (OSError, ValueError) as e:
        assert type(e) in (OSError, ValueError)
        return type(e), str(e)


@pytest.mark.parametrize("content", [
    b"\x80", b"name: \xc0\xaf", b"\xed\xa0\x80", b"\xf4\x90\x80\x80", b"\xf8\x88\x80\x80\x80",
    b"categories: []\n# \xe2\x82", b"\xff\xfe" + "a: 1".encode("utf-16-le"),
], ids=["continuation", "overlong", "surrogate", "beyond-U+10FFFF", "five-bytes", "cut-at-end", "utf-16"])
def test_bytes_that_are_not_utf8(tmp_path, content):
    path = tmp_path / "doc.yml"
    path.write_bytes(content)
    assert failure(path) == (OSError, "stream did not contain valid UTF-8")


def test_file_changed_between_reads(tmp_path):
    path = tmp_path / "doc.yml"
    path.write_text(TEXT, encoding="utf-8")
    first = failure(path)
    assert first["categories"][0]["name"] == "permissive"
    # Truncated: to nothing, inside a quoted text, inside a character.
    path.write_bytes(b"")
    assert failure(path) == {"categories": [], "categorizations": []}
    path.write_bytes(TEXT.encode()[:TEXT.index("licenses")])
    kind, message = failure(path)
    assert kind is ValueError and message == ("found unexpected end of stream at line 3 column 28, "
                                                 "while scanning a quoted scalar at line 3 column 16")
    accented = TEXT.replace("Permissive", "Permissiv\u00e9").encode()
    path.write_bytes(accented[:accented.index(b"\xc3") + 1])
    assert failure(path) == (OSError, "stream did not contain valid UTF-8")
    # Removed, then a folder in its place.
    path.unlink()
    assert failure(path) == (OSError, os_error(errno.ENOENT))
    path.mkdir()
    assert failure(path) == (OSError, os_error(errno.EISDIR))
    path.rmdir()
    path.write_text(TEXT, encoding="utf-8")
    assert failure(path) == first


def test_special_files(tmp_path):
    loop = tmp_path / "loop"
    loop.symlink_to(loop)
    assert failure(loop) == (OSError, os_error(errno.ELOOP))
    assert failure(tmp_path / "doc.yml" / "below") == (OSError, os_error(errno.ENOENT))
    (tmp_path / "file").write_text(TEXT)
    assert failure(tmp_path / "file" / "below") == (OSError, os_error(errno.ENOTDIR))
    assert failure("/dev/null") == {"categories": [], "categorizations": []}
    assert failure("") == (OSError, os_error(errno.ENOENT))


def test_failed_reads_leave_no_file_open(tmp_path):
    (tmp_path / "bad.yml").write_bytes(b"categories: [\xff]\n")
    (tmp_path / "syntax.yml").write_text("categories: [\n")
    (tmp_path / "invalid.yml").write_text("categories: [{name: a}, {name: a}]\n")
    (tmp_path / "good.yml").write_text(TEXT)
    paths = [tmp_path, tmp_path / "missing", tmp_path / "bad.yml", tmp_path / "syntax.yml",
             tmp_path / "invalid.yml", tmp_path / "good.yml"]
    failure(paths[-1])

    def open_files():
        return len(os.listdir("/proc/self/fd"))

    before = open_files()
    for _ in range(200):
        for path in paths:
            failure(path)
    assert open_files() == before
