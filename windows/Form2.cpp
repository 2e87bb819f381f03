// Form2's handlers: the load, "< Back", "Select All", "Deselect All", "Finish" and closing.
// Each gathers what it needs from the controls, calls a module and shows the result.
#include "windows/Form2.h"

#include <QCloseEvent>
#include <QTreeWidget>

#include "windows/look/AppIcon.h"
#include "windows/look/Appearance.h"
#include "windows/look/CursorFile.h"
#include "windows/look/DesignUnits.h"
#include "modules/app/Main.h"
#include "modules/app/MessageBox.h"
#include "modules/app/ReportingProcedure.h"
#include "windows/look/WindowPointer.h"
#include "modules/export/ExportRun.h"
#include "modules/export/ExportTexts.h"
#include "windows/Form2Progress.h"
#include "windows/Form2TableList.h"
#include "modules/foxpro/Foxpro.h"

namespace exporting {
namespace {

QString location(const char* procedure)
{
    return QStringLiteral("in Quorvane2021/08/31.Form2.") + QLatin1String(procedure)
        + QLatin1Char(' ');
}

// ExportBusy for the length of a click on "Finish".
class BusyGuard
{
public:
    explicit BusyGuard(Form2& window) : mWindow(window) { mWindow.ExportBusy = true; }
    ~BusyGuard() { mWindow.ExportBusy = false; }
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;

private:
    Form2& mWindow;
};

}  // namespace

Form2::Form2(std::function<foxpro::ConnectionSettings()> settings, QWidget* setupWindow,
             spreadsheet::ApplicationFactory factory)
    : mSettings(std::move(settings))
    , mSetupWindow(setupWindow)
    , mFactory(std::move(factory))
{
    endProgram = [] { app::EndProgram(); };
    createControls();
    mList = std::make_unique<Form2TableList>(*mListView);
    connectHandlers();
    Form_Load();
}

Form2::~Form2() = default;

foxpro::TableList& Form2::ListView1()
{
    return *mList;
}

void Form2::Form_Load()
{
    app::ReportingProcedure p{location("Form_Load")};
    p.step(100, [&] { app::PaintFormBackground(*this); });
    p.step(102, [&] { setWindowIcon(app::applicationIcon()); });
    const QString handPointer = app::ProgramFolder() + QStringLiteral("/HAND-M.CUR");
    if (p.test(104, [&] { return app::FileExists(handPointer); }))
        p.step(106, [&] { mPointer->setCustomCursor(app::loadCursorFile(handPointer)); });
    p.step(108, [&] { setWindowTitle(QStringLiteral("Quorvane")); });
    foxpro::ConnectionSettings settings;
    QString connectionString;
    if (p.test(110, [&] { settings = mSettings(); return settings.option1; }))
        p.step(112, [&] { connectionString = foxpro::BuildFoxproConnectionString(settings); });
    else
        p.step(114, [&] { connectionString = foxpro::BuildFoxproConnectionString(settings); });
    p.step(116, [&] { mListView->setHeaderLabels({QStringLiteral("Select Tables To Import")}); });
    p.step(118, [&] { mListView->setColumnWidth(0, app::twips(0, 0, 6500, 0).width()); });
    p.step(120, [&] { foxpro::AddTablesToFoxproListbox(*mList, connectionString, settings); });
    p.step(122, [&] { setEnabled(true); });
    p.step(124, [&] { mPointer->setShape(app::kPointerDefault); });
}

void Form2::PushButton2_Click()
{
    app::ReportingProcedure p{location("PushButton2_Click")};
    p.step(100, [&] {
        if (mSetupWindow)
            mSetupWindow->show();
    });
    p.step(102, [&] { hide(); });
}

void Form2::PushButton5_Click()
{
    if (ExportBusy)
        return;
    BusyGuard busy{*this};
    Form2Progress progress{*this, *ProgressBar1, *mPointer};
    const ExportRequest request{mSettings(), *mList, mFactory};
    const ExportOutcome outcome = RunExport(request, progress);
    if (outcome.handedOver)
        app::showMessage(doneText(outcome.tablesIncomplete, outcome.tablesTicked));
}

// The 16-bit item count of the original is not kept: lists of more than 32,767 tables are
// ticked and cleared whole.
void Form2::PushButton8_Click()
{
    app::ReportingProcedure p{location("PushButton8_Click")};
    p.step(102, [&] { mList->setAllChecked(true); });
}

void Form2::PushButton9_Click()
{
    app::ReportingProcedure p{location("PushButton9_Click")};
    p.step(102, [&] { mList->setAllChecked(false); });
}

void Form2::closeEvent(QCloseEvent* event)
{
    event->accept();
    endProgram();
}

}  // namespace exporting
