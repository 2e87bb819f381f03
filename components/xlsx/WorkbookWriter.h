// A workbook (.xlsx) written straight into its file as cells arrive: each sheet's XML is
// formatted in pieces and deflated on a second thread into the sheet's zip entry, so memory
// stays flat and no temporary file is needed. The calls mirror libxlsxwriter's (workbook_new,
// workbook_add_format + format_set_num_format, workbook_add_worksheet, worksheet_activate,
// workbook_close); the package parts come out as libxlsxwriter writes them in constant-memory
// mode, byte for byte once inflated.
//
//     xlsx::WorkbookWriter book{descriptor, "/data/orders.xlsx"};
//     const xlsx::Format date = book.addNumberFormat("yyyy-mm-dd");
//     xlsx::SheetWriter& sheet = book.addSheet("Orders");
//     sheet.writeDateTime(0, 0, {2024, 1, 31}, date);
//     book.close();   // the file is complete; the caller names or links it
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "components/xlsx/BackgroundDeflate.h"
#include "components/xlsx/Deflater.h"
#include "components/xlsx/OutputFile.h"
#include "components/xlsx/SheetWriter.h"
#include "components/xlsx/ZipArchive.h"

namespace xlsx {

class WorkbookWriter
{
public:
    // Writes through descriptor (open for reading and writing, empty, held by the caller for
    // the writer's life); fileName is how messages name the file.
    WorkbookWriter(int descriptor, std::string fileName);
    // Stops the second thread; a workbook not closed leaves a partial file for the caller to drop.
    ~WorkbookWriter();
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    // A number format for date, date-time and number cells ("yyyy-mm-dd", "#,##0.00"); the
    // same code gives the same format. Cell styles are numbered in the order cells first use
    // them, as libxlsxwriter does.
    Format addNumberFormat(std::string_view code);

    // A new sheet after the others. Throws XlsxError when the name is not one spreadsheet
    // programs accept (1 to 31 characters of UTF-8, no control character, none of [ ] : * ? / \,
    // no apostrophe first or last) or another sheet has it (ASCII letters compared ignoring
    // case), and after close.
    SheetWriter& addSheet(std::string_view name);

    // The sheet shown when the workbook opens, alone selected; the first sheet unless set. Any
    // sheet, at any time before close. (libxlsxwriter leaves an earlier activated sheet
    // selected as well, which groups the two tabs; here the last call alone counts.)
    void activate(SheetWriter& sheet);

    // Completes every sheet and writes the remaining parts and the zip directory. Throws
    // FileError when the file cannot be written, XlsxError when called twice.
    void close();

    // True once a write to the file failed; every call throws FileError then.
    bool isLost() const { return !mLost.empty(); }

private:
    friend class SheetWriter;

    // Inline: every cell asks.
    void checkUsable() const
    {
        if (mClosed || !mLost.empty())
            refuseUse();
    }
    [[noreturn]] void refuseUse() const;
    // Makes sheet the one taking cells, completing the one that did.
    void open(SheetWriter& sheet);
    // Inline for a format whose style is made: every cell of a formatted column asks.
    int styleOf(Format format)
    {
        if (format.isGeneral())
            return 0;
        const auto index = static_cast<std::size_t>(format.mId - 1);
        const bool made = index < mStyleOfFormat.size() && mStyleOfFormat[index] != 0;
        return made ? mStyleOfFormat[index] : styleOfFormat(format);
    }
    // Checks the format, and makes its style on its first use.
    int styleOfFormat(Format format);
    // Runs a step that writes to the file; a failure loses the workbook.
    void writing(const std::function<void()>& step);
    void writePart(const std::string& name, std::string_view xml);

    OutputFile mFile;
    ZipArchive mZip;
    Deflater mDeflater;  // this thread's, for heads and the small parts
    std::vector<std::unique_ptr<SheetWriter>> mSheets;
    SheetWriter* mOpen = nullptr;
    SheetWriter* mActive = nullptr;
    std::vector<std::string> mFormatCodes;  // by format id - 1
    std::vector<int> mStyleOfFormat;        // by format id - 1; 0 until a cell uses it
    std::vector<std::string> mStyleCodes;   // by style - 1
    std::string mLost;                      // why the workbook is lost; empty while it is not
    bool mClosed = false;
    BackgroundDeflate mBackground;  // last: its thread stops before the members above go
};

}  // namespace xlsx
