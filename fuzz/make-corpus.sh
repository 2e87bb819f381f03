#!/bin/sh
# Builds the seed corpora of the FoxPro fuzz targets from the shared fixtures, at run time
# (copies of the fixtures are never committed). Usage: fuzz/make-corpus.sh OUTPUT_FOLDER
# [FIXTURES_FOLDER]; makes OUTPUT/vfp_table, OUTPUT/vfp_memo and OUTPUT/vfp_container.
set -eu
out=${1:?usage: make-corpus.sh OUTPUT_FOLDER [FIXTURES_FOLDER]}
fixtures=${2:-$(dirname "$0")/../../shared/fixtures/real}
mkdir -p "$out/vfp_table" "$out/vfp_memo" "$out/vfp_container"
python3 - "$fixtures" "$out" <<'PY'
import hashlib, os, pathlib, struct, sys
fixtures, out = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
def save(kind, data):
    (out / kind / hashlib.sha1(data).hexdigest()).write_bytes(data)
def sibling(path, ext):
    for candidate in path.parent.iterdir():
        if candidate.name.lower() == (path.stem + ext).lower():
            return candidate
for path in sorted(fixtures.rglob('*')):
    ext = path.suffix.lower()
    if ext in ('.dbf', '.dbc'):
        save('vfp_table', path.read_bytes())
    if ext in ('.fpt', '.dct'):
        memo = path.read_bytes()
        for block in (1, 8, 9, 16):
            save('vfp_memo', bytes([0]) + struct.pack('<I', block) + memo[:65536])
    if ext == '.dbc':
        dct = sibling(path, '.dct')
        dbc = path.read_bytes()
        save('vfp_container', struct.pack('<I', len(dbc)) + dbc + (dct.read_bytes() if dct else b''))
PY
for kind in vfp_table vfp_memo vfp_container; do
    echo "$kind: $(ls "$out/$kind" | wc -l) seeds"
done
