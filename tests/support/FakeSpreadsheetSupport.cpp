// The in-memory spreadsheet application of the export tests.
#include "tests/support/FakeSpreadsheet.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include <QString>

#include "components/spreadsheet/CellValue.h"
#include "components/spreadsheet/SpreadsheetError.h"

namespace fakes {
namespace {

using spreadsheet::SpreadsheetError;

class FakeApplication final : public spreadsheet::Application
{
public:
    explicit FakeApplication(FakeSpreadsheet& owner) : mOwner(owner) {}

    spreadsheet::Workbook& WorkbooksAdd() override
    {
        mOwner.workbooks.push_back(
            std::make_unique<FakeWorkbook>(mOwner, mOwner.sheetsInNewWorkbook));
        mMine.push_back(mOwner.workbooks.back().get());
        return *mOwner.workbooks.back();
    }
    bool Visible() const override { return mVisible; }
    void setVisible(bool visible) override
    {
        if (visible && mOwner.failVisible)
            throw SpreadsheetError("The spreadsheet program could not be started.");
        mVisible = visible;
        for (FakeWorkbook* workbook : mMine)
            workbook->visible = visible;
    }

private:
    FakeSpreadsheet& mOwner;
    std::vector<FakeWorkbook*> mMine;
    bool mVisible = false;
};

bool sameName(const std::string& a, std::string_view b)
{
    return QString::fromUtf8(a).compare(QString::fromUtf8(b.data(), qsizetype(b.size())),
                                        Qt::CaseInsensitive) == 0;
}

}  // namespace

void FakeSheet::setName(std::string_view name)
{
    const QString text = QString::fromUtf8(name.data(), qsizetype(name.size()));
    if (text.isEmpty() || text.size() > spreadsheet::kMaxSheetNameLength ||
        text.contains(QLatin1Char('[')) || text.contains(QLatin1Char(']')))
        throw SpreadsheetError("Sheet name '" + std::string(name) + "' is not valid.");
    for (const auto& other : mWorkbook.mSheets) {
        if (other.get() != this && sameName(other->mName, name))
            throw SpreadsheetError("A sheet named '" + std::string(name) + "' already exists.");
    }
    mName = std::string(name);
}

bool FakeSheet::writeText(int row, int column, std::string_view text)
{
    return store(row, column, text, CellKind::Text);
}

void FakeSheet::writeNumber(int row, int column, double value)
{
    std::array<char, 32> shown{};
    const auto end = std::to_chars(shown.data(), shown.data() + shown.size(), value).ptr;
    store(row, column, std::string_view(shown.data(), std::size_t(end - shown.data())),
          std::isfinite(value) ? CellKind::Number : CellKind::Text);
}

void FakeSheet::writeDecimal(int row, int column, std::string_view digits)
{
    store(row, column, digits,
          spreadsheet::exactDecimal(digits) ? CellKind::Number : CellKind::Text);
}

void FakeSheet::setNumberDecimals(int column, int decimals)
{
    if (column < 1 || deleted || mWorkbook.visible)
        throw SpreadsheetError("Column refused.");
    mDecimals[column] = decimals;
}

void FakeSheet::writeBoolean(int row, int column, bool value)
{
    store(row, column, value ? "True" : "False", CellKind::Boolean);
}

void FakeSheet::writeDate(int row, int column, const spreadsheet::CellDate& date)
{
    std::array<char, 48> shown{};
    std::snprintf(shown.data(), shown.size(), "%04d-%02d-%02d", date.year, date.month, date.day);
    if (date.hasTime)
        std::snprintf(shown.data() + 10, shown.size() - 10, " %02d:%02d:%02d", date.hour,
                      date.minute, date.second);
    const CellKind kind = !spreadsheet::isSpreadsheetDate(date) ? CellKind::Text
                          : date.hasTime                        ? CellKind::DateTime
                                                                : CellKind::Date;
    store(row, column, shown.data(), kind);
}

bool FakeSheet::store(int row, int column, std::string_view text, CellKind kind)
{
    if (mWorkbook.mOwner.onCell)
        mWorkbook.mOwner.onCell();
    if (row < 1 || column < 1 || row < mLastRow || deleted || mWorkbook.visible)
        throw SpreadsheetError("Cell refused.");
    if (mWorkbook.mOwner.failCell == std::make_pair(row, column) &&
        mWorkbook.mOwner.failCellLosesWorkbook)
        throw spreadsheet::WorkbookLost("The workbook out.xlsx could not be written.");
    if (mWorkbook.mOwner.failCell == std::make_pair(row, column))
        throw SpreadsheetError("Cell " + std::to_string(row) + "," + std::to_string(column) +
                               " could not be written.");
    mLastRow = row;
    const bool cut = text.size() > mWorkbook.mOwner.cellTextLimit;
    if (cut)
        ++mCutCells;
    const auto decimals = mDecimals.find(column);
    if (!text.empty())
        mCells[{row, column}] = {
            std::string(text.substr(0, mWorkbook.mOwner.cellTextLimit)), kind,
            kind == CellKind::Number && decimals != mDecimals.end() ? decimals->second : 0};
    return cut;
}

void FakeSheet::Delete()
{
    if (mWorkbook.mSheets.size() == 1 || !mCells.empty())
        throw SpreadsheetError("Sheet cannot be deleted.");
    deleted = true;
    auto& sheets = mWorkbook.mSheets;
    for (auto it = sheets.begin(); it != sheets.end(); ++it) {
        if (it->get() == this) {
            mWorkbook.mDeleted.push_back(std::move(*it));
            sheets.erase(it);
            break;
        }
    }
    if (mWorkbook.mActive == this)
        mWorkbook.mActive = sheets.back().get();
}

std::vector<std::string> FakeSheet::row(int r) const
{
    std::vector<std::string> texts;
    for (const auto& [place, cell] : mCells) {
        if (place.first != r)
            continue;
        texts.resize(std::max<std::size_t>(texts.size(), std::size_t(place.second)));
        texts[place.second - 1] = cell.text;
    }
    return texts;
}

FakeWorkbook::FakeWorkbook(FakeSpreadsheet& owner, int sheets) : mOwner(owner)
{
    for (int i = 0; i < sheets; ++i)
        WorksheetsAdd();
    mActive = mSheets.front().get();
}

spreadsheet::Worksheet& FakeWorkbook::Worksheets(int index)
{
    if (index < 1 || index > WorksheetsCount())
        throw SpreadsheetError("No sheet " + std::to_string(index) + ".");
    return *mSheets[index - 1];
}

spreadsheet::Worksheet& FakeWorkbook::WorksheetsAdd()
{
    if (visible)
        throw SpreadsheetError("The workbook was handed over.");
    mSheets.push_back(std::make_unique<FakeSheet>(*this, "Sheet" + std::to_string(mNextDefault++)));
    mActive = mSheets.back().get();
    return *mActive;
}

std::vector<std::string> FakeWorkbook::sheetNames() const
{
    std::vector<std::string> names;
    for (const auto& sheet : mSheets)
        names.push_back(sheet->name());
    return names;
}

spreadsheet::ApplicationFactory FakeSpreadsheet::factory()
{
    return [this]() -> std::unique_ptr<spreadsheet::Application> {
        if (failCreate)
            throw SpreadsheetError("No spreadsheet program was found.");
        ++applicationsCreated;
        return std::make_unique<FakeApplication>(*this);
    };
}

FakeWorkbook& FakeSpreadsheet::onlyWorkbook()
{
    if (workbooks.size() != 1)
        throw std::logic_error("expected exactly one workbook, found " +
                               std::to_string(workbooks.size()));
    return *workbooks.front();
}

}  // namespace fakes
