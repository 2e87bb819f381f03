// Form2, the table selection window: the tables of the source with a check box each,
// "Select All", "Deselect All", "< Back" to the connection setup window, and "Finish", which
// exports the ticked tables into a new workbook. While the export runs, "Finish" reads "Stop"
// and stops it, as Escape does; closing the window asks first. Hovering over a table shows
// what it holds; double-click, Enter or its context menu opens its preview.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QWidget>

#include "components/spreadsheet/Application.h"
#include "modules/foxpro/ConnectionSettings.h"
#include "modules/foxpro/TableList.h"

class QMenu;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace app {
class MessageBox;
}

namespace look {
class WindowPointer;
}

namespace preview {
class ItemDetails;
}

namespace windows {

class Form2TableList;
class PreviewWindow;

class Form2 : public QWidget
{
public:
    // settings: reads the connection setup window's controls at the moment it is called.
    // setupWindow: the connection setup window, shown again by "< Back" (may be null in tests).
    // factory: starts the spreadsheet application of each export.
    // box: where the window's messages and error reports are shown; the caller keeps it alive.
    // tables: the source's tables, as the catalogue listed them.
    // Construction runs Form_Load, which fills the list with tables.
    Form2(std::function<foxpro::ConnectionSettings()> settings, QWidget* setupWindow,
          spreadsheet::ApplicationFactory factory, app::MessageBox& box, foxpro::TableList tables);
    ~Form2() override;

    // Fills the list again, every item unticked (a later "Next >").
    void showTables(const foxpro::TableList& tables);
    // Ticks the table whose query is query (a table handed to the program) and shows it as
    // the current item; false when the list has no such table.
    bool tickTable(const QString& query);

    // True while an export runs; "Finish" (then "Stop") then stops it instead of starting one.
    bool ExportBusy = false;

    // Ends the program at once when the window is closed (app::EndProgram; tests replace it).
    std::function<void()> endProgram;

    void Form_Load();
    void PushButton2_Click();  // "< Back"
    void PushButton5_Click();  // "Finish", or "Stop" while the export runs
    void PushButton8_Click();  // "Select All"
    void PushButton9_Click();  // "Deselect All"
    // Asks the running export to stop (nothing while none runs): it ends at its next record or
    // inside the view it runs, and hands over the workbook with what was copied.
    void stopExport();

    // Opens the preview of table in the preview window (nothing while an export runs). A code
    // page chosen there is the one this window's export and previews read unmarked tables in.
    void previewTable(const foxpro::TableItem& table);
    // The connection settings as the setup window holds them, with the code page chosen in the
    // preview, if one was.
    foxpro::ConnectionSettings settings() const;
    // The preview window once a preview was opened, else null.
    PreviewWindow* previewWindow() const { return mPreview; }
    // The list's context menu ("Preview"), for the item it was asked for.
    QMenu& itemMenu() const { return *mItemMenu; }

    // The window's pointer shape (0 arrow, 11 hourglass, 99 hand) and its hover rule.
    look::WindowPointer& pointer() const { return *mPointer; }

    // The controls, for the handlers and for tests.
    QTreeWidget& listWidget() const { return *mListView; }
    QPushButton* PushButton2 = nullptr;
    QPushButton* PushButton5 = nullptr;
    QPushButton* PushButton8 = nullptr;
    QPushButton* PushButton9 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;

protected:
    // While an export runs, closing asks first; "No" keeps the window and the export.
    void closeEvent(QCloseEvent* event) override;
    // Escape stops a running export.
    void keyPressEvent(QKeyEvent* event) override;
    // Hovering over a table of the list shows what it holds.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    void showItemMenu(const QPoint& where);

    std::function<foxpro::ConnectionSettings()> mSettings;
    QWidget* mSetupWindow;
    spreadsheet::ApplicationFactory mFactory;
    app::MessageBox& mBox;
    foxpro::TableList mLoadTables;  // what the load fills the list with
    QTreeWidget* mListView = nullptr;
    look::WindowPointer* mPointer = nullptr;
    std::unique_ptr<Form2TableList> mList;
    std::unique_ptr<preview::ItemDetails> mDetails;
    PreviewWindow* mPreview = nullptr;
    QMenu* mItemMenu = nullptr;
    foxpro::TableItem mMenuTable;  // the item the context menu was asked for
    std::optional<int> mCodePage;  // chosen in the preview for tables without a mark
    bool mStopAsked = false;       // by "Stop" or Escape during the export running now
};

}  // namespace windows
