// Form1's handlers: settings written as the controls change, the dialogs, "Help",
// "Test Connection", "Load Sample/Example Database", "Next >" and closing the window.
#include <fstream>

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "tests/support/ModalAnswer.h"
#include "tests/windows/Form1Harness.h"
#include "windows/Form2.h"
#include "windows/look/WindowPointer.h"

namespace {

using app::Setting;
using testsupport::Form1Harness;

const QString kCouldNotConnect = QStringLiteral("Could not connect.");

TEST(Form1Settings, EveryKeystrokeAndClickIsStoredAtOnce)
{
    Form1Harness h;
    windows::Form1& f = h.form();
    QTest::keyClicks(f.Text2, QStringLiteral("/d"));
    EXPECT_EQ(h.setting(Setting::Text2), QStringLiteral("/d"));
    QTest::keyClick(f.Text2, Qt::Key_A);
    EXPECT_EQ(h.setting(Setting::Text2), QStringLiteral("/da"));
    EXPECT_NE(h.settings.fileText().find("Text2=/da"), std::string::npos)
        << "on disk, not only in memory";
    f.Text2->clear();
    EXPECT_EQ(h.setting(Setting::Text2), QString()) << "deleting the text stores an empty value";

    QTest::keyClicks(f.Text1, QStringLiteral("/x.dbc"));
    EXPECT_EQ(h.setting(Setting::Text1), QStringLiteral("/x.dbc"));

    QTest::mouseClick(f.Option2, Qt::LeftButton);
    EXPECT_EQ(h.setting(Setting::FoxproOption), QStringLiteral("2"));
    QTest::mouseClick(f.Option1, Qt::LeftButton);
    EXPECT_EQ(h.setting(Setting::FoxproOption), QStringLiteral("1"));
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST(Form1Settings, UnsavableSettingIsReportedOnceNotPerKeystroke)
{
    Form1Harness h;
    std::ofstream(h.settings.folder() / "Marrowind") << "a file where the folder belongs";
    windows::Form1& f = h.form();
    QTest::keyClicks(f.Text2, QStringLiteral("abc"));
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.boxes.shown[0].style, 48);
    EXPECT_TRUE(h.boxes.shown[0].text.contains(QStringLiteral("Text2")))
        << h.boxes.shown[0].text.toStdString();
    EXPECT_EQ(f.Text2->text(), QStringLiteral("abc")) << "typing goes on";
}

TEST(Form1Focus, EnteringAPathBoxSelectsItsWholeText)
{
    Form1Harness h;
    windows::Form1& f = h.form();
    f.Text1->setText(QStringLiteral("/data/shop.dbc"));
    f.Text2->setText(QStringLiteral("/data/free"));
    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));

    QTest::mouseClick(f.Text2, Qt::LeftButton, {}, QPoint(5, 5));
    QTRY_COMPARE(f.Text2->selectedText(), QStringLiteral("/data/free"));
    f.PushButton5->setFocus();
    QTest::keyClick(&f, Qt::Key_Backtab);  // back to Text1
    QTRY_COMPARE(f.Text1->selectedText(), QStringLiteral("/data/shop.dbc"));
}

TEST(Form1Buttons, HelpShowsTheHint)
{
    Form1Harness h;
    app::SetAppTitle();
    h.form().PushButton6_Click();
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_EQ(h.boxes.shown[0].text,
              QStringLiteral("Make sure FoxPro is closed while using this application."));
    EXPECT_EQ(h.boxes.shown[0].style, 0);
    EXPECT_EQ(h.boxes.shown[0].title, QStringLiteral("Quorvane"));
}

TEST(Form1Buttons, TestConnectionAnswersAndAlwaysRestoresThePointer)
{
    struct Case
    {
        const char* name;
        bool option1;
        std::string path;  // "" = empty box; "folder:" / "file:" prefixes make it exist
        QString answer;
    };
    const Case cases[] = {
        {"empty_container_path", true, "", kCouldNotConnect},
        {"empty_folder_path", false, "", kCouldNotConnect},
        {"missing_container", true, "gone.dbc", kCouldNotConnect},
        {"container_that_is_no_container", true, "file:fake.dbc", kCouldNotConnect},
        {"missing_folder", false, "gone", kCouldNotConnect},
        {"existing_folder", false, "folder:free", QStringLiteral("Connection successful.")},
    };
    for (const Case& c : cases) {
        Form1Harness h;
        windows::Form1& f = h.form();
        QString path;
        if (c.path.rfind("folder:", 0) == 0)
            path = h.folder(c.path.substr(7));
        else if (c.path.rfind("file:", 0) == 0)
            path = h.file(c.path.substr(5), "not a database container");
        else if (!c.path.empty())
            path = h.missing(c.path);
        (c.option1 ? f.Option1 : f.Option2)->setChecked(true);
        (c.option1 ? f.Text1 : f.Text2)->setText(path);
        int pointerWhileShown = -1;
        h.boxes.onShow = [&](const auto&) { pointerWhileShown = f.pointer().shape(); };

        f.PushButton3_Click();

        ASSERT_EQ(h.boxes.texts(), std::vector<QString>{c.answer}) << c.name;
        EXPECT_EQ(h.boxes.shown[0].style, 0) << c.name;
        EXPECT_EQ(pointerWhileShown, look::kPointerHourglass) << c.name;
        EXPECT_EQ(f.pointer().shape(), look::kPointerDefault) << c.name;
        EXPECT_EQ(f.loadedForm2(), nullptr) << c.name << ": the table list is not touched";
    }
}

TEST(Form1Buttons, CancelledDialogsLeaveEverything)
{
    Form1Harness h;
    windows::Form1& f = h.form();
    f.Option2->setChecked(true);
    f.Text1->setText(QStringLiteral("/a/shop.dbc"));
    f.Text2->setText(QStringLiteral("/a/free"));
    const std::string stored = h.settings.fileText();

    f.PushButton5_Click();
    f.PushButton4_Click();

    EXPECT_EQ(h.fileDialogs, 1);
    EXPECT_EQ(h.folderDialogs, 1);
    EXPECT_EQ(f.Text1->text(), QStringLiteral("/a/shop.dbc"));
    EXPECT_EQ(f.Text2->text(), QStringLiteral("/a/free"));
    EXPECT_TRUE(f.Option2->isChecked());
    EXPECT_EQ(h.settings.fileText(), stored);
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST(Form1Buttons, FolderPickerFillsTextTwoOnly)
{
    Form1Harness h;
    windows::Form1& f = h.form();
    f.Option1->setChecked(true);
    h.folderDialogAnswer = QStringLiteral("/srv/free tables");
    f.PushButton4_Click();
    EXPECT_EQ(h.folderOwner, &f);
    EXPECT_EQ(h.folderTitle, QStringLiteral("Please select folder:"));
    EXPECT_EQ(h.folderStart, QString());
    EXPECT_EQ(f.Text2->text(), QStringLiteral("/srv/free tables"));
    EXPECT_EQ(h.setting(Setting::Text2), QStringLiteral("/srv/free tables"));
    EXPECT_TRUE(f.Option1->isChecked()) << "the source kind is not changed";
}

TEST(Form1Buttons, ContainerChosenWhileFolderSelectedKeepsTheFolder)
{
    Form1Harness h;
    windows::Form1& f = h.form();
    const QString free = h.folder("free");
    h.file("free/orders.dbf");
    QTest::mouseClick(f.Option2, Qt::LeftButton);
    f.Text2->setText(free);
    h.fileDialogAnswer = h.file("shop.dbc");

    f.PushButton5_Click();

    EXPECT_EQ(f.Text1->text(), h.fileDialogAnswer);
    EXPECT_EQ(h.setting(Setting::Text1), h.fileDialogAnswer);
    EXPECT_TRUE(f.Option2->isChecked());
    EXPECT_EQ(h.setting(Setting::FoxproOption), QStringLiteral("2"));

    f.PushButton2_Click();  // still opens the folder
    ASSERT_NE(f.loadedForm2(), nullptr);
    EXPECT_TRUE(h.boxes.shown.empty()) << h.boxes.shown[0].text.toStdString();
    EXPECT_EQ(f.loadedForm2()->listWidget().topLevelItemCount(), 1);
}

TEST(Form1Buttons, LoadSampleThenNextOpensTheSamplesAsFreeTables)
{
    Form1Harness h;
    windows::Form1& f = h.form();
    std::filesystem::create_directories(h.programFolder() / "Samples");
    std::ofstream(h.programFolder() / "Samples" / "customers.dbf") << "x";
    f.Option1->setChecked(true);
    f.Text1->setText(h.file("shop.dbc"));
    f.show();

    f.PushButton1_Click();

    const QString samples = Form1Harness::path(h.programFolder() / "Samples");
    EXPECT_TRUE(f.Option2->isChecked());
    EXPECT_EQ(f.Text2->text(), samples);
    EXPECT_EQ(h.setting(Setting::FoxproOption), QStringLiteral("2"));
    EXPECT_EQ(h.setting(Setting::Text2), samples);
    EXPECT_TRUE(h.boxes.shown.empty());

    f.PushButton2_Click();

    ASSERT_NE(f.loadedForm2(), nullptr);
    QTreeWidget* list = &f.loadedForm2()->listWidget();
    ASSERT_EQ(list->topLevelItemCount(), 1) << "filled by the load and again by Next, one set";
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("customers"));
    EXPECT_TRUE(f.loadedForm2()->isVisible());
    EXPECT_FALSE(f.isVisible());
}

TEST(Form1Buttons, NextWithBadSourceStaysOnThisWindow)
{
    Form1Harness h;
    windows::Form1& f = h.form();
    f.Option2->setChecked(true);
    f.Text2->setText(h.missing("nowhere"));
    f.show();

    f.PushButton2_Click();

    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{kCouldNotConnect});
    EXPECT_EQ(f.loadedForm2(), nullptr);
    EXPECT_TRUE(f.isVisible());
}

TEST(Form1Dialogs, DatabaseDialogOffersContainersReadOnly)
{
    Form1Harness h;
    const QString dbc = h.file("shop.dbc");
    QWidget owner;
    const auto choose = windows::Form1Services::standard(h.boxes).chooseDatabaseFile;

    QString title;
    QStringList filters;
    bool existingOnly = false;
    bool readOnlyChecked = false;
    testsupport::answerModal<QFileDialog>([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        filters = dialog.nameFilters();
        existingOnly = dialog.fileMode() == QFileDialog::ExistingFile;
        for (const QCheckBox* box : dialog.findChildren<QCheckBox*>())
            readOnlyChecked |=
                box->text() == QStringLiteral("Open as read-only") && box->isChecked();
        dialog.selectFile(dbc);
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(choose(owner), dbc);
    EXPECT_EQ(title, QStringLiteral("Select Foxpro Database"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("Microsoft Database (*.dbc)")});
    EXPECT_TRUE(existingOnly);
    EXPECT_TRUE(readOnlyChecked);

    testsupport::answerModal<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(choose(owner), QString()) << "cancel";
}

TEST(Form1Window, ClosingEndsTheProgram)
{
    Form1Harness h;
    windows::Form1& f = h.form();
    f.show();
    f.close();
    EXPECT_EQ(h.ended, 1);
    EXPECT_FALSE(f.isVisible());
}

TEST(Form1Window, HoverHandOverEveryButtonArrowOverPlainPlaces)
{
    Form1Harness h;
    windows::Form1& f = h.form();
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    const auto over = [&](QWidget* control) {
        QTest::mouseMove(control, control->rect().center());
        return f.pointer().shape();
    };
    for (QPushButton* button : {f.PushButton1, f.PushButton2, f.PushButton3, f.PushButton4,
                                f.PushButton5, f.PushButton6}) {
        over(f.Text1);
        EXPECT_EQ(over(button), look::kPointerCustom) << button->text().toStdString();
    }
    EXPECT_EQ(over(f.Option2), look::kPointerCustom) << "an option button leaves the hand";
    EXPECT_EQ(over(f.Text2), look::kPointerDefault);
    over(f.PushButton2);
    QTest::mouseMove(f.Frame1, {300, 118});  // the frame's empty bottom strip
    EXPECT_EQ(f.pointer().shape(), look::kPointerDefault);
    over(f.PushButton2);
    QTest::mouseMove(&f, {530, 150});  // the bare window right of the frame
    EXPECT_EQ(f.pointer().shape(), look::kPointerDefault);
}

}  // namespace
