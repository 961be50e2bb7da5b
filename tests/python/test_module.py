"""Module start-up: the submodule, its classes and where they are published."""
import ctypes
import importlib
import subprocess
import sys
import weakref

import pytest

import dorvek._dorvek as native
import dorvek.ort as ort

DOCUMENTS = ["LicenseClassifications", "RepositoryConfiguration", "OrtResult"]


def test_submodule_is_registered_under_the_package_path():
    assert native.__all__ == ["ort"]
    assert native.ort.__name__ == "dorvek.ort"
    assert sys.modules["dorvek._dorvek.ort"] is native.ort
    assert native.ort.__all__ == ["Object", *DOCUMENTS]
    assert not hasattr(native.ort, "__file__") and native.ort.__doc__ is None
    assert native.__doc__.endswith("`from dorvek.ort import OrtResult` is the ORT import path.")


def test_star_import_binds_the_four_native_classes_only():
    scope = {}
    exec("from dorvek._dorvek.ort import *", scope)
    assert sorted(k for k in scope if not k.startswith("__")) == sorted(["Object", *DOCUMENTS])


def test_record_classes_are_object_subclasses_on_both_modules():
    for name in ["Package", "AnalyzerRun", "LicenseCategory", "VcsType", "VulnerabilityResolution"]:
        cls = getattr(native.ort, name)
        assert getattr(ort, name) is cls
        assert cls.__mro__[1:] == (ort.Object, object)
        assert (cls.__module__, cls.__name__, cls.__qualname__) == ("dorvek.ort", name, name)
    # The package keeps the document classes under their names.
    for name in DOCUMENTS:
        assert getattr(ort, name) is getattr(native.ort, name)
        assert hasattr(getattr(ort, name), "from_yaml_file")


def test_class_properties():
    assert ort.Object.__module__ == "dorvek.ort"
    assert ort.Object.__text_signature__ == "(type_name, fields=None)"
    assert ort.Object.keys.__text_signature__ == "($self)"
    for name in DOCUMENTS:
        cls = getattr(ort, name)
        assert (cls.__module__, cls.__qualname__, cls.__doc__) == ("dorvek.ort", name, None)
        assert cls.from_yaml_str.__text_signature__ == "(s)"
        assert cls.from_yaml_file.__text_signature__ == "(path)"
        assert cls.to_dict.__doc__ == "The model as nested plain `dict`s and lists."
        with pytest.raises(TypeError):
            cls()
        with pytest.raises(TypeError):
            type("X", (cls,), {})
    type("X", (ort.Object,), {})


def test_document_instances_have_no_dict_nor_weak_references():
    doc = ort.LicenseClassifications.from_yaml_str("")
    with pytest.raises(AttributeError):
        doc.extra = 1
    with pytest.raises(TypeError):
        weakref.ref(doc)
    ort.LicenseClassifications.extra = 1
    del ort.LicenseClassifications.extra


def test_importing_again_gives_a_new_submodule_with_the_same_classes():
    saved = {k: sys.modules.pop(k) for k in ["dorvek._dorvek", "dorvek._dorvek.ort"]}
    try:
        again = importlib.import_module("dorvek._dorvek")
        assert again is not native and again.ort is not native.ort
        assert again.ort.OrtResult is native.ort.OrtResult
        assert again.ort.Package is native.ort.Package
        assert sys.modules["dorvek._dorvek.ort"] is again.ort
    finally:
        sys.modules.update(saved)


def test_execution_function_refuses_a_non_module():
    # PyInit gives the module definition; its first slot is the execution function.
    init = ctypes.PyDLL(native.__file__).PyInit__dorvek
    init.restype = ctypes.c_void_p
    definition = init()
    slots = ctypes.c_void_p.from_address(definition + 72).value
    assert ctypes.c_int.from_address(slots).value == 2  # Py_mod_exec
    exec_fn = ctypes.PYFUNCTYPE(ctypes.c_int, ctypes.py_object)(ctypes.c_void_p.from_address(slots + 8).value)
    with pytest.raises(TypeError, match=r"^'int' object is not an instance of 'module'$"):
        exec_fn(5)


def test_export_entry_lists_exec_abi_gil_name_and_doc():
    export = ctypes.PyDLL(native.__file__).PyModExport__dorvek
    export.restype = ctypes.c_void_p
    slots = export()
    entries = []
    while ctypes.c_int.from_address(slots).value != 0:
        entries.append((ctypes.c_int.from_address(slots).value, ctypes.c_void_p.from_address(slots + 8).value))
        slots += 16
    assert len(entries) == 5
    assert entries[0][0] == 2  # the execution function, as in the module definition
    assert ctypes.string_at(entries[1][1], 12) == bytes([1, 0, 2, 0]) + bytes(8)
    assert entries[2][1] is None  # the interpreter lock stays declared as used
    assert ctypes.string_at(entries[3][1]) == b"_dorvek"
    assert ctypes.string_at(entries[4][1]).decode() == native.__doc__


def test_a_type_name_gets_one_class_even_when_making_it_runs_python_code():
    # In a fresh interpreter: the root class of a document tree is made at the
    # first tree build, and making it runs Object's __init_subclass__.
    code = """if True:
        import gc
        from dorvek.ort import LicenseClassifications, Object
        inner = LicenseClassifications.from_yaml_str("")
        outer = LicenseClassifications.from_yaml_str("")
        def hook(cls, **kwargs):
            del Object.__init_subclass__
            inner.keys()  # asks for the same class before the first is stored
        Object.__init_subclass__ = classmethod(hook)
        outer.keys()
        gc.collect()
        print(sum(c.__name__ == "LicenseClassifications" for c in Object.__subclasses__()))
    """
    out = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True, check=True).stdout
    assert out == "1\n"
