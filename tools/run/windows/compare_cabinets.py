#!/usr/bin/env python3
"""Extracts every test cabinet with extractcab of the Linux build (libmspack) and of the Windows
build (FDI, under Wine) and compares the outcomes: the same cabinets extracted, and each extracted
tree the same, byte for byte, with the same modification times and the same read-only files.

usage: compare_cabinets.py <linux extractcab> <windows build folder>

Differences the two systems are expected to show, and the only ones allowed:
- names that differ only in case are one name on Windows;
- a cabinet whose Linux extraction holds a name that Windows cannot hold (<>:"|?* or a control
  character, a blank or full stop at a name's end, a device name such as CON) is refused on
  Windows;
- among the inputs the fuzzer found (named by their digest), a cabinet whose data libmspack decodes
  may be refused by FDI, whose checks of damaged cabinets are stricter. The opposite, FDI
  extracting what libmspack refuses, is a failure everywhere.
The executable bit, which Windows lacks, is not compared; nor is the time of a file whose cabinet
holds no valid time (both systems give it the time of its extraction).
"""
import hashlib
import os
import re
import shutil
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[3]
SAMPLES = [ROOT / "tests/data/cabinets", ROOT / "tests/foundation/cabinet/extract_corpus"]
FUZZ_FOUND = re.compile(r"^[0-9a-f]{40}$")
WINDOWS_FORBIDDEN = set('<>:"|?*\\') | {chr(c) for c in range(32)}
DEVICES = {"CON", "PRN", "AUX", "NUL"} | {f"{kind}{n}" for kind in ("COM", "LPT") for n in range(1, 10)}


def is_windows_name(component):
    base = component.split(".")[0].upper()
    return (component and component[-1] not in ". " and base not in DEVICES
            and not WINDOWS_FORBIDDEN.intersection(component))


def outcomes(listing):
    result = {}
    for line in listing.splitlines():
        name, status, *reason = line.split("\t")
        result[name] = (status, reason[0] if reason else "")
    return result


def tree(folder, since):
    """Every file and folder below the program folder (the empty staging folder left out). A file
    whose cabinet holds no valid time carries the time of its extraction, after `since`."""
    entries = {}
    for path in sorted(folder.rglob("*")):
        relative = path.relative_to(folder).as_posix()
        info = path.lstat()
        if path.is_dir():
            if relative != "temp":
                entries[relative] = "folder"
            continue
        digest = hashlib.sha256(path.read_bytes()).hexdigest()[:16]
        writable = bool(info.st_mode & 0o200)
        modified = "at extraction" if info.st_mtime >= since else int(info.st_mtime)
        entries[relative] = f"{info.st_size} bytes {digest} modified {modified}" + (
            "" if writable else " read-only")
    return entries


def same_on_windows(linux_tree, windows_tree):
    """The trees agree once names that differ only in case are one, as on Windows, where the
    cabinet's later file of such a name replaces the earlier one as it does for equal names."""
    folded = {}
    for name, entry in linux_tree.items():
        folded.setdefault(name.upper(), set()).add(entry)
    return (sorted(folded) == sorted(name.upper() for name in windows_tree) and
            all(entry in folded[name.upper()] for name, entry in windows_tree.items()))


def main():
    linux, build = Path(sys.argv[1]).resolve(), Path(sys.argv[2]).resolve()
    work = build / "compare-cabinets"
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    # Relative to the top of the tree: all of them fit on one Windows command line.
    cabinets = sorted(str(p.relative_to(ROOT)) for folder in SAMPLES for p in folder.iterdir()
                      if p.is_file())
    runs = {
        "linux": [str(linux), str(work / "linux")],
        "windows": [str(ROOT / "tools/run/windows/wine_exec.sh"), str(build),
                    str(build / "bin/extractcab.exe"), str(work / "windows")],
    }
    since = time.time()
    results = {}
    for system, command in runs.items():
        run = subprocess.run(command + cabinets, cwd=ROOT, stdin=subprocess.DEVNULL,
                             capture_output=True, text=True, errors="replace")
        if run.returncode != 0:
            sys.exit(f"extractcab on {system} ended with status {run.returncode}: {run.stderr[-2000:]}")
        listing = run.stdout
        (work / f"{system}.txt").write_text(listing)
        results[system] = outcomes(listing)

    failures, unholdable, stricter, agreeing = [], [], [], 0
    for cabinet in cabinets:
        name = Path(cabinet).name
        (linux_status, _), (windows_status, windows_reason) = (results["linux"].get(name, ("missing", "")),
                                                               results["windows"].get(name, ("missing", "")))
        linux_tree = tree(work / "linux" / name / "program", since)
        windows_tree = tree(work / "windows" / name / "program", since)
        if linux_status == windows_status:
            if linux_tree != windows_tree and not same_on_windows(linux_tree, windows_tree):
                differing = sorted(k for k in linux_tree.keys() | windows_tree.keys()
                                   if linux_tree.get(k) != windows_tree.get(k))
                failures.append(f"{name}: the extracted files differ: {differing[:3]}")
            else:
                agreeing += 1
            continue
        if linux_status == "ok" and windows_status == "refused":
            if any(not is_windows_name(part) for path in linux_tree for part in path.split("/")):
                unholdable.append(name)
                continue
            if FUZZ_FOUND.match(name) and not windows_tree:
                stricter.append(name)
                continue
        failures.append(f"{name}: {linux_status} on Linux, {windows_status} on Windows {windows_reason}")

    print(f"cabinets on Linux and Windows: {len(cabinets)} compared, {agreeing} with the same "
          f"outcome and files, {len(unholdable)} refused on Windows for names Windows cannot hold, "
          f"{len(stricter)} damaged inputs of the fuzzer refused by FDI alone, {len(failures)} differ; "
          f"the lists are in {work}")
    for failure in failures:
        print("DIFFERS " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
