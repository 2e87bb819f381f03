#!/usr/bin/python3
# Prints every sheet of an .xlsx as openpyxl hands its cells to a script, as JSON
# {"sheet name": [[cell text, ...], ...]}: texts exactly as openpyxl gives them ("_xHHHH_" is not
# decoded, as no script of its users decodes it), other values as str(), empty cells "".
import json
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
json.dump({sheet.title: [["" if value is None else str(value) for value in row]
                         for row in sheet.iter_rows(values_only=True)]
           for sheet in book.worksheets}, sys.stdout, ensure_ascii=False)
