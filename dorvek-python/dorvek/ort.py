"""The ORT model: the document classes, `Object` and the record classes."""
from . import _dorvek

__all__ = list(getattr(_dorvek.ort, "__all__", []))
globals().update({name: getattr(_dorvek.ort, name) for name in __all__})
