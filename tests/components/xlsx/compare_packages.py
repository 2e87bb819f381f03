#!/usr/bin/python3
# Compares two .xlsx packages part by part, each part inflated (zipfile checks every CRC-32),
# with only the creation time in docProps/core.xml normalised. Prints the first difference of
# each part that differs and exits 1; exits 0 when the packages hold the same parts.
# Each known difference OLD NEW stands for bytes the candidate writes on purpose where the
# reference writes others: OLD is replaced by NEW in the reference's parts before they are
# compared, and a known difference the reference never writes is itself a difference.
# Usage: compare_packages.py REFERENCE.xlsx CANDIDATE.xlsx [OLD NEW]...
import re
import sys
import zipfile

STAMP = re.compile(rb"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ")


def parts(path):
    with zipfile.ZipFile(path) as package:
        return {name: STAMP.sub(b"STAMP", package.read(name)) for name in package.namelist()}


reference, candidate = parts(sys.argv[1]), parts(sys.argv[2])
differences = 0
known = [arg.encode() for arg in sys.argv[3:]]
for old, new in zip(known[0::2], known[1::2]):
    if not any(old in part for part in reference.values()):
        print(f"known difference {old!r} -> {new!r}: the reference never writes {old!r}")
        differences += 1
    reference = {name: part.replace(old, new) for name, part in reference.items()}
for name in sorted(set(reference) | set(candidate)):
    if name not in candidate or name not in reference:
        print(f"{name}: only in {'the reference' if name in reference else 'the candidate'}")
        differences += 1
        continue
    a, b = reference[name], candidate[name]
    if a == b:
        continue
    at = next((i for i in range(min(len(a), len(b))) if a[i] != b[i]), min(len(a), len(b)))
    print(f"{name}: differs at byte {at} of {len(a)} / {len(b)}")
    print(f"  reference: {a[max(0, at - 60):at + 60]!r}")
    print(f"  candidate: {b[max(0, at - 60):at + 60]!r}")
    differences += 1
sys.exit(1 if differences else 0)
