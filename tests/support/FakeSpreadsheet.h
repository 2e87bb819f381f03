// An in-memory spreadsheet application for export tests: it keeps every sheet, name and cell
// after the run has released it, and fails on request where the real one can fail.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "components/spreadsheet/Application.h"

namespace fakes {

// The kind of cell a typed write made.
enum class CellKind { Text, Number, Date, DateTime, Boolean };

// A cell as its text (numbers shortest, dates "YYYY-MM-DD[ hh:mm:ss]", "True"/"False") and kind;
// a number cell with the decimals its column showed when it was written.
struct FakeCell
{
    std::string text;
    CellKind kind = CellKind::Text;
    int decimals = 0;
};

class FakeWorkbook;

class FakeSheet final : public spreadsheet::Worksheet
{
public:
    FakeSheet(FakeWorkbook& workbook, std::string name)
        : mWorkbook(workbook), mName(std::move(name))
    {}

    std::string name() const override { return mName; }
    void setName(std::string_view name) override;
    bool writeText(int row, int column, std::string_view text) override;
    void writeNumber(int row, int column, double value) override;
    void writeDecimal(int row, int column, std::string_view digits) override;
    void setNumberDecimals(int column, int decimals) override;
    void writeBoolean(int row, int column, bool value) override;
    void writeDate(int row, int column, const spreadsheet::CellDate& date) override;
    int cutCells() const override { return mCutCells; }
    void ColumnsAutoFit() override { autoFitted = true; }
    void Delete() override;

    // Row r (1-based) as texts, column 1 first; columns never written read "".
    std::vector<std::string> row(int r) const;
    int lastRow() const { return mLastRow; }
    const std::map<std::pair<int, int>, FakeCell>& cells() const { return mCells; }

    bool autoFitted = false;
    bool deleted = false;

private:
    // Checks the place (and fails on request) as the real sheet does, then stores the cell.
    bool store(int row, int column, std::string_view text, CellKind kind);

    FakeWorkbook& mWorkbook;
    std::string mName;
    std::map<std::pair<int, int>, FakeCell> mCells;
    std::map<int, int> mDecimals;  // by column
    int mLastRow = 0;
    int mCutCells = 0;
};

struct FakeSpreadsheet;

class FakeWorkbook final : public spreadsheet::Workbook
{
public:
    FakeWorkbook(FakeSpreadsheet& owner, int sheets);

    int WorksheetsCount() const override { return int(mSheets.size()); }
    spreadsheet::Worksheet& Worksheets(int index) override;
    spreadsheet::Worksheet& ActiveSheet() override { return *mActive; }
    spreadsheet::Worksheet& WorksheetsAdd() override;

    // Sheets in tab order.
    std::vector<std::string> sheetNames() const;
    FakeSheet& sheet(int index) { return *mSheets.at(index - 1); }
    FakeSheet& active() { return *mActive; }
    bool visible = false;

private:
    friend class FakeSheet;
    FakeSpreadsheet& mOwner;
    std::vector<std::unique_ptr<FakeSheet>> mSheets;
    std::vector<std::unique_ptr<FakeSheet>> mDeleted;
    FakeSheet* mActive = nullptr;
    int mNextDefault = 1;
};

// The test's handle: what to fail, and every workbook the applications made.
struct FakeSpreadsheet
{
    int sheetsInNewWorkbook = 3;  // as a desktop spreadsheet's default, so the run cuts them
    bool failCreate = false;      // the factory throws
    bool failVisible = false;     // the hand-over throws
    std::optional<std::pair<int, int>> failCell;  // (row, column) whose write throws
    bool failCellLosesWorkbook = false;           // ... WorkbookLost, as a full disk does
    std::size_t cellTextLimit = 32'767;           // longer texts are cut and counted
    std::function<void()> onCell;                 // runs before each cell is written

    int applicationsCreated = 0;
    std::vector<std::unique_ptr<FakeWorkbook>> workbooks;

    spreadsheet::ApplicationFactory factory();
    FakeWorkbook& onlyWorkbook();
};

}  // namespace fakes
