"""Writes the seed corpus of one fuzz target: the real documents of its kind
in tests/data, every YAML-looking text literal of the Python tests (their
fixtures), the hostile shapes in fuzz/seeds/ and the inputs that once crashed
a target, in fuzz/regressions/.

    python3 fuzz/seeds.py KIND OUT_DIR     KIND: license-classifications,
                                           repository-configuration, ort-result
"""
import ast
import hashlib
import pathlib
import sys

ROOT = pathlib.Path(__file__).resolve().parents[1]


def fixtures():
    for path in sorted((ROOT / "tests" / "python").glob("*.py")):
        for node in ast.walk(ast.parse(path.read_text(encoding="utf-8"))):
            if isinstance(node, ast.Constant) and isinstance(node.value, str):
                text = node.value
                if ":" in text or "\n" in text or text.startswith(("[", "{", "&", "*", "!")):
                    yield text.encode("utf-8", "surrogatepass")


def seeds(kind):
    data = ROOT / "tests" / "data"
    for path in sorted((data / kind).glob("*.yml")):
        yield path.read_bytes()
    if kind == "license-classifications":
        yield (data / "license-classifications.yml").read_bytes()
    yield from fixtures()
    for folder in ("seeds", "regressions"):
        if (ROOT / "fuzz" / folder).is_dir():
            for path in sorted((ROOT / "fuzz" / folder).iterdir()):
                yield path.read_bytes()


def main(kind, out):
    out = pathlib.Path(out)
    out.mkdir(parents=True, exist_ok=True)
    for blob in seeds(kind):
        (out / hashlib.sha1(blob).hexdigest()).write_bytes(blob)


if __name__ == "__main__":
    main(*sys.argv[1:])
