#!/usr/bin/python3
# Reads .xlsx files back with LibreOffice, as a user's spreadsheet program would: one headless
# soffice run converts every sheet of every file to CSV (UTF-8). Prints, as JSON, per file its
# sheets by name, each a list of rows of cell texts as LibreOffice shows them. Exits 77 when
# soffice is not installed.
# Usage: read_with_libreoffice.py WORK_FOLDER FILE.xlsx...
import csv
import json
import os
import shutil
import subprocess
import sys

# Comma, double quote, UTF-8, from line 1, ..., every sheet (token 12: -1).
FILTER = "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1"

soffice = shutil.which("soffice")
if not soffice:
    sys.exit(77)
work, files = sys.argv[1], sys.argv[2:]
out = os.path.join(work, "csv")
profile = "file://" + os.path.join(work, "profile")
subprocess.run([soffice, "-env:UserInstallation=" + profile, "--headless", "--convert-to",
                FILTER, "--outdir", out] + files, check=True, capture_output=True, timeout=600)
result = {}
for path in files:
    stem = os.path.splitext(os.path.basename(path))[0] + "-"
    sheets = {}
    for name in os.listdir(out):
        if name.startswith(stem) and name.endswith(".csv"):
            with open(os.path.join(out, name), newline="", encoding="utf-8") as table:
                sheets[name[len(stem):-4]] = list(csv.reader(table))
    result[path] = sheets
json.dump(result, sys.stdout, ensure_ascii=False)
