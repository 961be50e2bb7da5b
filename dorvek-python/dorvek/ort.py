"""The ORT model: the document classes, `Object` and the record classes."""
from . import _dorvek

# The extension sets each record class on this module as it makes it; the
# four native classes are re-exported by name.
__all__ = list(_dorvek.ort.__all__)
globals().update({name: getattr(_dorvek.ort, name) for name in __all__})
