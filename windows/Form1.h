// Form1, the connection setup window: the source kind, the two paths, "Test Connection",
// "Load Sample/Example Database", "Help", and "Next >" to the table selection window.
#pragma once

#include <functional>
#include <memory>

#include <QWidget>

#include "components/spreadsheet/Application.h"
#include "modules/app/UnguardedEvents.h"
#include "modules/foxpro/ConnectionSettings.h"
#include "modules/foxpro/GivenSource.h"
#include "modules/foxpro/TableList.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace app {
class MessageBox;
}

namespace look {
class SkinFramework;
class WindowPointer;
}  // namespace look

namespace windows {

class Form2;

// What the window needs from outside; tests answer the dialogs and record the end.
struct Form1Services
{
    // The "Select Foxpro Database" dialog: the chosen file's full path, "" when cancelled.
    std::function<QString(QWidget& owner)> chooseDatabaseFile;
    // The folder picker (owner, title, start folder): the chosen folder, "" when cancelled.
    std::function<QString(QWidget& owner, const QString& title, const QString& startFolder)>
        browseForFolder;
    // Creates the spreadsheet application (the start-up check and the export).
    spreadsheet::ApplicationFactory spreadsheetFactory;
    // Ends the program at once (closing the window, no spreadsheet program).
    std::function<void()> endProgram;
    // Where both windows show their messages and error reports; kept alive by the caller.
    app::MessageBox* messageBox = nullptr;

    // The real dialogs, the real spreadsheet application and app::EndProgram, with box.
    static Form1Services standard(app::MessageBox& box);
};

class Form1 : public QWidget
{
public:
    explicit Form1(Form1Services services);
    ~Form1() override;

    // The start-up: skin, hand pointer, restored settings, the automatic "Next >", caption and
    // title, and the spreadsheet check. Runs before the window is first shown. givenPath: a
    // source handed to the program on its command line (empty: none), taken after the restored
    // settings as if chosen with its "..." button and option; "Next >" then follows whether or
    // not it exists, and a given .dbf is ticked in the table list.
    void Form_Load(const QString& givenPath = QString());
    // A folder, .dbc or .dbf dropped onto the window: taken as if chosen with its "..." button
    // and option, then "Next >", and a dropped .dbf ticked in the table list.
    void Form_OLEDragDrop(const QString& path);
    // Shows the window unless the start-up already went on to the table selection window.
    void showAfterLoad();

    // The connection settings as the controls hold them now, with the code page the start-up
    // read from the settings.
    foxpro::ConnectionSettings currentSettings() const;

    void PushButton1_Click();  // "Load Sample/Example Database"
    void PushButton2_Click();  // "Next >"
    void PushButton3_Click();  // "Test Connection"
    void PushButton4_Click();  // "..." of the folder row
    void PushButton5_Click();  // "..." of the database row
    void PushButton6_Click();  // "Help"
    void Option1_Click();
    void Option2_Click();
    void Text1_Change();
    void Text2_Change();
    void Text1_GotFocus();
    void Text2_GotFocus();

    // The table selection window once "Next >" has loaded it, else null.
    Form2* loadedForm2() const { return mForm2.get(); }
    look::WindowPointer& pointer() const { return *mPointer; }

    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton2 = nullptr;
    QPushButton* PushButton3 = nullptr;
    QPushButton* PushButton4 = nullptr;
    QPushButton* PushButton5 = nullptr;
    QPushButton* PushButton6 = nullptr;
    look::SkinFramework* SkinFramework1 = nullptr;

protected:
    // Closing the window ends the program at once.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A drag of one folder, .dbc or .dbf is taken anywhere on the window, path boxes included.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    // Loads the table selection window with tables on first use; afterwards shows them in it.
    void showTables(foxpro::TableList tables);
    app::MessageBox& box() const { return *mServices.messageBox; }
    // Selecting an option from the program runs its click handler, as a click would.
    void selectOption(QRadioButton& option);
    // Text set by the program; the change handler's failure becomes the caller's.
    void setPathText(QLineEdit& box, const QString& text);
    // Puts a given source into the controls as its "..." button and option would.
    void takeSource(const foxpro::GivenSource& source);
    // Ticks the given table in the table list, when "Next >" has just shown the list.
    void tickGivenTable(const foxpro::GivenSource& source);
    // Path boxes pass drags of files on to the window, so a file dropped on one is taken as
    // a source instead of becoming its text. True when the event was such a drag.
    bool passFileDrag(QEvent* event);

    Form1Services mServices;
    int mCodePage = vfp::kDefaultCodePage;  // tables without a code-page mark, from the settings
    look::WindowPointer* mPointer = nullptr;
    app::UnguardedEvents mEvents;
    std::unique_ptr<Form2> mForm2;
};

}  // namespace windows
