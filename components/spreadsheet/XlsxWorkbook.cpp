// The workbook: sheet list, default names, lazy creation of libxlsxwriter sheets, finishing.
#include "components/spreadsheet/XlsxWorkbook.h"

#include <algorithm>

#include <xlsxwriter.h>

#include "components/spreadsheet/ColumnWidths.h"
#include "components/spreadsheet/SheetName.h"
#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/SpreadsheetMessages.h"
#include "components/spreadsheet/WriterTempFiles.h"

namespace spreadsheet {

namespace {

constexpr char kDefaultNamePrefix[] = "Sheet";
constexpr char kDateFormat[] = "yyyy-mm-dd";
constexpr char kDateTimeFormat[] = "yyyy-mm-dd hh:mm:ss";

std::string quotedName(const std::string& name)
{
    return "\"" + name + "\"";
}

}  // namespace

XlsxWorkbook::XlsxWorkbook(std::filesystem::path file, const std::filesystem::path& tempFolder)
    : mFile(std::move(file)), mTempFolder(tempFolder.string())
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = mTempFolder.data();
    options.use_zip64 = LXW_TRUE;  // a wide table of a million rows passes 4 GB of sheet XML
    mWriter = workbook_new_opt(mFile.c_str(), &options);
    if (!mWriter)
        throw SpreadsheetError(
            messages::writerFailed("starting " + mFile.string(), LXW_ERROR_MEMORY_MALLOC_FAILED));
    mDateFormat = workbook_add_format(mWriter);
    mDateTimeFormat = workbook_add_format(mWriter);
    if (!mDateFormat || !mDateTimeFormat) {
        releaseWriter();
        throw SpreadsheetError(
            messages::writerFailed("starting " + mFile.string(), LXW_ERROR_MEMORY_MALLOC_FAILED));
    }
    format_set_num_format(mDateFormat, kDateFormat);
    format_set_num_format(mDateTimeFormat, kDateTimeFormat);
    WorksheetsAdd();
}

XlsxWorkbook::~XlsxWorkbook()
{
    if (mState == State::Open) {
        releaseWriter();
        std::error_code ignored;
        std::filesystem::remove(mFile, ignored);
    }
}

int XlsxWorkbook::WorksheetsCount() const
{
    return static_cast<int>(mSheets.size());
}

Worksheet& XlsxWorkbook::Worksheets(int index)
{
    if (index < 1 || index > WorksheetsCount())
        throw SpreadsheetError(messages::noSuchSheet(index, WorksheetsCount()));
    return *mSheets[static_cast<std::size_t>(index - 1)];
}

Worksheet& XlsxWorkbook::ActiveSheet()
{
    return *mActive;
}

Worksheet& XlsxWorkbook::WorksheetsAdd()
{
    checkWritable();
    std::string name;
    for (int number = mNextDefaultNumber;; ++number) {
        name = kDefaultNamePrefix + std::to_string(number);
        const QString key = sheetNameKey(name);
        if (std::none_of(mSheets.begin(), mSheets.end(),
                         [&](const auto& s) { return s->nameKey() == key; })) {
            mNextDefaultNumber = number + 1;
            break;
        }
    }
    mSheets.push_back(std::make_unique<XlsxWorksheet>(*this, name));
    mActive = mSheets.back().get();
    return *mActive;
}

void XlsxWorkbook::close()
{
    checkWritable();
    startStreaming(*mSheets.back());
    for (const auto& sheet : mSheets) {
        const std::vector<int>& widths = sheet->fittedWidths();
        for (std::size_t column = 0; column < widths.size(); ++column) {
            if (widths[column] == 0)
                continue;
            const auto lxwColumn = static_cast<lxw_col_t>(column);
            const lxw_error result =
                worksheet_set_column(sheet->stream(), lxwColumn, lxwColumn,
                                     ColumnWidths::fittedWidth(widths[column]), nullptr);
            if (result != LXW_NO_ERROR)
                throw SpreadsheetError(messages::writerFailed(
                    "fitting the columns of the sheet " + quotedName(sheet->currentName()),
                    result));
        }
    }
    worksheet_activate(mActive->stream());

    WriterTempFiles tempFiles;
    for (const auto& sheet : mSheets)
        tempFiles.remember(sheet->stream());
    const lxw_error result = workbook_close(mWriter);  // frees the writer whatever the result
    mWriter = nullptr;
    tempFiles.closeLeftOpen();
    if (result != LXW_NO_ERROR) {
        mState = State::Failed;
        std::error_code ignored;
        std::filesystem::remove(mFile, ignored);
        throw SpreadsheetError(messages::writerFailed("finishing " + mFile.string(), result));
    }
    mState = State::Closed;
}

void XlsxWorkbook::checkWritable() const
{
    if (mState == State::Closed)
        throw SpreadsheetError(messages::workbookHandedOver());
    if (mState == State::Failed)
        throw SpreadsheetError(messages::workbookFailed());
}

void XlsxWorkbook::checkNameFree(const QString& key, std::string_view name,
                                 const XlsxWorksheet& renamed) const
{
    for (const auto& sheet : mSheets) {
        if (sheet.get() != &renamed && sheet->nameKey() == key)
            throw SpreadsheetError(messages::sheetNameTaken(name, sheet->currentName()));
    }
}

lxw_worksheet* XlsxWorkbook::startStreaming(XlsxWorksheet& sheet)
{
    const std::size_t last = indexOf(sheet);
    for (; mStreamedSheets <= last; ++mStreamedSheets) {
        XlsxWorksheet& next = *mSheets[mStreamedSheets];
        lxw_worksheet* stream = workbook_add_worksheet(mWriter, next.currentName().c_str());
        if (!stream) {
            const lxw_error reason =
                workbook_validate_sheet_name(mWriter, next.currentName().c_str());
            throw SpreadsheetError(messages::writerFailed(
                "adding the sheet " + quotedName(next.currentName()),
                reason != LXW_NO_ERROR ? reason : LXW_ERROR_MEMORY_MALLOC_FAILED));
        }
        next.attachStream(stream);
    }
    return sheet.stream();
}

void XlsxWorkbook::deleteSheet(XlsxWorksheet& sheet)
{
    checkWritable();
    if (mSheets.size() == 1)
        throw SpreadsheetError(messages::deleteOnlySheet(sheet.currentName()));
    const std::size_t index = indexOf(sheet);
    if (index < mStreamedSheets)
        throw SpreadsheetError(messages::deleteWrittenSheet(sheet.currentName()));
    if (mActive == &sheet)
        mActive = mSheets[index == 0 ? 1 : index - 1].get();
    sheet.markDeleted();
    mDeletedSheets.push_back(std::move(mSheets[index]));
    mSheets.erase(mSheets.begin() + static_cast<std::ptrdiff_t>(index));
}

std::size_t XlsxWorkbook::indexOf(const XlsxWorksheet& sheet) const
{
    for (std::size_t i = 0; i < mSheets.size(); ++i) {
        if (mSheets[i].get() == &sheet)
            return i;
    }
    return mSheets.size();  // unreachable: only the workbook's own sheets ask
}

void XlsxWorkbook::releaseWriter()
{
    if (!mWriter)
        return;
    WriterTempFiles tempFiles;
    for (std::size_t i = 0; i < mStreamedSheets; ++i)
        tempFiles.remember(mSheets[i]->stream());
    lxw_workbook_free(mWriter);
    mWriter = nullptr;
    tempFiles.closeLeftOpen();
}

}  // namespace spreadsheet
