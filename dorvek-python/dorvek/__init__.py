"""Strict, fast reader of the YAML documents of ORT."""
from . import ort

__all__ = ["ort"]
