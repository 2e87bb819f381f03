# The comparison reader: Debian's python3-dbfread reads the same table and prints each record
# as a JSON array of its values' texts, the work quorvane-export dump does.
#   /usr/bin/python3 dbfread_dump.py TABLE.dbf > /dev/null
import json
import sys

from dbfread import DBF


def text(value):
    if value is None:
        return None
    if isinstance(value, bool):
        return "True" if value else "False"
    return str(value)


def main():
    table = DBF(sys.argv[1], char_decode_errors="replace")
    out = sys.stdout
    out.write(json.dumps({"fields": table.field_names, "count": len(table)}) + "\n")
    for record in table:
        out.write(json.dumps([text(value) for value in record.values()], ensure_ascii=False))
        out.write("\n")


main()
