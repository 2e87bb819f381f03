// The folder picker: the dialog it opens, the path it returns, and "" on cancel.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <QFileDialog>

#include "tests/support/GuiApp.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/TempDir.h"
#include "windows/BrowseForFolder.h"

namespace {

TEST(BrowseForFolder, TrailingSeparatorsGoExceptTheRoots)
{
    struct Case
    {
        const char* name;
        QString path;
        QString expected;
    };
    const Case cases[] = {
        {"root_stays", QStringLiteral("/"), QStringLiteral("/")},
        {"one_trailing", QStringLiteral("/data/free/"), QStringLiteral("/data/free")},
        {"several_trailing", QStringLiteral("/data//"), QStringLiteral("/data")},
        {"none", QStringLiteral("/data"), QStringLiteral("/data")},
        {"empty", QString(), QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(windows::withoutTrailingSeparator(c.path), c.expected) << c.name;
}

using testsupport::answerModal;

TEST(BrowseForFolder, OpensOwnedDirectoryDialogAndReturnsTheChoice)
{
    testsupport::ensureGuiApp();
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir.path() / "Free Tables" / "2021");
    const QString start = QString::fromStdString(dir.path().string());
    const QString chosen = QString::fromStdString((dir.path() / "Free Tables" / "2021").string());
    QWidget owner;

    QString title;
    QWidget* parent = nullptr;
    bool directoriesOnly = false;
    QString openedAt;
    answerModal<QFileDialog>([&](QFileDialog& dialog) {
        title = dialog.windowTitle();
        parent = dialog.parentWidget();
        directoriesOnly = dialog.fileMode() == QFileDialog::Directory &&
                          dialog.testOption(QFileDialog::ShowDirsOnly);
        openedAt = dialog.directory().absolutePath();
        dialog.setDirectory(chosen);
        static_cast<QDialog&>(dialog).accept();  // public in QDialog, runs QFileDialog::accept
    });
    const QString result =
        windows::BrowseForFolder(&owner, QStringLiteral("Please select folder:"), start);

    EXPECT_EQ(title, QStringLiteral("Please select folder:"));
    EXPECT_EQ(parent, &owner);
    EXPECT_TRUE(directoriesOnly);
    EXPECT_EQ(openedAt, start);
    EXPECT_EQ(result, chosen);
}

TEST(BrowseForFolder, CancelGivesEmptyText)
{
    testsupport::ensureGuiApp();
    answerModal<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(windows::BrowseForFolder(nullptr, QStringLiteral("Please select folder:"), QString()),
              QString());
}

}  // namespace
