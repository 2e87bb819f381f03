// Prints every sheet of an .xlsx as SheetJS or ExcelJS hands its cells to a script, as JSON
// {"sheet name": [[cell text, ...], ...]}: texts exactly as the library gives them, other
// values as String() does, empty cells "".
// Usage: node read_rows.js sheetjs|exceljs FILE.xlsx
const [reader, file] = process.argv.slice(2);

function text(value) {
    if (value === null || value === undefined)
        return "";
    if (typeof value === "object" && Array.isArray(value.richText))
        return value.richText.map(run => run.text).join("");
    return String(value);
}

async function rows() {
    const sheets = {};
    if (reader === "sheetjs") {
        const XLSX = require("xlsx");
        const book = XLSX.readFile(file);
        for (const name of book.SheetNames)
            sheets[name] = XLSX.utils.sheet_to_json(book.Sheets[name],
                {header: 1, raw: true, defval: "", blankrows: true}).map(row => row.map(text));
    } else if (reader === "exceljs") {
        const ExcelJS = require("exceljs");
        const book = new ExcelJS.Workbook();
        await book.xlsx.readFile(file);
        for (const sheet of book.worksheets) {
            const found = [];
            for (let r = 1; r <= sheet.rowCount; ++r) {
                const row = [];
                for (let c = 1; c <= sheet.columnCount; ++c)
                    row.push(text(sheet.getRow(r).getCell(c).value));
                found.push(row);
            }
            sheets[sheet.name] = found;
        }
    } else {
        throw new Error("unknown reader " + reader);
    }
    return sheets;
}

rows().then(sheets => process.stdout.write(JSON.stringify(sheets)),
            error => { process.stderr.write(String(error) + "\n"); process.exit(1); });
