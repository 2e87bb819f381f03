// The preview window: what a table or view of the list holds, read-only: its details, its
// fields (name, type, width, decimals, Null), its records read as the user scrolls and the
// whole value of the selected cell; for a table without a code-page mark, the code page its
// text is read in, chosen by seeing the text. A window of its own; Escape closes it.
#pragma once

#include <functional>
#include <memory>

#include <QDialog>

#include "modules/foxpro/ConnectionSettings.h"
#include "modules/foxpro/TableList.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTableView;

namespace app {
class MessageBox;
}
namespace preview {
class Preview;
}

namespace windows {

class PreviewWindow : public QDialog
{
public:
    // box: where the question before a remote view reaches its server is asked, and failures
    // shown. codePageChosen: told each code page the user chooses, once it is the CodePage
    // setting.
    PreviewWindow(QWidget* owner, app::MessageBox& box, std::function<void(int)> codePageChosen);
    ~PreviewWindow() override;

    // Shows item of the source settings names, its unmarked text read in
    // settings.unmarkedCodePage, and brings the window to the front. A view's SQL runs now,
    // letting window events in; Escape stops it. Nothing happens while one runs.
    void showItem(const foxpro::ConnectionSettings& settings, const foxpro::TableItem& item);

    // Reads the shown table's text in the code page chosen in CodePageBox, makes it the
    // CodePage setting and tells the window's owner.
    void CodePageBox_Click();
    // Escape, "Close" and closing the window: stops a view's SQL that runs, and hides.
    void reject() override;

    // The controls, for the handlers and for tests.
    QLabel* DetailsLabel = nullptr;
    QLabel* CodePageLabel = nullptr;  // the choice's label, or a marked table's code page
    QComboBox* CodePageBox = nullptr;
    QTableView* FieldsView = nullptr;
    QTableView* RecordsView = nullptr;
    QPlainTextEdit* ValueBox = nullptr;
    QLabel* StatusLabel = nullptr;
    QPushButton* CloseButton = nullptr;

private:
    void createControls();
    void showPreview();
    void showSelectedValue();
    // Widens the field list to show its every column.
    void fitFieldList();

    app::MessageBox& mBox;
    QSplitter* mGrids = nullptr;
    std::function<void(int)> mCodePageChosen;
    foxpro::ConnectionSettings mSettings;
    foxpro::TableItem mItem;
    std::unique_ptr<preview::Preview> mPreview;
    bool mOpening = false;
    bool mStopAsked = false;
};

}  // namespace windows
