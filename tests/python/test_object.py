"""`Object`: access, equality, repr, conversions."""
import gc
import json
import math
import weakref

import pytest

from dorvek.ort import Object, Package


def test_access():
    values = [1]
    obj = Object("T", {"b": values, "a": None, "keys": "field"})
    assert (obj.__type__, len(obj), list(obj)) == ("T", 3, ["b", "a", "keys"])
    assert obj.keys() == ["b", "a", "keys"] and obj.values() == [values, None, "field"]
    assert obj.items() == [("b", values), ("a", None), ("keys", "field")]
    assert obj.b is values and obj["b"] is values and obj.values()[0] is values
    assert "a" in obj and "z" not in obj
    # Class members hide fields from attribute access only.
    assert callable(obj.keys) and obj["keys"] == "field"
    assert dir(obj).count("keys") == 2
    assert obj.__dir__() == ["__type__", "keys", "values", "items", "to_dict", "to_json", "to_yaml", "b", "a", "keys"]
    with pytest.raises(KeyError) as info:
        obj["z"]
    assert info.value.args == ("z",)
    with pytest.raises(AttributeError, match=r"^'T' object has no attribute 'z'$"):
        obj.z


def test_empty_object():
    obj = Object("Empty")
    assert (len(obj), bool(obj), repr(obj), obj.to_dict(), obj.to_json(), obj.to_yaml()) == (
        0, False, "Empty()", {}, "{}", "{}\n")


def test_subclass_instances():
    obj = Package("Other", {"name": "field"})
    assert type(obj) is Package and obj.__type__ == "Other"
    obj.name = "attribute"
    assert (obj.name, obj["name"]) == ("attribute", "field")
    with pytest.raises(AttributeError, match=r"^'Other' object has no attribute 'z'$"):
        obj.z


def test_equality():
    a = Object("T", {"x": 1, "y": [Object("U")]})
    assert a == Package("T", {"x": 1.0, "y": [Object("U")]})
    assert a != Object("T", {"y": [Object("U")], "x": 1})
    assert a != Object("V", {"x": 1, "y": [Object("U")]})
    assert (a == {"x": 1, "y": [Object("U")]}) is False and (a != {}) is True
    nan = Object("T", {"x": math.nan})
    assert nan != nan
    with pytest.raises(TypeError):
        a < a
    with pytest.raises(TypeError):
        hash(a)


def test_repr():
    class Lone:
        def __repr__(self):
            return "é\udc80"

    obj = Object("T", {"s": Lone(), "l": [Object("U", {"n": None})], "q": "'"})
    assert repr(obj) == "T(s=é\ufffd, l=[U(n=None)], q=\"'\")"

    class Broken:
        def __repr__(self):
            raise ZeroDivisionError

    with pytest.raises(ZeroDivisionError):
        repr(Object("T", {"x": Broken()}))


def test_to_dict_converts_lists_and_dicts_but_not_tuples():
    inner = Object("U", {"v": 1})
    plain = Object("T", {"l": [inner], "d": {"k": inner}, "t": (inner,)}).to_dict()
    assert plain == {"l": [{"v": 1}], "d": {"k": {"v": 1}}, "t": (inner,)}
    assert plain["t"][0] is inner


def test_to_json_and_yaml_of_mixed_values():
    class Index:
        def __index__(self):
            return 7

    obj = Object("T", {
        "b": True, "big": 2**63, "max": 2**64 - 1, "min": -2**63, "i": Index(), "f": 3.0, "nan": math.nan,
        "tuple": (1, 2), "lone": "\udc80", "none": None, "nested": {"z": [Object("U", {"y": 1e16, "x": 1e-6})], "a": ""},
    })
    text = obj.to_json()
    assert list(json.loads(text)) == sorted(obj.keys())
    assert json.loads(text) == {
        "b": True, "big": 2**63, "max": 2**64 - 1, "min": -2**63, "i": 7, "f": 3.0, "nan": None,
        "tuple": "(1, 2)", "lone": "'\\udc80'", "none": None, "nested": {"a": "", "z": [{"x": 1e-6, "y": 1e16}]},
    }
    assert '"f": 3.0,' in text and '"x": 1e-6,' in text and '"y": 1e+16' in text
    assert obj.to_yaml() == (
        "b: true\nbig: 9223372036854775808\nf: 3.0\ni: 7\nlone: '''\\udc80'''\nmax: 18446744073709551615\n"
        "min: -9223372036854775808\nnan: null\nnested:\n  a: ''\n  z:\n  - x: 1e-6\n    y: 1e16\nnone: null\n"
        "tuple: (1, 2)\n")


@pytest.mark.parametrize("value", [2**64, -2**63 - 1, 2**127, -2**127, 10**400])
def test_integers_beyond_64_bits_are_written_exactly(value):
    obj = Object("T", {"v": value, "w": [value]})
    assert json.loads(obj.to_json()) == {"v": value, "w": [value]}
    assert obj.to_yaml() == f"v: {value}\nw:\n- {value}\n"


def test_non_text_key_in_a_dict_value():
    with pytest.raises(TypeError, match=r"^'int' object is not an instance of 'str'$"):
        Object("T", {"d": {1: 2}}).to_yaml()


def test_dict_changed_during_conversion():
    class Grows:
        def __init__(self, target):
            self.target = target

        def __repr__(self):
            self.target["more"] = 1
            return "grows"

    d = {}
    d["a"] = Grows(d)
    with pytest.raises(RuntimeError, match="^dictionary changed size during iteration$"):
        Object("T", {"d": d}).to_json()


def test_self_containing_values_end_in_recursion_error():
    values = []
    obj = Object("T", {"l": values})
    values.append(obj)
    assert repr(obj) == "T(l=[T(l=[...])])"
    with pytest.raises(RecursionError):
        obj.to_json()
    with pytest.raises(RecursionError):
        obj.to_dict()
    values.clear()


def test_cycles_through_field_values_are_collected():
    values = []
    obj = Package("Package", {"l": values})
    values.append(obj)
    ref = weakref.ref(obj)
    del obj, values
    gc.collect()
    assert ref() is None


@pytest.mark.parametrize("member", ["__init__", "__new__"])
def test_tree_build_calls_a_record_class_given_its_own_constructor(member):
    from dorvek.ort import LicenseCategory, LicenseClassifications
    calls = []

    def init(self, type_name, fields):
        calls.append((type_name, dict(fields)))

    def new(cls, type_name, fields):
        calls.append((type_name, dict(fields)))
        return Object.__new__(cls, type_name, fields)

    setattr(LicenseCategory, member, init if member == "__init__" else new)
    try:
        doc = LicenseClassifications.from_yaml_str("categories: [{name: a}]\n")
        assert type(doc.categories[0]) is LicenseCategory
    finally:
        delattr(LicenseCategory, member)
    assert calls == [("LicenseCategory", {"name": "a", "description": ""})]
    assert LicenseClassifications.from_yaml_str("categories: [{name: b}]\n").categories[0].name == "b"
    assert len(calls) == 1
