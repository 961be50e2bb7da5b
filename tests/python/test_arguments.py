"""Argument binding and argument types of every Python-callable entry."""
import pytest

from dorvek.ort import LicenseClassifications, Object, OrtResult

OBJ = Object("T", {"a": 1})
LC = LicenseClassifications.from_yaml_str("")

CASES = [
    # (call, exception, message, note)
    (lambda: Object(), TypeError, "Object.__new__() missing 1 required positional argument: 'type_name'", None),
    (lambda: Object("a", None, 1), TypeError,
     "Object.__new__() takes from 1 to 2 positional arguments but 3 were given", None),
    (lambda: Object("a", x=1), TypeError, "Object.__new__() got an unexpected keyword argument 'x'", None),
    (lambda: Object("a", type_name="b"), TypeError,
     "Object.__new__() got multiple values for argument 'type_name'", None),
    (lambda: Object(1), TypeError, "'int' object is not an instance of 'str'", "type_name"),
    (lambda: Object(None), TypeError, "'None' is not an instance of 'str'", "type_name"),
    (lambda: Object("a", []), TypeError, "'list' object is not an instance of 'dict'", "fields"),
    (lambda: Object("a", {1: 2}), TypeError, "'int' object is not an instance of 'str'", None),
    (lambda: Object("\udc80"), UnicodeEncodeError, None, "type_name"),
    (lambda: Object("a", {"\udc80": 1}), UnicodeEncodeError, None, None),
    (lambda: OrtResult.from_yaml_str(), TypeError,
     "OrtResult.from_yaml_str() missing 1 required positional argument: 's'", None),
    (lambda: OrtResult.from_yaml_str("a", "b"), TypeError,
     "OrtResult.from_yaml_str() takes 1 positional arguments but 2 were given", None),
    (lambda: OrtResult.from_yaml_str(text=""), TypeError,
     "OrtResult.from_yaml_str() got an unexpected keyword argument 'text'", None),
    (lambda: LicenseClassifications.from_yaml_file("x", path="y"), TypeError,
     "LicenseClassifications.from_yaml_file() got multiple values for argument 'path'", None),
    (lambda: OrtResult.from_yaml_str(b""), TypeError, "'bytes' object is not an instance of 'str'", "s"),
    (lambda: OrtResult.from_yaml_str("\ud800"), UnicodeEncodeError, None, "s"),
    (lambda: OrtResult.from_yaml_file(__import__("pathlib").Path("x")), TypeError,
     "'PosixPath' object is not an instance of 'str'", "path"),
    (lambda: OBJ[0], TypeError, "'int' object is not an instance of 'str'", "name"),
    (lambda: 0 in OBJ, TypeError, "'int' object is not an instance of 'str'", "name"),
    (lambda: LC[None], TypeError, "'None' is not an instance of 'str'", "name"),
    (lambda: 0 in LC, TypeError, "'int' object is not an instance of 'str'", "name"),
]


@pytest.mark.parametrize("call, exception, message, note", CASES)
def test_argument_errors(call, exception, message, note):
    with pytest.raises(exception) as info:
        call()
    assert type(info.value) is exception
    if message is not None:
        assert str(info.value) == message
    assert getattr(info.value, "__notes__", None) == ([f"while processing '{note}'"] if note else None)


def test_arguments_by_keyword():
    assert Object(type_name="T", fields={"a": 1}) == OBJ
    assert len(LicenseClassifications.from_yaml_str(s="")) == 2
    assert len(LC.from_yaml_str("")) == 2  # a static method, also through an instance
