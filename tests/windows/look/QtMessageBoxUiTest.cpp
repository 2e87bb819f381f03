// The Qt question box: "No" is the default, so Return and Escape both answer No; only a click
// on "Yes" answers Yes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

#include "tests/support/GuiApp.h"
#include "tests/support/ModalAnswer.h"
#include "windows/look/QtMessageBox.h"

namespace {

struct AnswerCase
{
    std::string name;
    std::function<void(QMessageBox&)> answer;
    bool yes;
};

class QtQuestionTest : public testing::TestWithParam<AnswerCase>
{
};

TEST_P(QtQuestionTest, NoUnlessYesIsClicked)
{
    testsupport::ensureGuiApp();
    testsupport::answerModal<QMessageBox>(GetParam().answer);
    look::QtMessageBox box;
    EXPECT_EQ(box.ask(QStringLiteral("Connect?"), QStringLiteral("Quorvane")), GetParam().yes);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, QtQuestionTest,
    testing::Values(
        AnswerCase{"escape_answers_no",
                   [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, false},
        AnswerCase{"return_takes_the_default_no",
                   [](QMessageBox& box) { QTest::keyClick(box.focusWidget(), Qt::Key_Return); },
                   false},
        AnswerCase{"yes_clicked", [](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); },
                   true}),
    [](const auto& row) { return row.param.name; });

}  // namespace
