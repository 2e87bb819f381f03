// The start-up spreadsheet check: a probe created and dropped, or the advice and the end.
#include <memory>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "components/spreadsheet/SpreadsheetError.h"
#include "modules/app/Main.h"
#include "modules/export/IsInstalled.h"
#include "tests/support/RecordingMessageBox.h"

namespace {

// Counts what happens to the probe: it must be dropped at once and never shown.
struct ProbeLog
{
    int created = 0;
    int destroyed = 0;
    int madeVisible = 0;
};

class ProbeApplication : public spreadsheet::Application
{
public:
    explicit ProbeApplication(ProbeLog& log) : mLog(log) { ++mLog.created; }
    ~ProbeApplication() override { ++mLog.destroyed; }
    spreadsheet::Workbook& WorkbooksAdd() override
    {
        throw spreadsheet::SpreadsheetError("not in a probe");
    }
    bool Visible() const override { return false; }
    void setVisible(bool) override { ++mLog.madeVisible; }

private:
    ProbeLog& mLog;
};

const std::string kAdvice =
    "Error 842001. A normal instance of Excel could not be created.\r\n\r\n"
    "1. Please make sure Excel is installed on this computer.\r\n\r\n"
    "2. Please open Excel normally and make sure a blank spreadsheet opens immediately without "
    "any interrupting window (such as an Excel file recovery window).\r\n\r\n"
    "3. Please make sure that when you double-click on a XLS or XLSX file that Excel opens "
    "normally without any interrupting messages.\r\n\r\n"
    "4. All versions of Excel are supported by this software except for the rare Excel Starter "
    "and Student editions.";

TEST(CheckExcelInstance, AvailableApplicationIsProbedAndDroppedSilently)
{
    testsupport::RecordingMessageBox box;
    ProbeLog log;
    int ended = 0;
    exporting::CheckExcelInstance([&] { return std::make_unique<ProbeApplication>(log); },
                                  [&] { ++ended; }, box);
    EXPECT_EQ(log.created, 1);
    EXPECT_EQ(log.destroyed, 1);
    EXPECT_EQ(log.madeVisible, 0);
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(ended, 0);
}

TEST(CheckExcelInstance, EveryWayOfFailingGivesTheAdviceThenTheEnd)
{
    struct Case
    {
        const char* name;
        spreadsheet::ApplicationFactory factory;
    };
    const Case cases[] = {
        {"component_error",
         []() -> std::unique_ptr<spreadsheet::Application> {
             throw spreadsheet::SpreadsheetError(
                 "No spreadsheet program: install LibreOffice Calc");
         }},
        {"foreign_exception", []() -> std::unique_ptr<spreadsheet::Application> { throw 7; }},
        {"no_object", [] { return std::unique_ptr<spreadsheet::Application>(); }},
        {"no_factory", spreadsheet::ApplicationFactory()},
    };
    app::SetAppTitle();
    for (const Case& c : cases) {
        testsupport::RecordingMessageBox box;
        int ended = 0;
        int shownBeforeEnd = -1;
        exporting::CheckExcelInstance(
            c.factory,
            [&] {
                ++ended;
                shownBeforeEnd = static_cast<int>(box.shown.size());
            },
            box);
        ASSERT_EQ(box.shown.size(), 1u) << c.name;
        EXPECT_EQ(box.shown[0].text.toStdString(), kAdvice) << c.name;
        EXPECT_EQ(box.shown[0].style, 0) << c.name;
        EXPECT_EQ(box.shown[0].title, QStringLiteral("Quorvane")) << c.name;
        EXPECT_EQ(ended, 1) << c.name;
        EXPECT_EQ(shownBeforeEnd, 1) << c.name << ": the advice comes before the end";
    }
}

}  // namespace
