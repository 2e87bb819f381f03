// Form2 through its handlers on the offscreen platform: its layout, the list the load fills,
// "Select All" / "Deselect All", "< Back", closing, "Finish" with a fake spreadsheet, and
// stopping the export it runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "components/vfpwriter/ContainerWriter.h"
#include "modules/app/Main.h"
#include "modules/foxpro/Foxpro.h"
#include "tests/support/FakeSpreadsheet.h"
#include "tests/support/GuiApp.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/Watchdog.h"
#include "windows/Form2.h"
#include "windows/look/WindowPointer.h"

namespace {

class Form2Test : public ::testing::Test
{
protected:
    // Loads the window with the catalogue of the folder as it is now.
    windows::Form2& load()
    {
        return load({false, QString(), QString::fromStdString(dir.path().string())});
    }

    // Loads the window with the catalogue of the source settings name.
    windows::Form2& load(const foxpro::ConnectionSettings& settings)
    {
        foxpro::TableList tables;
        foxpro::AddTablesToFoxproListbox(tables, foxpro::BuildFoxproConnectionString(settings),
                                         settings, messages.reports());
        form = std::make_unique<windows::Form2>([settings] { return settings; }, &setupWindow,
                                                spreadsheet.factory(), messages, tables);
        form->endProgram = [this] { ++programEnds; };
        return *form;
    }

    QTreeWidget& list() { return form->listWidget(); }
    void tick(int position) { list().topLevelItem(position - 1)->setCheckState(0, Qt::Checked); }
    std::vector<Qt::CheckState> checks()
    {
        std::vector<Qt::CheckState> states;
        for (int i = 0; i < list().topLevelItemCount(); ++i)
            states.push_back(list().topLevelItem(i)->checkState(0));
        return states;
    }

    const bool guiReady = (testsupport::ensureGuiApp(), true);  // before the first widget
    testsupport::TempDir dir;
    QWidget setupWindow;
    fakes::FakeSpreadsheet spreadsheet;
    testsupport::RecordingMessageBox messages;
    std::unique_ptr<windows::Form2> form;
    int programEnds = 0;
};

TEST_F(Form2Test, ControlsInTabOrderWithTheirIdleTexts)
{
    auto& window = load();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorvane"));
    EXPECT_EQ(window.PushButton5->text(), QStringLiteral("Finish"));
    EXPECT_EQ(list().columnCount(), 1);
    EXPECT_EQ(list().headerItem()->text(0), QStringLiteral("Select Tables To Import"));
    EXPECT_FALSE(list().rootIsDecorated());
    EXPECT_EQ(window.ProgressBar1->text(), QStringLiteral("Progress Bar"));
    EXPECT_EQ(window.ProgressBar1->value(), 0);
    // Tab order: list, "< Back", "Finish", "Select All", "Deselect All" (the list's own
    // children, its header and viewport, sit between in the chain).
    const std::vector<QWidget*> controls{&list(), window.PushButton2, window.PushButton5,
                                         window.PushButton8, window.PushButton9};
    std::vector<QWidget*> chain;
    for (QWidget* w = &list(); chain.size() < controls.size(); w = w->nextInFocusChain()) {
        if (std::find(controls.begin(), controls.end(), w) != controls.end())
            chain.push_back(w);
    }
    EXPECT_EQ(chain, controls);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form2Test, LoadListsEachTableOnceUnticked)
{
    dbtest::writeNamesTable(dir.path(), "orders", 1);
    std::filesystem::create_directories(dir.path() / "old");
    dbtest::writeNamesTable(dir.path() / "old", "orders", 1);
    load();
    ASSERT_EQ(list().topLevelItemCount(), 2);
    EXPECT_EQ(list().topLevelItem(0)->text(0), QStringLiteral("orders"));
    EXPECT_EQ(checks(), (std::vector<Qt::CheckState>{Qt::Unchecked, Qt::Unchecked}));
    // Two items read "orders": the tooltip says where each one lies.
    EXPECT_EQ(list().topLevelItem(0)->toolTip(0), QStringLiteral("orders.dbf"));
    EXPECT_EQ(list().topLevelItem(1)->toolTip(0), QStringLiteral("old/orders.dbf"));
}

TEST_F(Form2Test, SelectAllAndDeselectAllOverrideSingleTicks)
{
    load();
    form->PushButton8_Click();  // on an empty list: nothing, no report
    foxpro::TableList tables;
    for (int i = 0; i < 3; ++i)
        tables.push_back({QStringLiteral("t%1").arg(i), QStringLiteral("t%1").arg(i)});
    form->showTables(tables);
    tick(2);
    form->PushButton8->click();
    EXPECT_EQ(checks(), std::vector<Qt::CheckState>(3, Qt::Checked));
    form->PushButton9->click();
    EXPECT_EQ(checks(), std::vector<Qt::CheckState>(3, Qt::Unchecked));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form2Test, SelectAllReachesPastThe16BitCount)
{
    load();
    foxpro::TableList tables;
    for (int i = 0; i < 40'000; ++i)
        tables.push_back({QStringLiteral("t%1").arg(i), QString()});
    form->showTables(tables);
    form->PushButton8_Click();
    EXPECT_EQ(list().topLevelItem(39'999)->checkState(0), Qt::Checked);
    form->PushButton9_Click();
    EXPECT_EQ(list().topLevelItem(32'767)->checkState(0), Qt::Unchecked);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Form2Test, BackShowsTheSetupWindowAndKeepsTheTicks)
{
    dbtest::writeNamesTable(dir.path(), "a", 1);
    load().show();
    tick(1);
    form->PushButton2->click();
    EXPECT_TRUE(setupWindow.isVisible());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(checks(), std::vector<Qt::CheckState>{Qt::Checked});
}

TEST_F(Form2Test, ClosingTheWindowEndsTheProgram)
{
    load().show();
    form->close();
    EXPECT_EQ(programEnds, 1);
}

TEST_F(Form2Test, FinishExportsTheTickedTablesAndSaysDone)
{
    for (const char* name : {"a", "b", "c", "d", "e"})
        dbtest::writeNamesTable(dir.path(), name, 2);
    auto& window = load();
    // The folder's tables come in name order; tick the second and the fifth.
    tick(2);
    tick(5);
    const std::vector<std::string> expected{"b", "e"};
    window.setWindowState(Qt::WindowMinimized);
    int pointerWhileBusy = -1;
    bool busyWhileRunning = false;
    spreadsheet.onCell = [&] {
        pointerWhileBusy = window.pointer().shape();
        busyWhileRunning = window.ExportBusy;
    };
    messages.onShow = [&](const testsupport::RecordingMessageBox::Shown&) {
        EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
        EXPECT_EQ(window.pointer().shape(), look::kPointerDefault);
        EXPECT_EQ(window.ProgressBar1->text(), QStringLiteral("Progress Bar"));
        EXPECT_EQ(window.ProgressBar1->value(), 0);
    };
    window.PushButton5->click();

    EXPECT_EQ(pointerWhileBusy, look::kPointerHourglass);
    EXPECT_TRUE(busyWhileRunning);
    EXPECT_FALSE(window.ExportBusy);
    EXPECT_EQ(spreadsheet.applicationsCreated, 1);
    EXPECT_EQ(spreadsheet.onlyWorkbook().sheetNames(), expected);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral(
                  "Done.\r\n\r\nPlease look at the Excel tabs at the bottom for multiple tables."));
    EXPECT_EQ(messages.shown[0].style, 0);
    EXPECT_EQ(messages.shown[0].title, app::AppTitle());
}

// A mouse move over a control, as the window system would send it.
void moveOver(QWidget& control)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), control.mapToGlobal(QPointF(3, 3)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&control, &move);
}

TEST_F(Form2Test, HourglassStaysOverFinishWhileTheExportRuns)
{
    dbtest::writeNamesTable(dir.path(), "a", 1);
    auto& window = load();
    tick(1);
    int shapeOverFinish = -1;
    spreadsheet.onCell = [&] {
        moveOver(*window.PushButton5);
        shapeOverFinish = window.pointer().shape();
    };
    window.PushButton5_Click();
    EXPECT_EQ(shapeOverFinish, look::kPointerHourglass);
    moveOver(*window.PushButton5);
    EXPECT_EQ(window.pointer().shape(), look::kPointerCustom);
    moveOver(*list().viewport());
    EXPECT_EQ(window.pointer().shape(), look::kPointerDefault);
}

TEST_F(Form2Test, FinishOnAnEmptyListDoesNothing)
{
    auto& window = load();
    window.PushButton5_Click();
    EXPECT_EQ(spreadsheet.applicationsCreated, 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(window.ExportBusy);
    EXPECT_EQ(window.pointer().shape(), look::kPointerDefault);
}

TEST_F(Form2Test, ProgressTextKeepsPercentSignsOfTableNames)
{
    auto& window = load();
    window.showTables({{QStringLiteral("100%p"), QStringLiteral("100%p")}});
    dbtest::writeNamesTable(dir.path(), "100%p", 1);
    tick(1);
    QString shown;
    spreadsheet.onCell = [&] {
        if (shown.isEmpty())
            shown = window.ProgressBar1->text();
    };
    window.PushButton5_Click();
    EXPECT_EQ(shown, QStringLiteral("Processing: 100%p"));
}

// shop.dbc: the table a (3 names), four tables t1 to t4 of 2,000 numbers each, and the view
// forever, their cross join: 16 million million rows, which no run gets through.
std::filesystem::path writeNeverEndingView(const std::filesystem::path& folder)
{
    const std::filesystem::path dbc = folder / "shop.dbc";
    vfpwriter::ContainerWriter container(dbc);
    vfpwriter::TableWriter names =
        container.createTable("a", "a.dbf", {{"name", vfp::FieldType::Varchar, 10}});
    for (const char* name : {"r1", "r2", "r3"})
        names.append({dbtest::text(name)});
    names.close();
    for (const char* table : {"t1", "t2", "t3", "t4"}) {
        vfpwriter::TableWriter numbers = container.createTable(table, std::string(table) + ".dbf",
                                                               {{"n", vfp::FieldType::Integer}});
        for (int n = 1; n <= 2000; ++n)
            numbers.append({dbtest::integer(n)});
        numbers.close();
    }
    container.addView("forever",
                      "SELECT t1.n FROM t1 JOIN t2 ON .T. JOIN t3 ON .T. JOIN t4 ON .T.");
    container.close();
    return dbc;
}

// "Stop" is heard inside a view's SQL: the run ends at once, and the workbook with the tables
// copied before it is handed over, with a message that says where the run stopped.
TEST_F(Form2Test, StopEndsANeverEndingViewAndHandsOverWhatWasCopied)
{
    const auto dbc = writeNeverEndingView(dir.path());
    auto& window = load({true, QString::fromStdString(dbc.string()), QString()});
    ASSERT_EQ(list().topLevelItemCount(), 6);  // a, t1 to t4, forever
    tick(1);
    tick(6);
    using Clock = std::chrono::steady_clock;
    Clock::time_point stoppedAt;
    QString captionWhileRunning;
    QTimer::singleShot(300, &window, [&] {
        captionWhileRunning = window.PushButton5->text();
        stoppedAt = Clock::now();
        QTest::mouseClick(window.PushButton5, Qt::LeftButton);
    });
    QString captionBehindTheMessage;
    messages.onShow = [&](const testsupport::RecordingMessageBox::Shown&) {
        captionBehindTheMessage = window.PushButton5->text();
    };
    {
        const testsupport::Watchdog watchdog("the export of a never-ending view");
        window.PushButton5_Click();
    }
    const auto stopping = Clock::now() - stoppedAt;

    EXPECT_EQ(captionWhileRunning, QStringLiteral("Stop"));
    EXPECT_EQ(captionBehindTheMessage, QStringLiteral("Finish"));
    EXPECT_LT(stopping, std::chrono::seconds(1));
    EXPECT_EQ(window.PushButton5->text(), QStringLiteral("Finish"));
    EXPECT_FALSE(window.ExportBusy);
    fakes::FakeWorkbook& workbook = spreadsheet.onlyWorkbook();
    EXPECT_TRUE(workbook.visible);
    EXPECT_EQ(workbook.sheetNames(), std::vector<std::string>{"a"});
    EXPECT_EQ(workbook.sheet(1).row(4), std::vector<std::string>{"r3"});
    ASSERT_EQ(messages.texts(),
              std::vector<QString>{QStringLiteral(
                  "Stopped at forever before its first row. The workbook holds what was copied "
                  "until then.\r\n\r\nPlease look at the Excel tabs at the bottom for multiple "
                  "tables.")});
}

// Escape stops a table's copy at the next record, even when each row takes longer than the
// run's clock ticks; closing the window meanwhile asks first, and "No" keeps the window and the
// run. The message counts the rows the sheet holds, all of them whole.
TEST_F(Form2Test, EscapeStopsATableAtTheNextRecordAndClosingAsksFirst)
{
    constexpr int kFields = 40;
    std::vector<vfpwriter::FieldDefinition> fields;
    for (int k = 1; k <= kFields; ++k)
        fields.push_back({"F" + std::to_string(k), vfp::FieldType::Varchar, 4});
    std::vector<std::vector<vfp::Value>> records;
    for (int r = 1; r <= 50; ++r)
        records.emplace_back(kFields, dbtest::text("r" + std::to_string(r)));
    dbtest::writeTable(dir.path(), "wide", fields, records);
    auto& window = load();
    window.show();
    tick(1);
    int cells = 0;
    spreadsheet.onCell = [&] {
        if (++cells == kFields + 10) {  // in the first record, whose row is written whole
            window.close();
            QTest::keyClick(&window, Qt::Key_Escape);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));  // a row outlasts a tick
    };
    window.PushButton5_Click();

    EXPECT_EQ(programEnds, 0);
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].text,
              QStringLiteral("An export is running. Close Quorvane anyway? The workbook is not "
                             "opened; press Stop instead to open it with what was copied until "
                             "now."));
    fakes::FakeSheet& sheet = spreadsheet.onlyWorkbook().sheet(1);
    ASSERT_EQ(sheet.lastRow(), 2);
    EXPECT_EQ(sheet.row(2), std::vector<std::string>(kFields, "r1"));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("Stopped at wide after 1 of its 50 rows. The workbook holds what was "
                             "copied until then.\r\n\r\nPlease look at the Excel tabs at the "
                             "bottom for multiple tables."));
}

}  // namespace
