#!/usr/bin/env python3
"""Fails on a function or variable that one translation unit defines without `static` and no
other unit of the build uses: it belongs to its file. Reads the objects of every source in
BUILD_DIR/compile_commands.json with nm. The tests, benchmarks and tools count as users: what
a test reads is used by two units; those read by nothing but their file and tests are listed,
and pass. Inline functions, templates and other weak definitions live
in headers and are not looked at; nor are GoogleTest's generated test classes.

    check_externs.py BUILD_DIR"""
import json
import pathlib
import re
import shlex
import subprocess
import sys

STRONG = set("TDBRGSC")          # defined here, not weak
OUTSIDE_USERS = {"main", "LLVMFuzzerTestOneInput", "LLVMFuzzerInitialize"}
REPLACED = re.compile(r"^_Z(nw|na|dl|da)")  # operator new and delete, replaced for the program
GTEST_MADE = re.compile(r"_Test(?:8TestBodyEv|10test_info_E|24gtest_registering_dummy_E)$")  # TEST()s


def objects(build):
    root = pathlib.Path(build).resolve()
    found = {}
    for entry in json.loads((root / "compile_commands.json").read_text()):
        source = pathlib.Path(entry["file"])
        words = shlex.split(entry["command"])
        obj = pathlib.Path(entry["directory"]) / words[words.index("-o") + 1]
        if "tests/layout/" in str(source) or not obj.exists():
            continue  # the header probes are built, if at all, by their own tests
        found[str(obj)] = source
    return found


def symbols(paths):
    """(defined, used): object -> set of strong global definitions, symbol -> objects using it."""
    defined = {p: set() for p in paths}
    used = {}
    for start in range(0, len(paths), 200):
        batch = paths[start:start + 200]
        out = subprocess.run(["nm", "-P", "-A", *batch], check=True, capture_output=True,
                             text=True).stdout
        for line in out.splitlines():
            where, rest = line.split(": ", 1)
            fields = rest.split()
            name, kind = fields[0], fields[1]
            if kind == "U":
                used.setdefault(name, set()).add(where)
            elif kind in STRONG:
                defined[where].add(name)
    return defined, used


def demangle(names):
    out = subprocess.run(["c++filt"], input="\n".join(names), capture_output=True, text=True,
                         check=True).stdout.splitlines()
    return dict(zip(names, out))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    objs = objects(sys.argv[1])
    source_root = pathlib.Path(__file__).resolve().parent.parent.parent
    if len(objs) < 20:
        sys.exit(f"FAIL: only {len(objs)} objects found under {sys.argv[1]}: build it first")
    defined, used = symbols(sorted(objs))
    findings, for_tests = set(), set()
    for obj, names in defined.items():
        for name in names:
            if (name in OUTSIDE_USERS or name.startswith("__") or REPLACED.search(name)
                    or GTEST_MADE.search(name)):  # "__": the compiler's, e.g. ASan's __odr_asan
                continue
            others = used.get(name, set()) - {obj}
            source = str(objs[obj].resolve().relative_to(source_root))
            if not others:
                findings.add((source, name))
            elif not source.startswith("tests/") and all(
                    str(objs[o]).startswith(str(source_root / "tests")) for o in others):
                for_tests.add((source, name))
    names = demangle(sorted({n for _, n in findings | for_tests}))
    for source, name in sorted(for_tests):
        print(f"note: {source}: {names[name]} is public for the tests alone")
    for source, name in sorted(findings):
        print(f"FAIL: {source}: {names[name]} is used by this file alone: make it static "
              f"or move it")
    print(f"{len(objs)} objects, {sum(map(len, defined.values()))} external definitions")
    sys.exit(1 if findings else 0)


if __name__ == "__main__":
    main()
