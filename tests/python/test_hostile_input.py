"""Hostile input: alias fan-out, deep nesting in every kind of position, odd
characters, huge numbers and texts. Every one ends in a value or a
ValueError with its text; none crashes, hangs or grows without bound."""
import json

import pytest

from dorvek.ort import LicenseClassifications, Object, OrtResult, RepositoryConfiguration

DEEP = 10_000
DEEP_SEQ = "[" * DEEP + "]" * DEEP
DEEP_MAP = "{a: " * DEEP + "b" + "}" * DEEP

# The smallest repository an ORT result needs; `config` is a repository configuration.
REPOSITORY = ("repository:\n  vcs: {type: '', url: '', revision: '', path: ''}\n"
              "  vcs_processed: {type: '', url: '', revision: '', path: ''}\n  config: {config}\n")


def ort_result(rest="", config="{}"):
    return REPOSITORY.replace("{config}", config) + rest


def read(cls, text):
    """The document, or the ValueError's text."""
    try:
        return cls.from_yaml_str(text)
    except ValueError as e:
        return str(e)


def fan_out(item, count):
    """An anchored list of 1,000 items replayed `count` times."""
    return "&a [" + ", ".join([item] * 1000) + "]" + "".join(", *a" for _ in range(count))


# Each place takes a value V: (class, document around V).
PLACES = {
    "record list": (LicenseClassifications, "categories: V\n"),
    "record": (LicenseClassifications, "categories: [V]\n"),
    "text field": (LicenseClassifications, "categories: [{name: V}]\n"),
    "text list": (LicenseClassifications, "categorizations: [{id: x, categories: V}]\n"),
    "text list element": (LicenseClassifications, "categorizations: [{id: x, categories: [V]}]\n"),
    "repository configuration list": (RepositoryConfiguration, "package_configurations: V\n"),
    "free-form option": (RepositoryConfiguration, "analyzer: {package_managers: {Npm: {options: {o: V}}}}\n"),
    "text map": (OrtResult, ort_result("labels: {a: V}\n")),
    "skipped key": (OrtResult, ort_result("unknown: V\n")),
    "key a run sets aside": (OrtResult, ort_result("analyzer: {extra: V}\n")),
    "embedded configuration": (OrtResult, ort_result(config="{analyzer: {package_managers: {Npm: {options: {o: V}}}}}")),
}


@pytest.mark.parametrize("place", PLACES)
@pytest.mark.parametrize("value", [DEEP_SEQ, DEEP_MAP], ids=["sequences", "mappings"])
def test_deep_nesting_fails_with_the_limit_or_the_first_type_error(place, value):
    cls, doc = PLACES[place]
    result = read(cls, doc.replace("V", value))
    assert isinstance(result, str), "10,000 levels never read"
    if place in ("free-form option", "skipped key", "key a run sets aside", "embedded configuration"):
        assert result.startswith("recursion limit exceeded at line "), result
    else:
        # Where the first level is already wrong, that is the error.
        assert any(m in result for m in ("recursion limit exceeded", "invalid type: ", "unknown field `a`")), result


FAN_OUT = {
    "text list": (LicenseClassifications, "categorizations: [{id: x, categories: &a [" + ", ".join(["x"] * 1000)
                  + "]}" + "".join(f", {{id: y{i}, categories: *a}}" for i in range(2000)) + "]\n"),
    "text map": (OrtResult, ort_result("labels: {a: &t " + "x" * 100_000
                                       + "".join(f", k{i}: *t" for i in range(1000)) + "}\n")),
    "free-form option": (RepositoryConfiguration, PLACES["free-form option"][1].replace("V", "[" + fan_out("x", 20_000) + "]")),
    "skipped key": (OrtResult, ort_result("unknown: [" + fan_out("x", 20_000) + "]\n")),
    "key a run sets aside": (OrtResult, ort_result("analyzer: {extra: [" + fan_out("x", 20_000) + "]}\n")),
}


@pytest.mark.parametrize("place", FAN_OUT)
def test_alias_fan_out_stops_at_the_repetition_limit(place):
    cls, text = FAN_OUT[place]
    result = read(cls, text)
    if place == "skipped key":
        # A skipped value follows no alias.
        assert not isinstance(result, str), result
    else:
        assert result == "repetition limit exceeded"


def test_alias_fan_out_of_a_long_text_counts_its_bytes():
    text = ("categories: [{name: &t " + "x" * 1_000_000 + "}"
            + "".join(", {name: *t}" for _ in range(200)) + "]\n")
    assert read(LicenseClassifications, text) == "repetition limit exceeded"


def test_aliases_below_the_limit_are_read_again():
    names = [f"c{i}" for i in range(1000)]
    text = ("categories: [" + ", ".join(f"{{name: {n}}}" for n in names) + "]\n"
            "categorizations: [{id: x, categories: &a [" + ", ".join(names) + "]}"
            + "".join(f", {{id: y{i}, categories: *a}}" for i in range(50)) + "]\n")
    doc = read(LicenseClassifications, text)
    assert len(doc.categorizations) == 51
    assert sorted(doc.categorizations[-1].categories) == sorted(names)


@pytest.mark.parametrize("make", [list, dict])
@pytest.mark.parametrize("method", ["to_json", "to_yaml", "to_dict", "__repr__"])
def test_deep_python_values_in_objects_end_in_recursion_error(make, method):
    value = root = make()
    for _ in range(DEEP * 10):
        inner = make()
        if make is list:
            value.append(inner)
        else:
            value["k"] = inner
        value = inner
    with pytest.raises(RecursionError):
        getattr(Object("T", {"v": root}), method)()


def test_deeply_chained_objects_are_freed():
    obj = Object("T")
    for _ in range(1_000_000):
        obj = Object("T", {"c": [obj]})
    del obj


@pytest.mark.parametrize("text, message", [
    ("categories: [{name: a\0}]\n", "control characters are not allowed at position 21"),
    ("categories: [{name: \"\\ud800\"}]\n",
     "found invalid Unicode character escape code at line 1 column 24, while parsing a quoted scalar at line 1 column 21"),
    ("categories: [{name: \"\\U00110000\"}]\n",
     "found invalid Unicode character escape code at line 1 column 24, while parsing a quoted scalar at line 1 column 21"),
    # At offset 0 the position is left out.
    ("\x01", "control characters are not allowed"),
])
def test_forbidden_characters(text, message):
    assert read(LicenseClassifications, text) == message


def test_lone_surrogate_in_the_text_argument():
    for cls in (LicenseClassifications, RepositoryConfiguration, OrtResult):
        with pytest.raises(UnicodeEncodeError) as info:
            cls.from_yaml_str("categories: [{name: \ud800}]\n")
        assert info.value.__notes__ == ["while processing 's'"]


def test_escaped_control_characters_and_nul_round_trip():
    name = "a\0b\x01\x7f\ufeff\u2028\U0001F600"
    doc = read(LicenseClassifications,
               'categories: [{name: "a\\0b\\x01\\x7f\\ufeff\\L\\U0001F600"}]\n')
    assert doc.categories[0].name == name
    assert json.loads(doc.to_json())["categories"][0]["name"] == name
    assert read(LicenseClassifications, doc.to_yaml()).categories[0].name == name


@pytest.mark.parametrize("number", [
    "18446744073709551616", "-9223372036854775809", "1" * 400, "0x" + "f" * 40, "1e400", "-1e400",
])
def test_integers_and_floats_beyond_range_in_text_fields_are_texts(number):
    doc = read(LicenseClassifications, f"categories: [{{name: {number}}}]\n")
    assert doc.categories[0].name == number
    assert read(LicenseClassifications, doc.to_yaml()).categories[0].name == number


@pytest.mark.parametrize("style", ["plain", "single", "double", "literal"])
def test_ten_megabyte_texts(style):
    big = "x" * (10 * 1024 * 1024)
    value = {"plain": big, "single": f"'{big}'", "double": f'"{big}"', "literal": f"|-\n    {big}\n"}[style]
    doc = read(LicenseClassifications, f"categories:\n- name: {value}\n")
    assert doc.categories[0].name == big
    assert len(doc.to_json()) > len(big) and len(doc.to_yaml()) > len(big)
    assert doc.to_dict()["categories"][0]["name"] == big


def test_ten_megabyte_key_is_one_undeclared_text():
    # Past 1,024 characters a key is no simple key: the whole line is one text.
    result = read(LicenseClassifications, "x" * (10 * 1024 * 1024) + ": 1\n")
    assert result.startswith('invalid type: string "xxxx') and result.endswith(
        '", expected struct LicenseClassifications')
