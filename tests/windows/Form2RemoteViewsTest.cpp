// "Finish" on a container with remote views: one question before the first table names the
// server as it would be sent and the views that use it; "No" skips those views, each with one
// report and its empty sheet, and copies the rest; "Yes" copies them through Debian's SQLite
// ODBC driver. A view refused for its connect string is not asked about.
#include <gtest/gtest.h>

#include "modules/app/MessageBox.h"
#include "modules/foxpro/Foxpro.h"
#include "tests/support/FakeSpreadsheet.h"
#include "tests/support/GuiApp.h"
#include "tests/support/OdbcSandbox.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/TempDir.h"
#include "windows/Form2.h"

namespace {

struct AnswerCase
{
    std::string name;
    bool yes;
    std::vector<std::vector<std::string>> picked;  // the rows of the sheet picked
    int skipped;                                   // reports of skipped views
};

class Form2RemoteViewsTest : public testing::TestWithParam<AnswerCase>
{
protected:
    const bool guiReady = (testsupport::ensureGuiApp(), true);
    testsupport::TempDir dir;
    fakes::FakeSpreadsheet spreadsheet;
    testsupport::RecordingMessageBox messages;
};

const QString kQuestion = QStringLiteral(
    "Some of the ticked views read their rows from database servers. Quorvane connects to them "
    "only if you allow it, sending exactly this (passwords shown as ***):\r\n"
    "\r\nDSN=quorvane_shop;UID=clerk;PWD=***;\r\n    for other\r\n"
    "\r\nDSN=quorvane_shop;\r\n    for picked\r\n"
    "\r\nConnect to these servers for this export? \"No\" skips these views and copies the "
    "other tables.");

TEST_P(Form2RemoteViewsTest, OneQuestionThenCopiedOrSkipped)
{
    QUORVANE_REQUIRE_SQLITE_ODBC();
    const AnswerCase& wanted = GetParam();
    const std::filesystem::path dbc =
        odbctest::writeRemote(dir.path(), {{"picked", "Shop", "SELECT id FROM kept ORDER BY id"},
                                           {"other", "Clerk", "SELECT 5 AS five"},
                                           {"far", "Nowhere", "SELECT 1"}});
    const foxpro::ConnectionSettings settings{true, QString::fromStdString(dbc.string()), {}};
    foxpro::TableList tables;
    foxpro::AddTablesToFoxproListbox(tables, foxpro::BuildFoxproConnectionString(settings),
                                     settings, messages.reports());
    QWidget setupWindow;
    windows::Form2 form([settings] { return settings; }, &setupWindow, spreadsheet.factory(),
                        messages, tables);
    form.PushButton8_Click();  // "Select All"
    messages.answer = wanted.yes;
    form.PushButton5_Click();

    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].text, kQuestion);
    int skipped = 0;
    for (const auto& shown : messages.shown) {
        skipped += shown.text.contains(
                       QStringLiteral(" was skipped: it reads from the server DSN=quorvane_shop;"))
                       ? 1
                       : 0;
    }
    EXPECT_EQ(skipped, wanted.skipped);
    fakes::FakeWorkbook& book = spreadsheet.onlyWorkbook();
    EXPECT_EQ(book.sheetNames(), (std::vector<std::string>{"plain", "far", "other", "picked"}));
    EXPECT_EQ(book.sheet(1).row(2), std::vector<std::string>{"1   "}) << "the table is copied";
    EXPECT_TRUE(book.sheet(2).cells().empty()) << "the refused view is not copied";
    std::vector<std::vector<std::string>> picked;
    for (int r = 1; r <= 4 && !book.sheet(4).row(r).empty(); ++r)
        picked.push_back(book.sheet(4).row(r));
    EXPECT_EQ(picked, wanted.picked);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Form2RemoteViewsTest,
    testing::Values(AnswerCase{"no_skips_the_remote_views_and_copies_the_rest", false, {}, 2},
                    AnswerCase{"yes_copies_them_through_the_sqlite_driver",
                               true,
                               {{"id"}, {"1"}, {"2"}, {"3"}},
                               0}),
    [](const auto& row) { return row.param.name; });

}  // namespace
