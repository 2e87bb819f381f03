// The workbook: sheet list, default names, lazy creation of the writer's sheets, finishing.
#include "components/spreadsheet/XlsxWorkbook.h"

#include <algorithm>

#include "components/spreadsheet/ColumnWidths.h"
#include "components/spreadsheet/FixedDecimals.h"
#include "components/spreadsheet/SheetName.h"
#include "components/spreadsheet/SpreadsheetError.h"
#include "components/spreadsheet/SpreadsheetMessages.h"
#include "components/xlsx/XlsxError.h"

namespace spreadsheet {

namespace {

constexpr char kDefaultNamePrefix[] = "Sheet";
constexpr char kDateFormat[] = "yyyy-mm-dd";
constexpr char kDateTimeFormat[] = "yyyy-mm-dd hh:mm:ss";

}  // namespace

XlsxWorkbook::XlsxWorkbook(int descriptor, std::string fileName)
    : mWriter(std::make_unique<xlsx::WorkbookWriter>(descriptor, std::move(fileName))),
      mDateFormat(mWriter->addNumberFormat(kDateFormat)),
      mDateTimeFormat(mWriter->addNumberFormat(kDateTimeFormat))
{
    WorksheetsAdd();
}

XlsxWorkbook::~XlsxWorkbook() = default;

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
    try {
        startStreaming(*mSheets.back());
        mWriter->activate(*mActive->stream());
        mWriter->close();
    } catch (const xlsx::XlsxError& error) {
        mState = State::Failed;
        mWriter.reset();
        failed(error);
    } catch (const SpreadsheetError&) {
        mState = State::Failed;
        mWriter.reset();
        throw;
    }
    mState = State::Closed;
    mWriter.reset();
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

xlsx::SheetWriter& XlsxWorkbook::startStreaming(XlsxWorksheet& sheet)
{
    const std::size_t last = indexOf(sheet);
    for (; mStreamedSheets <= last; ++mStreamedSheets) {
        XlsxWorksheet& next = *mSheets[mStreamedSheets];
        try {
            next.attachStream(&mWriter->addSheet(next.currentName()));
        } catch (const xlsx::XlsxError& error) {
            failed(error);
        }
    }
    return *sheet.stream();
}

xlsx::Format XlsxWorkbook::decimalsFormat(int decimals)
{
    xlsx::Format& format = mDecimalsFormats.at(static_cast<std::size_t>(decimals));
    if (decimals > 0 && format.isGeneral()) {
        try {
            format = mWriter->addNumberFormat(fixedDecimalsCode(decimals));
        } catch (const xlsx::XlsxError& error) {
            failed(error);
        }
    }
    return format;
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

void XlsxWorkbook::failed(const xlsx::XlsxError& error)
{
    if (dynamic_cast<const xlsx::FileError*>(&error))
        throw WorkbookLost(error.what());
    throw SpreadsheetError(error.what());
}

}  // namespace spreadsheet
