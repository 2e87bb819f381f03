#!/bin/sh
# Builds the seed corpora of the fuzz targets, at run time: the FoxPro ones from the shared
# fixtures (copies of the fixtures are never committed), view_sql from the view SQL in
# fuzz/seeds/view_sql, connection_string, odbc_connect_string, spreadsheet_text and
# spreadsheet_workbook from the texts below.
# Usage: fuzz/make-corpus.sh OUTPUT_FOLDER [FIXTURES_FOLDER]; makes OUTPUT/vfp_table,
# OUTPUT/vfp_memo, OUTPUT/vfp_container, OUTPUT/view_sql, OUTPUT/connection_string,
# OUTPUT/odbc_connect_string, OUTPUT/spreadsheet_text and OUTPUT/spreadsheet_workbook.
set -eu
out=${1:?usage: make-corpus.sh OUTPUT_FOLDER [FIXTURES_FOLDER]}
fixtures=${2:-$(dirname "$0")/../../shared/fixtures/real}
kinds="vfp_table vfp_memo vfp_container view_sql connection_string odbc_connect_string spreadsheet_text spreadsheet_workbook"
for kind in $kinds; do
    mkdir -p "$out/$kind"
done
python3 - "$fixtures" "$out" "$(dirname "$0")/seeds" <<'PY'
import hashlib, os, pathlib, struct, sys
fixtures, out, seeds = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
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
for path in sorted((seeds / 'view_sql').glob('*.sql')):
    save('view_sql', path.read_bytes())
# Byte 0 of a connection_string input: even, the rest is UTF-8; odd, UTF-16LE.
for text in ('Provider=vfpoledb.1;Data Source=/data/shop.dbc;Collating Sequence=machine;',
             'PROVIDER=VFPOLEDB;data source=/a;b/c;Collating Sequence=x;collating sequence=general',
             'Provider=vfpoledb.1;Data Source=/données/été/;Collating Sequence=general',
             'Provider=sqloledb;Data Source=;Collating Sequence=;'):
    save('connection_string', b'\0' + text.encode())
    save('connection_string', b'\1' + text.encode('utf-16-le'))
# An odbc_connect_string input: ConnectString, 0x00, DataSource, 0x00, Password, 0x00, SQL.
for text in (b'', b'DSN=sales;UID=clerk;PWD={a;b}}c}\0\0s3cret\0SELECT 1;',
             b'\0CURSADM\0\0SELECT * FROM t WHERE a = \'x;y\' -- z;',
             b'Driver={SQL Server};Server=db1;APP=VFP;Trusted_Connection=yes\0\0pw\0SELECT $$;$$',
             b'DRIVER=SQLite3;LoadExt=/x.so;Database=/y.db\0\0\0SELECT [a;b] /* /* */ */',
             b' dsn = x ;junk;pwd={unclosed\0y;z\0{}\0SELECT \'a\\\';\' # ;'):
    save('odbc_connect_string', text)
# Byte 0 of a spreadsheet_text input, modulo 16: 6 puts ~32,700 "a" before the rest, 7 repeats
# it past 33,000 bytes, anything else takes it as it is.
for text in (b'Sheet 1', b"'quoted'", b'a[1]:b*?/\\', b'caf\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80',
             b'_x0041_ _x005F_ _x00', b'tab\tnew\nline\x00nul\x7f\xc2\x85', b'\xef\xbf\xbe\xef\xbf\xbf\xed\xa0\x80\xc0\xaf\xf4\x90\x80\x80\xe2\x82'):
    for mode in (0, 6, 7):
        save('spreadsheet_text', bytes([mode]) + text)
# A spreadsheet_workbook input is a list of steps: 0 name, 1 text, 3 long text, 4 number,
# 5 decimal, 6 logical, 7 date, 8 next row, 9 new sheet, 10 fit columns, 11 a column's shown
# decimals (a signed byte); a text is a length byte and its bytes; a cell's step begins with
# its column byte.
def step(code, *operands):
    out = bytes([code])
    for operand in operands:
        out += bytes([len(operand)]) + operand if isinstance(operand, bytes) else bytes([operand])
    return out
names = (b'a"b&c<d>e', b"O'Brien", b'caf\xc3\xa9', b'x' * 31, b'tab\there')
texts = (b'<b>&amp;"\'</b>', b'_x0041_ _x005F_', b'nul\x00bel\x07cr\r', b'\xef\xbf\xbe\xc0\xaf',
         b']]>', b'=1+1')
save('spreadsheet_workbook', b''.join(step(0, name) + step(9) for name in names))
save('spreadsheet_workbook', b''.join(step(1, column, text) for column, text in enumerate(texts)))
save('spreadsheet_workbook', step(3, 0, b'_x0000_\xe6\x97\xa5') + step(8, 0) + step(3, 1, b'ab'))
save('spreadsheet_workbook', step(4, 0) + bytes.fromhex('7ff0000000000000') + step(4, 1) +
     bytes.fromhex('0000000000000001') + step(5, 2, b'12.50') + step(6, 3, 1) +
     step(7, 4, 3, 2, 29, 13, 5, 7, 1) + step(10) + step(8, 255) + step(1, 255, b'edge'))
save('spreadsheet_workbook', step(11, 0, 2) + step(5, 0, b'47.9') + step(11, 1, 99) +
     step(4, 1) + bytes.fromhex('3fd5555555555555') + step(8, 0) + step(11, 0, 0) +
     step(5, 0, b'9.999') + step(11, 2, 0xff) + step(5, 2, b'-0.5') + step(10))
PY
for kind in $kinds; do
    echo "$kind: $(ls "$out/$kind" | wc -l) seeds"
done
