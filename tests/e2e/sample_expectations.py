"""What an export of every sample table must give, read straight from the sample data set
(samples/data/*.csv: a header of NAME:TYPE[:width[:decimals]][:null] cells, an optional
first column "*" marking deleted records), and the comparison of a workbook with it.

The data set never quotes the word NULL, so a NULL cell of a nullable field is a Null here."""

import csv
import datetime
import os

import openpyxl

MAX_SHEET_NAME = 30  # table names are cut to this many characters for their sheet


class Table:
    def __init__(self, name, fields, rows):
        self.name = name  # path below the data folder, without ".csv"
        self.fields = fields  # [(name, type letter, nullable)]
        self.rows = rows  # live records only, cells as written

    def sheet_name(self):
        base = self.name.rsplit("/", 1)[-1]
        return base.replace("[", "").replace("]", "")[:MAX_SHEET_NAME]


def load_tables(data_dir):
    tables = []
    for folder, _, files in os.walk(data_dir):
        for file in sorted(f for f in files if f.endswith(".csv")):
            path = os.path.join(folder, file)
            name = os.path.relpath(path, data_dir)[:-len(".csv")].replace(os.sep, "/")
            with open(path, newline="", encoding="utf-8") as f:
                header, *records = list(csv.reader(f))
            deleted_column = header[0] == "*"
            if deleted_column:
                header = header[1:]
                records = [r[1:] for r in records if r[0] != "*"]
            fields = [(column.split(":")[0], column.split(":")[1], column.endswith(":null")) for column in header]
            tables.append(Table(name, fields, records))
    return tables


def expected_value(kind, nullable, text):
    """The cell value openpyxl must read for a value written as text in the data set."""
    if nullable and text == "NULL":
        return None
    if kind in "CVM":
        return text
    if text == "":
        return None
    if kind in "NFBY":
        return float(text)
    if kind == "I":
        return int(text)
    if kind == "D":
        return datetime.datetime.strptime(text, "%Y-%m-%d")
    if kind == "T":
        return datetime.datetime.strptime(text, "%Y-%m-%d %H:%M:%S")
    if kind == "L":
        return text == "T"
    raise ValueError(f"no expectation for field type {kind}")


def same_cell(kind, actual, expected):
    if kind in "CVM":
        if actual is not None and not isinstance(actual, str):
            return False
        if expected is None:
            return actual is None
        # Character fields keep their padding blanks; an empty text leaves the cell empty.
        text = actual or ""
        return text.rstrip(" ") == expected.rstrip(" ") if kind == "C" else text == expected
    if expected is None or isinstance(expected, (bool, datetime.datetime)):
        return type(actual) is type(expected) and actual == expected
    if isinstance(actual, bool) or not isinstance(actual, (int, float)):
        return False
    return abs(actual - expected) <= 1e-9 * max(1.0, abs(expected))


def compare_workbook(path, tables):
    """Problems found, one sentence each; empty when the workbook matches."""
    workbook = openpyxl.load_workbook(path, data_only=True)
    problems = []
    wanted = {t.sheet_name(): t for t in tables}
    if sorted(workbook.sheetnames) != sorted(wanted):
        problems.append(f"sheets {workbook.sheetnames}; expected {sorted(wanted)} in any order")
    for sheet_name, table in wanted.items():
        if sheet_name in workbook.sheetnames:
            problems += compare_sheet(workbook[sheet_name], table)
    return problems


def compare_sheet(sheet, table):
    rows = [list(r) for r in sheet.iter_rows(values_only=True)]
    width = len(table.fields)
    header = [f[0].lower() for f in table.fields]
    problems = []
    if not rows or rows[0][:width] != header:
        return [f"{sheet.title}: header row {rows[0] if rows else None}; expected {header}"]
    if len(rows) - 1 != len(table.rows):
        problems.append(f"{sheet.title}: {len(rows) - 1} records; expected {len(table.rows)}")
    for number, (row, record) in enumerate(zip(rows[1:], table.rows), start=2):
        row += [None] * (width - len(row))
        if any(v is not None for v in row[width:]):
            problems.append(f"{sheet.title} row {number}: cells beyond the {width} fields: {row[width:]}")
        for column, ((name, kind, nullable), text) in enumerate(zip(table.fields, record)):
            expected = expected_value(kind, nullable, text)
            if not same_cell(kind, row[column], expected):
                problems.append(f"{sheet.title} row {number}, {name.lower()}: {row[column]!r}; expected {expected!r}")
    return problems
