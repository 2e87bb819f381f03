#!/usr/bin/python3
# Reads an .xlsx with openpyxl and prints what a spreadsheet program would show, as JSON:
# sheets in tab order with their cells (type, value, number format), set column widths, the
# active sheet and which tabs are selected. Text escapes _xHHHH_ are decoded as the format says.
import datetime
import json
import re
import sys

import openpyxl

ESCAPE = re.compile(r"_x([0-9A-Fa-f]{4})_")


def decoded(text):
    return ESCAPE.sub(lambda m: chr(int(m.group(1), 16)), text)


def cell_entry(cell):
    value = cell.value
    if isinstance(value, bool):
        return {"type": "b", "value": value}
    if isinstance(value, (datetime.datetime, datetime.date)):
        return {"type": "d", "value": value.isoformat(sep=" "), "format": cell.number_format}
    if isinstance(value, (int, float)):
        if cell.number_format == "General":
            return {"type": "n", "value": value}
        return {"type": "n", "value": value, "format": cell.number_format}
    return {"type": cell.data_type, "value": decoded(value)}


book = openpyxl.load_workbook(sys.argv[1])
sheets = []
for sheet in book.worksheets:
    # The cells present in the file only: iterating the grid up to XFD1048576 would take hours.
    cells = {c.coordinate: cell_entry(c) for c in sheet._cells.values() if c.value is not None}
    widths = {key: dim.width for key, dim in sheet.column_dimensions.items() if dim.customWidth}
    sheets.append({"name": sheet.title, "cells": cells, "widths": widths,
                   "selected": bool(sheet.sheet_view.tabSelected)})
json.dump({"sheets": sheets, "active": book.active.title}, sys.stdout, ensure_ascii=False)
