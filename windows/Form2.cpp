// Form2's handlers: the load, "< Back", "Select All", "Deselect All", "Finish" and closing.
// Each gathers what it needs from the controls, calls a module and shows the result.
#include "windows/Form2.h"

#include <utility>

#include <QCloseEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

#include "modules/app/ErrorReport.h"
#include "modules/app/Main.h"
#include "modules/app/MessageBox.h"
#include "modules/app/ReportingProcedure.h"
#include "modules/export/ExportRun.h"
#include "modules/export/ExportTexts.h"
#include "modules/preview/ItemDetails.h"
#include "windows/Form2Progress.h"
#include "windows/Form2RemoteConsent.h"
#include "windows/Form2TableList.h"
#include "windows/PreviewWindow.h"
#include "windows/look/AppIcon.h"
#include "windows/look/Appearance.h"
#include "windows/look/CursorFile.h"
#include "windows/look/DesignUnits.h"
#include "windows/look/WindowPointer.h"

namespace windows {
namespace {

// ExportBusy, and "Stop" in place of "Finish", for the length of a click on "Finish".
class BusyGuard
{
public:
    explicit BusyGuard(Form2& window) : mWindow(window)
    {
        mWindow.ExportBusy = true;
        mWindow.PushButton5->setText(QString::fromLatin1(exporting::kStopButtonText));
    }
    ~BusyGuard()
    {
        mWindow.ExportBusy = false;
        mWindow.PushButton5->setText(QString::fromLatin1(exporting::kFinishButtonText));
    }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    Form2& mWindow;
};

}  // namespace

Form2::Form2(std::function<foxpro::ConnectionSettings()> settings, QWidget* setupWindow,
             spreadsheet::ApplicationFactory factory, app::MessageBox& box,
             foxpro::TableList tables)
    : mSettings(std::move(settings)),
      mSetupWindow(setupWindow),
      mFactory(std::move(factory)),
      mBox(box),
      mLoadTables(std::move(tables))
{
    endProgram = [] { app::EndProgram(); };
    createControls();
    mList = std::make_unique<Form2TableList>(*mListView);
    mDetails = std::make_unique<preview::ItemDetails>([this] { return this->settings(); });
    connectHandlers();
    Form_Load();
}

Form2::~Form2() = default;

void Form2::showTables(const foxpro::TableList& tables)
{
    mDetails->forget();
    mList->show(tables);
}

foxpro::ConnectionSettings Form2::settings() const
{
    foxpro::ConnectionSettings current = mSettings();
    if (mCodePage)
        current.unmarkedCodePage = *mCodePage;
    return current;
}

bool Form2::tickTable(const QString& query)
{
    return mList->tick(query);
}

// The list is filled with what the catalogue listed for "Next >", so the source is opened and
// listed once per "Next >"; the load builds no connection string of its own.
void Form2::Form_Load()
{
    enum Line : int {
        PaintBackground = 100,
        SetIcon = 102,
        HandFileExists = 104,
        LoadHand = 106,
        SetCaption = 108,
        AddColumn = 116,
        SetColumnWidth = 118,
        FillList = 120,
        Enable = 122,
        DefaultPointer = 124,
    };
    app::ErrorReportBox report{mBox};
    app::ReportingProcedure p{app::reportLocation("Form2", "Form_Load"), report};
    p.step(PaintBackground, [&] { look::PaintFormBackground(*this); });
    p.step(SetIcon, [&] { setWindowIcon(look::applicationIcon()); });
    const QString handPointer = app::programFolder() + QStringLiteral("/HAND-M.CUR");
    if (p.test(HandFileExists, [&] { return app::FileExists(handPointer); }))
        p.step(LoadHand, [&] { mPointer->setCustomCursor(look::loadCursorFile(handPointer)); });
    p.step(SetCaption, [&] { setWindowTitle(QStringLiteral("Quorvane")); });
    p.step(AddColumn,
           [&] { mListView->setHeaderLabels({QStringLiteral("Select Tables To Import")}); });
    p.step(SetColumnWidth,
           [&] { mListView->setColumnWidth(0, look::twips(0, 0, 6500, 0).width()); });
    p.step(FillList, [&] { mList->show(std::exchange(mLoadTables, {})); });
    p.step(Enable, [&] { setEnabled(true); });
    p.step(DefaultPointer, [&] { mPointer->setShape(look::kPointerDefault); });
}

void Form2::PushButton2_Click()
{
    enum Line : int { ShowSetup = 100, Hide = 102 };
    app::ErrorReportBox report{mBox};
    app::ReportingProcedure p{app::reportLocation("Form2", "PushButton2_Click"), report};
    p.step(ShowSetup, [&] {
        if (mSetupWindow)
            mSetupWindow->show();
    });
    p.step(Hide, [&] { hide(); });
}

// The run is given the list as it stands now: what the window does while the run yields to
// it ("< Back", "Next >", ticks) cannot change which tables it copies. A click during the run
// comes through its yields, and stops it. The closing message comes once the window is idle
// again: "Finish" reads "Finish" behind it.
void Form2::PushButton5_Click()
{
    if (ExportBusy) {
        stopExport();
        return;
    }
    exporting::ExportOutcome outcome;
    {
        BusyGuard busy{*this};
        mStopAsked = false;
        Form2Progress progress{*this, *ProgressBar1, *mPointer, mStopAsked};
        Form2RemoteConsent consent{mBox};
        const exporting::ExportRequest request{settings(), mList->items(), mFactory,
                                               spreadsheet::kMaxRows, &consent};
        app::ErrorReportBox report{mBox};
        outcome = exporting::runExport(request, progress, report);
    }
    if (outcome.handedOver && outcome.stopped) {
        const exporting::StopPoint& at = *outcome.stopped;
        app::showMessage(mBox, exporting::stoppedText(at.table, at.copied, at.rows));
    } else if (outcome.handedOver) {
        app::showMessage(mBox, exporting::doneText(outcome.tablesIncomplete, outcome.tablesTicked));
    }
}

void Form2::stopExport()
{
    if (ExportBusy)
        mStopAsked = true;
}

void Form2::previewTable(const foxpro::TableItem& table)
{
    if (ExportBusy)
        return;
    if (!mPreview) {
        mPreview = new PreviewWindow(this, mBox, [this](int codePage) {
            mCodePage = codePage;
            mDetails->forget();
        });
    }
    mPreview->showItem(settings(), table);
}

void Form2::showItemMenu(const QPoint& where)
{
    const QTreeWidgetItem* item = mListView->itemAt(where);
    if (!item)
        return;
    mMenuTable = mList->itemOf(*item);
    mItemMenu->popup(mListView->viewport()->mapToGlobal(where));
}

// The item count is not held in 16 bits: lists of more than 32,767 tables are ticked and
// cleared whole.
void Form2::PushButton8_Click()
{
    enum Line : int { TickAll = 102 };
    app::ErrorReportBox report{mBox};
    app::ReportingProcedure p{app::reportLocation("Form2", "PushButton8_Click"), report};
    p.step(TickAll, [&] { mList->setAllChecked(true); });
}

void Form2::PushButton9_Click()
{
    enum Line : int { ClearAll = 102 };
    app::ErrorReportBox report{mBox};
    app::ReportingProcedure p{app::reportLocation("Form2", "PushButton9_Click"), report};
    p.step(ClearAll, [&] { mList->setAllChecked(false); });
}

void Form2::closeEvent(QCloseEvent* event)
{
    if (ExportBusy && !app::askQuestion(mBox, exporting::closeDuringExportText())) {
        event->ignore();
        return;
    }
    event->accept();
    endProgram();
}

bool Form2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == mListView->viewport() && event->type() == QEvent::ToolTip) {
        if (QTreeWidgetItem* item = mListView->itemAt(static_cast<QHelpEvent*>(event)->pos()))
            mList->setDetails(*item, mDetails->text(mList->itemOf(*item).query));
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && ExportBusy) {
        stopExport();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace windows
