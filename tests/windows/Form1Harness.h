// A Form1 whose dialogs answer from the test, with a fake spreadsheet program, recorded
// message boxes and a recorded end, in empty settings and a private program folder. The
// export writes into `exportTo` when a test gives one.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include <QLineEdit>
#include <QRadioButton>

#include "components/spreadsheet/SpreadsheetError.h"
#include "modules/app/Main.h"
#include "modules/app/Settings.h"
#include "tests/support/FakeSpreadsheet.h"
#include "tests/support/GuiApp.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/TempDir.h"
#include "tests/support/TempSettings.h"
#include "windows/Form1.h"

namespace testsupport {

// Stands in for the spreadsheet program; the setup window only ever creates and drops it.
class IdleSpreadsheet : public spreadsheet::Application
{
public:
    spreadsheet::Workbook& WorkbooksAdd() override
    {
        throw spreadsheet::SpreadsheetError("the stand-in spreadsheet program writes no workbooks");
    }
    bool Visible() const override { return false; }
    void setVisible(bool) override {}
};

class Form1Harness
{
public:
    Form1Harness()
    {
        ensureGuiApp();
        app::setProgramFolderForTesting(path(mProgramFolder.path()));
    }
    ~Form1Harness()
    {
        mForm.reset();
        app::setProgramFolderForTesting(QString());
    }
    Form1Harness(const Form1Harness&) = delete;
    Form1Harness& operator=(const Form1Harness&) = delete;

    // The window, made on first use (its load is left to the test).
    windows::Form1& form()
    {
        if (!mForm) {
            windows::Form1Services services;
            services.chooseDatabaseFile = [this](QWidget&) {
                ++fileDialogs;
                return fileDialogAnswer;
            };
            services.browseForFolder = [this](QWidget& owner, const QString& title,
                                              const QString& start) {
                ++folderDialogs;
                folderOwner = &owner;
                folderTitle = title;
                folderStart = start;
                return folderDialogAnswer;
            };
            services.spreadsheetFactory = [this]() -> std::unique_ptr<spreadsheet::Application> {
                ++spreadsheetsCreated;
                if (!spreadsheetInstalled)
                    throw spreadsheet::SpreadsheetError("no spreadsheet program is installed");
                if (exportTo)
                    return exportTo->factory()();
                return std::make_unique<IdleSpreadsheet>();
            };
            services.endProgram = [this] { ++ended; };
            services.messageBox = &boxes;
            mForm = std::make_unique<windows::Form1>(std::move(services));
        }
        return *mForm;
    }

    static QString path(const std::filesystem::path& p)
    {
        return QString::fromStdString(p.string());
    }

    // A folder below the private data folder, created; returns its path.
    QString folder(const std::string& relative) const
    {
        std::filesystem::create_directories(mData.path() / relative);
        return path(mData.path() / relative);
    }
    // A file below the private data folder; returns its path.
    QString file(const std::string& relative, const std::string& bytes = "x") const
    {
        return path(mData.write(relative, bytes));
    }
    QString missing(const std::string& relative) const { return path(mData.path() / relative); }
    const std::filesystem::path& programFolder() const { return mProgramFolder.path(); }

    static QString setting(app::Setting key)
    {
        return app::readSetting(key, QStringLiteral("<absent>"));
    }

    TempSettings settings;
    RecordingMessageBox boxes;

    QString fileDialogAnswer;
    QString folderDialogAnswer;
    int fileDialogs = 0;
    int folderDialogs = 0;
    QWidget* folderOwner = nullptr;
    QString folderTitle;
    QString folderStart;
    bool spreadsheetInstalled = true;
    fakes::FakeSpreadsheet* exportTo = nullptr;
    int spreadsheetsCreated = 0;
    int ended = 0;

private:
    TempDir mProgramFolder;
    TempDir mData;
    std::unique_ptr<windows::Form1> mForm;
};

}  // namespace testsupport
