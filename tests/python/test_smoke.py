import sys

import dorvek
import dorvek._dorvek


def test_package_imports_the_extension():
    assert dorvek.ort is sys.modules["dorvek.ort"]
    assert hasattr(dorvek._dorvek, "ort")
