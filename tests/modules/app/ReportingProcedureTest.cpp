// The error report's exact text and the resume rules of numbered statements.
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "modules/app/ErrorReport.h"
#include "modules/app/ReportingProcedure.h"
#include "tests/support/RecordingMessageBox.h"

namespace {

const QString kLoad = QStringLiteral("in Quorvane2021/08/31.Form1.Form_Load ");

TEST(ErrorReport, TextIsByteForByte)
{
    testsupport::RecordingMessageBox box;
    app::ReportingProcedure p{kLoad, box.reports()};
    p.step(126, [] { throw std::runtime_error("Permission denied"); });

    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text.toStdString(),
              "Permission denied\r\nin Quorvane2021/08/31.Form1.Form_Load at line 126\r\r"
              "Please email screenshot of this message to support@quorvane.example");
    EXPECT_EQ(box.shown[0].style, 48);
    EXPECT_EQ(box.shown[0].title, QStringLiteral("Application Error"));
}

TEST(ErrorReport, FolderWalkCarriesItsOwnTitleAndUtf8Description)
{
    testsupport::RecordingMessageBox box;
    app::ReportingProcedure p{
        QStringLiteral("in PellanTitle2021/08/31.AddFolder.GetSubDirectories2016 "), box.reports(),
        QStringLiteral("Quorvane")};
    p.step(108, [] { throw std::runtime_error("Zürich: \xe2\x82\xac not readable"); });

    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].title, QStringLiteral("Quorvane"));
    EXPECT_TRUE(
        box.shown[0].text.startsWith(QStringLiteral("Zürich: € not readable\r\nin PellanTitle")));
    EXPECT_TRUE(
        box.shown[0].text.contains(QStringLiteral("GetSubDirectories2016 at line 108\r\r")));
}

struct ResumeCase
{
    const char* name;
    void (*procedure)(app::ReportingProcedure&, std::vector<int>& ran);
    std::vector<int> ran;
    std::vector<int> reportedLines;
};

void failingStatementGoesOnWithNext(app::ReportingProcedure& p, std::vector<int>& ran)
{
    p.step(100, [&] {
        ran.push_back(100);
        throw std::runtime_error("a");
    });
    p.step(102, [&] { ran.push_back(102); });
}

void twoFailuresTwoBoxes(app::ReportingProcedure& p, std::vector<int>& ran)
{
    p.step(126, [&] {
        ran.push_back(126);
        throw std::runtime_error("a");
    });
    p.step(128, [&] {
        ran.push_back(128);
        throw std::runtime_error("b");
    });
    p.step(130, [&] { ran.push_back(130); });
}

void failingConditionEntersTrueBranch(app::ReportingProcedure& p, std::vector<int>& ran)
{
    if (p.test(140, [&]() -> bool { throw std::runtime_error("a"); }))
        p.step(142, [&] { ran.push_back(142); });
    p.step(144, [&] { ran.push_back(144); });
}

void falseConditionSkipsBranch(app::ReportingProcedure& p, std::vector<int>& ran)
{
    if (p.test(140, [] { return false; }))
        p.step(142, [&] { ran.push_back(142); });
    p.step(144, [&] { ran.push_back(144); });
}

void loopWhoseTestKeepsFailingEnds(app::ReportingProcedure& p, std::vector<int>& ran)
{
    p.loop(
        114, []() -> bool { throw std::runtime_error("EOF unknown"); },
        [&] { ran.push_back(116); });
    p.step(128, [&] { ran.push_back(128); });
}

void loopWhoseMoveKeepsFailingEnds(app::ReportingProcedure& p, std::vector<int>& ran)
{
    p.loop(
        114, [] { return true; },
        [&] {
            p.step(116, [&] { ran.push_back(116); });
            p.step(
                126, [] { throw std::runtime_error("MoveNext"); },
                app::ReportingProcedure::StopLoopOnFailure);
        });
    p.step(128, [&] { ran.push_back(128); });
}

void loopRunsWhileConditionHolds(app::ReportingProcedure& p, std::vector<int>& ran)
{
    int rows = 3;
    p.loop(
        114, [&] { return rows > 0; },
        [&] {
            p.step(116, [&] { ran.push_back(116); });
            p.step(126, [&] { --rows; });
        });
}

void innerLoopStopLeavesOuterLoopRunning(app::ReportingProcedure& p, std::vector<int>& ran)
{
    int outer = 2;
    p.loop(
        140, [&] { return outer > 0; },
        [&] {
            p.loop(
                146, [] { return true; },
                [&] {
                    p.step(
                        148, [] { throw std::runtime_error("x"); },
                        app::ReportingProcedure::StopLoopOnFailure);
                });
            p.step(158, [&] {
                ran.push_back(158);
                --outer;
            });
        });
}

class ResumeRules : public testing::TestWithParam<ResumeCase>
{
};

TEST_P(ResumeRules, RunsAndReportsTheRightLines)
{
    testsupport::RecordingMessageBox box;
    app::ReportingProcedure p{kLoad, box.reports()};
    std::vector<int> ran;
    GetParam().procedure(p, ran);

    EXPECT_EQ(ran, GetParam().ran);
    std::vector<int> reported;
    for (const auto& shown : box.shown) {
        const qsizetype at = shown.text.indexOf(QStringLiteral("at line "));
        reported.push_back(shown.text.mid(at + 8, 3).toInt());
    }
    EXPECT_EQ(reported, GetParam().reportedLines);
    EXPECT_EQ(p.failures(), static_cast<int>(GetParam().reportedLines.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Statements, ResumeRules,
    testing::Values(
        ResumeCase{"failing_statement_goes_on_with_next",
                   failingStatementGoesOnWithNext,
                   {100, 102},
                   {100}},
        ResumeCase{
            "two_failures_two_boxes_in_order", twoFailuresTwoBoxes, {126, 128, 130}, {126, 128}},
        ResumeCase{"failing_condition_enters_true_branch",
                   failingConditionEntersTrueBranch,
                   {142, 144},
                   {140}},
        ResumeCase{"false_condition_skips_branch", falseConditionSkipsBranch, {144}, {}},
        ResumeCase{
            "loop_test_keeps_failing_still_ends", loopWhoseTestKeepsFailingEnds, {116, 128}, {114}},
        ResumeCase{
            "loop_move_keeps_failing_still_ends", loopWhoseMoveKeepsFailingEnds, {116, 128}, {126}},
        ResumeCase{
            "loop_runs_while_condition_holds", loopRunsWhileConditionHolds, {116, 116, 116}, {}},
        ResumeCase{"inner_loop_stop_leaves_outer_running",
                   innerLoopStopLeavesOuterLoopRunning,
                   {158, 158},
                   {148, 148}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ReportingProcedure, ExceptionWithoutDescriptionReadsUnknownError)
{
    testsupport::RecordingMessageBox box;
    app::ReportingProcedure p{kLoad, box.reports()};
    p.step(104, [] { throw 42; });
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_TRUE(box.shown[0].text.startsWith(QStringLiteral("Unknown error\r\n")));
}

}  // namespace
