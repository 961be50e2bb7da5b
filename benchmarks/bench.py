#!/usr/bin/env python3
"""Time dorvek against PyYAML's C loader and dumper, json.dumps and libyaml's
bare event parse, on the same files, in one process (the loads interleaved
round by round, then the writers likewise); then measure peak memory of each
operation in a fresh process.

    python benchmarks/bench.py                       # OrtResult: largest real results + 5 and 50 MB synthetic
    python benchmarks/bench.py --class LicenseClassifications
    python benchmarks/bench.py --class OrtResult --sizes 5,50 --rounds 5 FILE...

Needs the installed package (pip install .), PyYAML built with libyaml, a C
compiler and libyaml's headers (the floor is compiled on the fly). Synthetic
documents repeat the list items of a real document with unique identifiers;
they are written into a temporary directory and removed afterwards.
"""

from __future__ import annotations

import argparse
import ctypes
import gc
import json
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import yaml

HERE = Path(__file__).resolve().parent
DATA = HERE.parent / "tests" / "data"
MB = 1024 * 1024

# Per document class: where its real documents live, how many of the largest
# to take by default, the list whose items the synthetic documents repeat and
# the key of each item made unique in every copy.
CLASSES = {
    "OrtResult": (DATA / "ort-result", 3, "packages", "id"),
    "RepositoryConfiguration": (DATA / "repository-configuration", 1, "license_findings", "path"),
    "LicenseClassifications": (DATA / "license-classifications", 1, "categorizations", "id"),
}


# --- the peers -------------------------------------------------------------

class PeerLoader(yaml.CSafeLoader):
    """The C safe loader, reading local tags (`!<.PostgresStorageConfiguration>`)
    as the plain values they tag, so it parses what dorvek parses."""


def _construct_untagged(loader, node):
    if isinstance(node, yaml.MappingNode):
        return loader.construct_mapping(node, deep=True)
    if isinstance(node, yaml.SequenceNode):
        return loader.construct_sequence(node, deep=True)
    return loader.construct_scalar(node)


PeerLoader.add_constructor(None, _construct_untagged)


def peer_load(text):
    return yaml.load(text, Loader=PeerLoader)


def peer_json(obj):
    return json.dumps(obj, indent=2, default=str)


def peer_yaml(obj):
    return yaml.dump(obj, Dumper=yaml.CSafeDumper)


# --- the floor: libyaml's bare event parse ---------------------------------

def build_floor(workdir: Path):
    """Compiles event_floor.c into a shared library; its parse function."""
    cc = os.environ.get("CC") or shutil.which("cc") or shutil.which("gcc")
    if not cc:
        sys.exit("bench: no C compiler found for the libyaml floor")
    try:
        flags = subprocess.run(["pkg-config", "--cflags", "--libs", "yaml-0.1"], check=True,
                               capture_output=True, text=True).stdout.split()
    except (OSError, subprocess.CalledProcessError):
        flags = ["-lyaml"]
    lib = workdir / "libevent_floor.so"
    subprocess.run([cc, "-O2", "-shared", "-fPIC", "-o", str(lib), str(HERE / "event_floor.c"), *flags], check=True)
    fn = ctypes.CDLL(str(lib)).floor_parse_file
    fn.argtypes = [ctypes.c_char_p]
    fn.restype = ctypes.c_longlong
    return fn


# --- synthetic documents ---------------------------------------------------



def list_block(lines, key):
    """(first item line, end line, item indent) of the first block list under
    `key:` that holds items, or None."""
    head = re.compile(r"^( *)" + re.escape(key) + r": *$")
    for i, line in enumerate(lines[:-1]):
        m = head.match(line.rstrip("\n"))
        if not m:
            continue
        item = re.match(r"^( *)- ", lines[i + 1])
        if not item or len(item.group(1)) < len(m.group(1)):
            continue
        indent = len(item.group(1))
        j = i + 1
        while j < len(lines):
            text = lines[j].rstrip("\n")
            stripped = text.lstrip(" ")
            depth = len(text) - len(stripped)
            if stripped and not (depth > indent or (depth == indent and stripped.startswith("- "))):
                break
            j += 1
        return i + 1, j, indent
    return None


def split_items(lines, start, end, indent):
    items, cur = [], None
    for line in lines[start:end]:
        if line.startswith(" " * indent + "- ") and (len(line) - len(line.lstrip(" "))) == indent:
            cur = [line]
            items.append(cur)
        else:
            cur.append(line)
    return items


def with_unique_id(item, k, id_key):
    """The item with `-s<k>` appended to its first `id_key` value."""
    pattern = re.compile(r"^( *(?:- )?" + re.escape(id_key) + r": *)([\"']?)(.*?)\2( *)$")
    out = list(item)
    for n, line in enumerate(out):
        m = pattern.match(line.rstrip("\n"))
        if m:
            out[n] = f"{m.group(1)}{m.group(2)}{m.group(3)}-s{k}{m.group(2)}{m.group(4)}\n"
            return out
    raise ValueError(f"list item without `{id_key}`")


def synthesize(src: Path, key: str, id_key: str, target: int, out: Path):
    lines = src.read_text(encoding="utf-8").splitlines(keepends=True)
    if lines and not lines[-1].endswith("\n"):
        lines[-1] += "\n"
    found = list_block(lines, key)
    if not found:
        raise ValueError(f"{src.name}: no `{key}` list to repeat")
    start, end, indent = found
    items = split_items(lines, start, end, indent)
    size = sum(len(l.encode()) for l in lines)
    per_copy = sum(len(l.encode()) for it in items for l in it)
    copies = max(0, -(-(target - size) // per_copy))
    with out.open("w", encoding="utf-8") as f:
        f.writelines(lines[:end])
        for k in range(1, copies + 1):
            for it in items:
                f.writelines(with_unique_id(it, k, id_key))
        f.writelines(lines[end:])


def reads(cls, path: Path):
    """Whether `cls` reads the document (parts of the model may not read yet)."""
    try:
        cls.from_yaml_file(str(path))
        return True
    except ValueError as e:
        print(f"skipping {path.name}: {e}")
        return False


def synthetic_source(candidates, key: str):
    """The document among `candidates` whose `key` list is the largest."""
    best, best_size = None, 0
    for p in candidates:
        lines = p.read_text(encoding="utf-8").splitlines(keepends=True)
        found = list_block(lines, key)
        if found:
            size = sum(len(l) for l in lines[found[0]:found[1]])
            if size > best_size:
                best, best_size = p, size
    return best


# --- timing ----------------------------------------------------------------

def timed_rounds(ops, rounds, budget=4.0):
    """Median seconds of each op: one warm-up round, then rounds with the ops
    interleaved, each result dropped outside the clock, the young generations
    of the cycle collector collected inside it. At least `rounds`;
    more for small files, up to about `budget` seconds, as their times are
    short enough for the machine's noise to matter."""
    times = {name: [] for name in ops}
    r, total = 0, None
    while True:
        start = time.perf_counter()
        for name, fn in ops.items():
            gc.collect()
            t0 = time.perf_counter()
            result = fn()
            # The collector's first pass over the new objects belongs to the
            # op that made them, though it may run only at a later allocation.
            gc.collect(1)
            t = time.perf_counter() - t0
            del result
            if r > 0:
                times[name].append(t)
        if total is None:
            total = time.perf_counter() - start
            rounds = max(rounds, min(50, int(budget / max(total, 1e-9))))
        r += 1
        if r > rounds:
            break
    gc.collect()
    return rounds, {name: statistics.median(ts) for name, ts in times.items()}


# --- memory, each operation in a fresh interpreter ---------------------------

MEMORY_CHILD = r"""
import sys, resource
op, cls_name, path = sys.argv[1:4]
import json, yaml, dorvek.ort
sys.path.insert(0, sys.argv[4])
from bench import peer_load
cls = getattr(dorvek.ort, cls_name)

def status(field):
    with open("/proc/self/status") as f:
        for line in f:
            if line.startswith(field + ":"):
                return int(line.split()[1]) * 1024
    return None

# Reset the peak to the current size, so the peak below is this op's alone.
try:
    with open("/proc/self/clear_refs", "w") as f:
        f.write("5")
    base = status("VmRSS")
    peak = lambda: status("VmHWM")
except OSError:
    base = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss * 1024
    peak = lambda: resource.getrusage(resource.RUSAGE_SELF).ru_maxrss * 1024

if op == "load":
    keep = cls.from_yaml_file(path)
elif op == "load+dict":
    doc = cls.from_yaml_file(path)
    keep = doc.to_dict()
elif op == "load+json":
    doc = cls.from_yaml_file(path)
    keep = doc.to_json()
elif op == "load+yaml":
    doc = cls.from_yaml_file(path)
    keep = doc.to_yaml()
elif op == "peer-load":
    with open(path, encoding="utf-8") as f:
        text = f.read()
    keep = peer_load(text)
print(peak() - base)
"""

MEMORY_OPS = {
    "load": "from_yaml_file",
    "load+dict": "from_yaml_file + to_dict()",
    "load+json": "from_yaml_file + to_json()",
    "load+yaml": "from_yaml_file + to_yaml()",
    "peer-load": "read + yaml.load(CSafeLoader)",
}


def peak_memory(op, cls_name, path):
    out = subprocess.run([sys.executable, "-c", MEMORY_CHILD, op, cls_name, str(path), str(HERE)],
                         check=True, capture_output=True, text=True).stdout
    return int(out.split()[-1])


# --- one file ----------------------------------------------------------------

OPS = [
    # (key, label, peer key, peer label)
    ("load+dict", "from_yaml_file(p).to_dict()", "peer-load", "yaml.load"),
    ("load", "from_yaml_file(p)", "peer-load", "yaml.load"),
    ("to_json", "doc.to_json()", "peer-json", "json.dumps"),
    ("to_yaml", "doc.to_yaml()", "peer-yaml", "yaml.dump"),
    ("peer-load", "yaml.load(text, CSafeLoader)", None, None),
    ("peer-json", "json.dumps(obj, indent=2)", None, None),
    ("peer-yaml", "yaml.dump(obj, CSafeDumper)", None, None),
    ("floor", "libyaml event parse (floor)", None, None),
]


def bench_file(cls, path: Path, rounds: int, floor, memory: bool):
    size = path.stat().st_size
    text = path.read_text(encoding="utf-8")
    bpath = os.fsencode(path)
    spath = str(path)
    if floor(bpath) < 0:
        raise RuntimeError(f"{path}: libyaml cannot parse it")

    def load_dict():
        d = cls.from_yaml_file(spath)
        return d, d.to_dict()

    # Loads first, with no large tree alive: every pass of the cycle collector
    # would walk it, charging one side for the other's objects.
    n, times = timed_rounds({
        "load+dict": load_dict,
        "load": lambda: cls.from_yaml_file(spath),
        "peer-load": lambda: peer_load(text),
        "floor": lambda: floor(bpath),
    }, rounds)
    # Then the writers, each side over its own loaded document.
    doc = cls.from_yaml_file(spath)
    obj = peer_load(text)
    _, more = timed_rounds({
        "to_json": doc.to_json,
        "to_yaml": doc.to_yaml,
        "peer-json": lambda: peer_json(obj),
        "peer-yaml": lambda: peer_yaml(obj),
    }, rounds)
    times.update(more)
    del doc, obj, text
    gc.collect()
    mem = {op: peak_memory(op, cls.__name__, path) for op in MEMORY_OPS} if memory else {}
    return {"file": path.name, "size": size, "rounds": n, "times": times, "memory": mem}


def report_file(res):
    size, times, mem = res["size"], res["times"], res["memory"]
    print(f"\n== {res['file']}  {size / MB:.2f} MB  (median of {res['rounds']} rounds)")
    print(f"{'operation':34} {'ms':>10} {'MB/s':>8}   {'vs peer':>22}   {'/ floor':>8}")
    for key, label, peer, peer_label in OPS:
        t = times[key]
        vs_peer = f"{times[peer] / t:6.2f}x faster than {peer_label}" if peer else ""
        print(f"{label:34} {t * 1e3:10.2f} {size / MB / t:8.1f}   {vs_peer:>22}   {t / times['floor']:7.2f}x")
    if mem:
        print(f"{'peak memory above the interpreter':34} {'MB':>10} {'x file':>8}   {'/ yaml.load peak':>22}")
        for op, label in MEMORY_OPS.items():
            m = mem[op]
            print(f"{label:34} {m / MB:10.1f} {m / size:8.2f}   {m / mem['peer-load']:21.2f}x")


def check_targets(results):
    """The goals of the speed work, each as met or not with its figure."""
    rows = []
    for res in results:
        t, m, size, name = res["times"], res["memory"], res["size"], res["file"]
        rows += [
            (name, "to_dict path >= 10x faster than yaml.load", t["peer-load"] / t["load+dict"], ">=", 10),
            (name, "to_dict path <= 2.5x the floor", t["load+dict"] / t["floor"], "<=", 2.5),
            (name, "from_yaml_file <= 1.5x the floor", t["load"] / t["floor"], "<=", 1.5),
            (name, "to_json >= 5x faster than json.dumps", t["peer-json"] / t["to_json"], ">=", 5),
            (name, "to_yaml >= 5x faster than yaml.dump", t["peer-yaml"] / t["to_yaml"], ">=", 5),
        ]
        if m:
            rows += [
                (name, "peak of load + to_json <= 4x file", m["load+json"] / size, "<=", 4),
                (name, "peak of load + to_dict <= 0.5x yaml.load's", m["load+dict"] / m["peer-load"], "<=", 0.5),
            ]
    synthetic = sorted((r for r in results if r["file"].startswith("synthetic-")), key=lambda r: r["size"])
    if len(synthetic) >= 2:
        small, large = synthetic[0], synthetic[-1]
        for key, label, _, _ in OPS[:4]:
            per_mb = lambda r: r["times"][key] / r["size"]
            rows.append((f"{large['file']} / {small['file']}", f"{label} time per MB, large / small",
                         per_mb(large) / per_mb(small), "<=", 1.3))
    print("\n== targets")
    for name, what, value, cmp, bound in rows:
        ok = value >= bound if cmp == ">=" else value <= bound
        print(f"{'met ' if ok else 'MISS'}  {what:48} {value:7.2f} ({cmp} {bound})  {name}")


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("files", nargs="*", type=Path, help="documents to time (default: the largest real ones)")
    ap.add_argument("--class", dest="cls", default="OrtResult", choices=sorted(CLASSES))
    ap.add_argument("--rounds", type=int, default=5,
                    help="timed rounds per operation at least (median taken; small files get more)")
    ap.add_argument("--sizes", default="5,50", help="synthetic document sizes in MB, comma-separated ('' for none)")
    ap.add_argument("--source", type=Path, help="real document whose list items the synthetic ones repeat")
    ap.add_argument("--no-memory", action="store_true", help="skip the peak-memory subprocesses")
    args = ap.parse_args()

    import dorvek.ort
    cls = getattr(dorvek.ort, args.cls)
    directory, count, key, id_key = CLASSES[args.cls]
    files = list(args.files)
    # Tiny documents time the interpreter's calls, not the reading.
    readable = [p for p in sorted(directory.glob("*.yml"), key=lambda p: p.stat().st_size, reverse=True)
                if p.stat().st_size >= 16 * 1024 and reads(cls, p)]
    if not files:
        files = readable[:count]
    sizes = [float(s) for s in args.sizes.split(",") if s.strip()]

    with tempfile.TemporaryDirectory(prefix="dorvek-bench-") as tmp:
        tmp = Path(tmp)
        floor = build_floor(tmp)
        if sizes:
            src = args.source or synthetic_source(readable, key)
            if src is None:
                sys.exit(f"bench: no real {args.cls} document with a `{key}` list to repeat")
            print(f"synthetic documents repeat the `{key}` items of {src.name}")
            for mb in sizes:
                out = tmp / f"synthetic-{mb:g}MB.yml"
                synthesize(src, key, id_key, int(mb * MB), out)
                files.append(out)
        print(f"{args.cls}; Python {sys.version.split()[0]}, PyYAML {yaml.__version__}; "
              f"{os.cpu_count()} CPUs; {time.strftime('%Y-%m-%d %H:%M')}")
        results = []
        for path in files:
            res = bench_file(cls, path, args.rounds, floor, not args.no_memory)
            report_file(res)
            results.append(res)
            sys.stdout.flush()
        check_targets(results)


if __name__ == "__main__":
    main()
