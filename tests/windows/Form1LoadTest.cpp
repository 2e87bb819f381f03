// Form1's load, the start-up: restored settings, the automatic "Next >", the skin and hand
// pointer files, the caption, and the spreadsheet check.
#include <filesystem>
#include <fstream>
#include <optional>

#include <gtest/gtest.h>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>

#include "tests/windows/Form1Harness.h"
#include "windows/Form2.h"
#include "windows/look/WindowPointer.h"

namespace {

using app::Setting;
using testsupport::Form1Harness;

const QString kLoadLocation = QStringLiteral("in Quorvane2021/08/31.Form1.Form_Load at line ");

TEST(Form1Load, FirstStartWithoutSettings)
{
    Form1Harness h;
    windows::Form1& f = h.form();
    f.Form_Load();
    f.showAfterLoad();

    EXPECT_TRUE(f.Text1->text().isEmpty());
    EXPECT_TRUE(f.Text2->text().isEmpty());
    EXPECT_TRUE(f.Option1->isChecked());
    EXPECT_EQ(h.setting(Setting::FoxproOption), QStringLiteral("1"));
    EXPECT_EQ(f.loadedForm2(), nullptr) << "an empty path starts nothing";
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Quorvane"));
    EXPECT_FALSE(f.windowIcon().isNull());
    EXPECT_TRUE(f.styleSheet().isEmpty()) << "no skin file";
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_EQ(h.spreadsheetsCreated, 1);
    EXPECT_EQ(h.ended, 0);
    EXPECT_TRUE(f.isVisible());
}

TEST(Form1Load, StoredOptionSelectsTheKind)
{
    struct Case
    {
        const char* name;
        std::optional<QString> stored;
        bool option1;
    };
    const Case cases[] = {
        {"one", QStringLiteral("1"), true},
        {"two", QStringLiteral("2"), false},
        {"three_means_container", QStringLiteral("3"), true},
        {"blank_means_container", QString(), true},
        {"absent_means_container", std::nullopt, true},
        {"two_with_space_is_not_two", QStringLiteral("2 "), true},
    };
    for (const Case& c : cases) {
        Form1Harness h;
        if (c.stored)
            app::writeSetting(Setting::FoxproOption, *c.stored);
        windows::Form1& f = h.form();
        f.Form_Load();
        EXPECT_EQ(f.Option1->isChecked(), c.option1) << c.name;
        EXPECT_EQ(f.Option2->isChecked(), !c.option1) << c.name;
        EXPECT_EQ(h.setting(Setting::FoxproOption),
                  c.option1 ? QStringLiteral("1") : QStringLiteral("2"))
            << c.name << ": the click handler stores the kind again";
        EXPECT_TRUE(h.boxes.shown.empty()) << c.name;
    }
}

TEST(Form1Load, StoredPathsComeBackUnchanged)
{
    Form1Harness h;
    app::writeSetting(Setting::Text1, QStringLiteral("/gone/shop, 2021.dbc"));
    app::writeSetting(Setting::Text2, QStringLiteral("/gone/free;tables"));
    windows::Form1& f = h.form();
    f.Form_Load();
    EXPECT_EQ(f.Text1->text(), QStringLiteral("/gone/shop, 2021.dbc"));
    EXPECT_EQ(f.Text2->text(), QStringLiteral("/gone/free;tables"));
    EXPECT_EQ(h.setting(Setting::Text1), QStringLiteral("/gone/shop, 2021.dbc"));
    EXPECT_EQ(f.loadedForm2(), nullptr);
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST(Form1Load, ExistingContainerFileStartsNextEvenWithTheFolderKind)
{
    Form1Harness h;
    app::writeSetting(Setting::Text1, h.file("shop.dbc"));
    app::writeSetting(Setting::Text2, h.missing("free"));
    app::writeSetting(Setting::FoxproOption, QStringLiteral("2"));
    windows::Form1& f = h.form();
    f.Form_Load();
    // "Next >" ran and worked from the folder kind, whose folder is gone.
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("Could not connect.")});
    EXPECT_EQ(f.loadedForm2(), nullptr);
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Quorvane")) << "the start-up goes on after Next";
}

TEST(Form1Load, TextTwoNamingAFileStartsNothing)
{
    Form1Harness h;
    app::writeSetting(Setting::Text2, h.file("free/orders.dbf"));
    app::writeSetting(Setting::FoxproOption, QStringLiteral("2"));
    windows::Form1& f = h.form();
    f.Form_Load();
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_EQ(f.loadedForm2(), nullptr);
}

TEST(Form1Load, ExistingFolderGoesStraightToTheTableList)
{
    Form1Harness h;
    const QString free = h.folder("free");
    h.file("free/orders.dbf");
    app::writeSetting(Setting::Text2, free);
    app::writeSetting(Setting::FoxproOption, QStringLiteral("2"));
    windows::Form1& f = h.form();
    f.Form_Load();
    f.showAfterLoad();

    ASSERT_NE(f.loadedForm2(), nullptr);
    EXPECT_TRUE(f.loadedForm2()->isVisible());
    EXPECT_FALSE(f.isVisible()) << "the table list is the window on screen";
    EXPECT_EQ(f.loadedForm2()->listWidget().topLevelItemCount(), 1);
    EXPECT_TRUE(h.boxes.shown.empty());
}

TEST(Form1Load, MissingSpreadsheetProgramGivesAdviceAndEnds)
{
    Form1Harness h;
    h.spreadsheetInstalled = false;
    windows::Form1& f = h.form();
    f.Form_Load();
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(h.boxes.shown[0].text.startsWith(
        QStringLiteral("Error 842001. A normal instance of Excel could not be created.\r\n\r\n")));
    EXPECT_EQ(h.boxes.shown[0].style, 0);
    EXPECT_EQ(h.boxes.shown[0].title, QStringLiteral("Quorvane"));
    EXPECT_EQ(h.ended, 1);
}

TEST(Form1Load, SkinFileRules)
{
    struct Case
    {
        const char* name;
        std::optional<std::string> skin;  // nullopt: a folder named o.cjs
        bool skinned;
        bool reportedAt104;
    };
    const Case cases[] = {
        {"folder_named_like_the_skin", std::nullopt, false, false},
        {"valid_style_sheet", std::string("QPushButton { color: #1d4450; }"), true, false},
        {"rejected_style_sheet", std::string("QPushButton { color: "), false, true},
    };
    for (const Case& c : cases) {
        Form1Harness h;
        const auto skinPath = h.programFolder() / "x" / "o.cjs";
        std::filesystem::create_directories(c.skin ? skinPath.parent_path() : skinPath);
        if (c.skin)
            std::ofstream(skinPath) << *c.skin;
        windows::Form1& f = h.form();
        f.Form_Load();

        EXPECT_EQ(!f.styleSheet().isEmpty(), c.skinned) << c.name;
        if (c.reportedAt104) {
            ASSERT_EQ(h.boxes.shown.size(), 1u) << c.name;
            EXPECT_TRUE(h.boxes.shown[0].text.endsWith(
                kLoadLocation +
                QStringLiteral(
                    "104\r\rPlease email screenshot of this message to support@quorvane.example")))
                << h.boxes.shown[0].text.toStdString();
            EXPECT_EQ(h.boxes.shown[0].title, QStringLiteral("Application Error"));
            EXPECT_EQ(h.boxes.shown[0].style, 48);
            EXPECT_TRUE(f.Frame1->autoFillBackground()) << "painted before the skin failed";
        } else {
            EXPECT_TRUE(h.boxes.shown.empty()) << c.name;
        }
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Quorvane"))
            << c.name << ": the start-up went on";
    }
}

TEST(Form1Load, HandPointerFile)
{
    {
        Form1Harness h;
        std::filesystem::copy_file(QUORVANE_SOURCE_DIR "/assets/HAND-M.CUR",
                                   h.programFolder() / "HAND-M.CUR");
        windows::Form1& f = h.form();
        f.Form_Load();
        f.pointer().setShape(look::kPointerCustom);
        EXPECT_EQ(f.cursor().shape(), Qt::BitmapCursor);
        EXPECT_TRUE(h.boxes.shown.empty());
    }
    {
        Form1Harness h;
        std::ofstream(h.programFolder() / "HAND-M.CUR") << "not a cursor";
        windows::Form1& f = h.form();
        f.Form_Load();
        ASSERT_EQ(h.boxes.shown.size(), 1u);
        EXPECT_TRUE(h.boxes.shown[0].text.contains(kLoadLocation + QStringLiteral("124\r\r")));
        f.pointer().setShape(look::kPointerCustom);
        EXPECT_EQ(f.cursor().shape(), Qt::PointingHandCursor) << "keeps the pointer it had";
    }
}

TEST(Form1Load, UnsavableOptionIsReportedAtItsStatementAndTheLoadGoesOn)
{
    Form1Harness h;
    std::ofstream(h.settings.folder() / "Marrowind") << "a file where the folder belongs";
    windows::Form1& f = h.form();
    f.Form_Load();
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(h.boxes.shown[0].text.contains(kLoadLocation + QStringLiteral("132\r\r")))
        << h.boxes.shown[0].text.toStdString();
    EXPECT_TRUE(f.Option1->isChecked());
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Quorvane"));
    EXPECT_EQ(h.spreadsheetsCreated, 1);
}

TEST(Form1Load, CodePageSettingReachesTheConnectionSettings)
{
    struct Case
    {
        const char* name;
        const char* line;  // in the settings file, as a user writes it
        int codePage;
        bool reported;
    };
    const Case cases[] = {
        {"absent_is_windows_1252", "", 1252, false},
        {"dos_text", "CodePage=850\n", 850, false},
        {"russian_dos_text", "CodePage=866\n", 866, false},
        {"no_code_page_is_reported_and_1252_kept", "CodePage=utf8\n", 1252, true},
    };
    for (const Case& c : cases) {
        Form1Harness h;
        std::filesystem::create_directories(h.settings.file().parent_path());
        std::ofstream(h.settings.file()) << "[Quorvane]\n" << c.line;
        windows::Form1& f = h.form();
        f.Form_Load();
        EXPECT_EQ(f.currentSettings().unmarkedCodePage, c.codePage) << c.name;
        if (c.reported) {
            ASSERT_EQ(h.boxes.shown.size(), 1u) << c.name;
            EXPECT_TRUE(
                h.boxes.shown[0].text.startsWith(QStringLiteral("The setting CodePage in ")))
                << h.boxes.shown[0].text.toStdString();
            EXPECT_TRUE(h.boxes.shown[0].text.contains(kLoadLocation + QStringLiteral("138\r\r")))
                << h.boxes.shown[0].text.toStdString();
        } else {
            EXPECT_TRUE(h.boxes.shown.empty()) << c.name;
        }
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Quorvane"))
            << c.name << ": the start-up went on";
    }
}

}  // namespace
