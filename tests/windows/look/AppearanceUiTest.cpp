// The button-face background and the skin from x/o.cjs beside the program.
#include <filesystem>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "modules/app/Main.h"
#include "tests/support/GuiApp.h"
#include "tests/support/TempDir.h"
#include "windows/look/Appearance.h"
#include "windows/look/SkinFramework.h"

namespace {

const QColor kFace(0x12, 0x34, 0x56);

// A window with one control of each kind, in a palette whose button face stands out.
// Creates the application before the fixture's window member.
struct GuiFirst : testing::Test
{
    GuiFirst() { testsupport::ensureGuiApp(); }
};

class AppearanceTest : public GuiFirst
{
protected:
    void SetUp() override
    {
        mSavedPalette = QApplication::palette();
        QPalette palette = mSavedPalette;
        palette.setColor(QPalette::Button, kFace);
        palette.setColor(QPalette::Window, QColor(0xfe, 0xfe, 0xfe));
        QApplication::setPalette(palette);
        app::setProgramFolderForTesting(QString::fromStdString(mFolder.path().string()));

        frame = new QGroupBox(QStringLiteral("FoxPro Login"), &window);
        option = new QRadioButton(QStringLiteral("DBC File:"), frame);
        check = new QCheckBox(&window);
        label = new QLabel(QStringLiteral("x"), &window);
        text = new QLineEdit(frame);
        button = new QPushButton(QStringLiteral("Next >"), &window);
        progress = new QProgressBar(&window);
        list = new QTreeWidget(&window);
    }

    void TearDown() override
    {
        QApplication::setPalette(mSavedPalette);
        app::setProgramFolderForTesting(QString());
    }

    static QColor background(const QWidget* widget)
    {
        return widget->palette().color(widget->backgroundRole());
    }

    void writeSkin(const std::string& sheet) { mFolder.write("x/o.cjs", sheet); }

    testsupport::TempDir mFolder;
    QPalette mSavedPalette;
    QWidget window;
    QGroupBox* frame = nullptr;
    QRadioButton* option = nullptr;
    QCheckBox* check = nullptr;
    QLabel* label = nullptr;
    QLineEdit* text = nullptr;
    QPushButton* button = nullptr;
    QProgressBar* progress = nullptr;
    QTreeWidget* list = nullptr;
};

TEST_F(AppearanceTest, PlainControlsTakeButtonFaceOthersKeepTheirs)
{
    look::PaintFormBackground(window);

    for (const QWidget* plain : {static_cast<QWidget*>(&window), static_cast<QWidget*>(frame),
                                 static_cast<QWidget*>(option), static_cast<QWidget*>(check),
                                 static_cast<QWidget*>(label)}) {
        EXPECT_EQ(background(plain), kFace) << plain->metaObject()->className();
        EXPECT_TRUE(plain->autoFillBackground()) << plain->metaObject()->className();
    }
    for (const QWidget* other : {static_cast<QWidget*>(text), static_cast<QWidget*>(button),
                                 static_cast<QWidget*>(progress), static_cast<QWidget*>(list)}) {
        EXPECT_FALSE(other->testAttribute(Qt::WA_SetPalette)) << other->metaObject()->className();
        EXPECT_FALSE(other->autoFillBackground()) << other->metaObject()->className();
    }
    EXPECT_NE(background(text), kFace);
}

TEST_F(AppearanceTest, NoSkinFileChangesNothing)
{
    const QColor before = background(option);
    look::SkinFramework skin;
    look::ApplySkin(window, skin);
    EXPECT_TRUE(window.styleSheet().isEmpty());
    EXPECT_EQ(background(option), before);
}

TEST_F(AppearanceTest, FolderNamedLikeTheSkinIsNoSkin)
{
    std::filesystem::create_directories(mFolder.path() / "x" / "o.cjs");
    const QColor before = background(option);
    look::SkinFramework skin;
    EXPECT_NO_THROW(look::ApplySkin(window, skin));
    EXPECT_TRUE(window.styleSheet().isEmpty());
    EXPECT_EQ(background(option), before);
}

TEST_F(AppearanceTest, SkinFileRestylesTheWindowAndLaterWindows)
{
    const std::string sheet = "QPushButton { color: #a01010; }";
    writeSkin(sheet);
    look::SkinFramework skin;
    look::ApplySkin(window, skin);
    EXPECT_EQ(window.styleSheet().toStdString(), sheet);
    EXPECT_EQ(background(option), kFace);
    EXPECT_TRUE(window.testAttribute(Qt::WA_StyledBackground));

    QWidget later;  // a window first shown after the skin (the table selection window)
    later.show();
    EXPECT_EQ(later.styleSheet().toStdString(), sheet);
    QDialog dialog;
    dialog.show();
    EXPECT_EQ(dialog.styleSheet().toStdString(), sheet);
}

TEST_F(AppearanceTest, RejectedSkinThrowsAfterPaintingAndStylesNothing)
{
    writeSkin("QPushButton { color: red; ");  // unbalanced brace
    look::SkinFramework skin;
    EXPECT_THROW(look::ApplySkin(window, skin), std::runtime_error);
    EXPECT_EQ(background(option), kFace);
    EXPECT_TRUE(window.styleSheet().isEmpty());
}

TEST(SkinFramework, LoadRejectsWhatIsNoSkin)
{
    testsupport::ensureGuiApp();
    testsupport::TempDir dir;
    struct Case
    {
        const char* name;
        std::string bytes;
        bool loads;
    };
    const Case cases[] = {
        {"empty_sheet_is_a_valid_skin", "", true},
        {"plain_rules", "QLineEdit { border: 1px solid #9fb3bb; }", true},
        {"unbalanced_brace", "QLineEdit { border: 1px", false},
        {"garbage_text", "}}}{{{ not css", false},
        {"latin1_bytes_not_utf8", "/* caf\xe9 */ QWidget { color: red; }", false},
        {"oversized", std::string(600 * 1024, ' '), false},
    };
    for (const Case& c : cases) {
        const auto path = dir.write(std::string(c.name) + ".cjs", c.bytes);
        look::SkinFramework skin;
        bool loaded = true;
        try {
            skin.loadSkin(QString::fromStdString(path.string()), QString());
        } catch (const std::runtime_error&) {
            loaded = false;
        }
        EXPECT_EQ(loaded, c.loads) << c.name;
    }
    look::SkinFramework skin;
    QWidget window;
    EXPECT_THROW(skin.applyWindow(window), std::runtime_error) << "nothing loaded yet";
}

}  // namespace
