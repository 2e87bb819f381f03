// Form1's handlers: each gathers the controls, calls a module and shows the result.
#include "windows/Form1.h"

#include <stdexcept>

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "components/database/Connection.h"
#include "modules/app/ErrorReport.h"
#include "modules/app/Main.h"
#include "modules/app/MessageBox.h"
#include "modules/app/ReportingProcedure.h"
#include "modules/app/Settings.h"
#include "modules/foxpro/Foxpro.h"
#include "windows/Form1Texts.h"
#include "windows/Form2.h"
#include "windows/look/WindowPointer.h"

namespace windows {
namespace {

QString text(const char* latin1)
{
    return QString::fromLatin1(latin1);
}

}  // namespace

Form1::Form1(Form1Services services)
    : mServices(std::move(services)), mEvents(*mServices.messageBox)
{
    createControls();
    connectHandlers();
    setAcceptDrops(true);  // a folder, .dbc or .dbf dropped is taken as the source
}

Form1::~Form1() = default;

void Form1::connectHandlers()
{
    connect(PushButton1, &QPushButton::clicked, this, &Form1::PushButton1_Click);
    connect(PushButton2, &QPushButton::clicked, this, &Form1::PushButton2_Click);
    connect(PushButton3, &QPushButton::clicked, this, &Form1::PushButton3_Click);
    connect(PushButton4, &QPushButton::clicked, this, &Form1::PushButton4_Click);
    connect(PushButton5, &QPushButton::clicked, this, &Form1::PushButton5_Click);
    connect(PushButton6, &QPushButton::clicked, this, &Form1::PushButton6_Click);
    connect(Option1, &QRadioButton::clicked, this,
            [this] { mEvents.run([this] { Option1_Click(); }); });
    connect(Option2, &QRadioButton::clicked, this,
            [this] { mEvents.run([this] { Option2_Click(); }); });
    connect(Text1, &QLineEdit::textChanged, this,
            [this] { mEvents.run([this] { Text1_Change(); }); });
    connect(Text2, &QLineEdit::textChanged, this,
            [this] { mEvents.run([this] { Text2_Change(); }); });
    Text1->installEventFilter(this);
    Text2->installEventFilter(this);
}

foxpro::ConnectionSettings Form1::currentSettings() const
{
    return {Option1->isChecked(), Text1->text(), Text2->text(), mCodePage};
}

void Form1::showAfterLoad()
{
    if (!mForm2 || !mForm2->isVisible())
        show();
}

void Form1::showTables(foxpro::TableList tables)
{
    if (mForm2) {
        mForm2->showTables(tables);
        return;
    }
    mForm2 = std::make_unique<Form2>([this] { return currentSettings(); }, this,
                                     mServices.spreadsheetFactory, box(), std::move(tables));
    mForm2->endProgram = mServices.endProgram;
}

void Form1::PushButton1_Click()
{
    enum Line : int { SelectFolderOption = 100, SetSamplesPath = 102 };
    app::ErrorReportBox report{box()};
    app::ReportingProcedure p{app::reportLocation("Form1", "PushButton1_Click"), report};
    p.step(SelectFolderOption, [&] { selectOption(*Option2); });
    p.step(SetSamplesPath,
           [&] { setPathText(*Text2, app::programFolder() + text(form1::kSamplesFolder)); });
}

// The connection the test opened is the one the catalogue lists: "Next >" opens the source
// once and lists its tables once, into the table selection window (loaded on first use).
void Form1::PushButton2_Click()
{
    enum Line : int {
        TestConnection = 100,
        BuildContainerString = 104,
        BuildFolderString = 106,
        FillList = 108,
        ShowTables = 110,
        HideSetup = 112,
        CouldNotConnect = 114,
    };
    app::ErrorReportBox report{box()};
    app::ReportingProcedure p{app::reportLocation("Form1", "PushButton2_Click"), report};
    const foxpro::ConnectionSettings settings = currentSettings();
    std::unique_ptr<database::Connection> connection;
    bool connected = true;  // a test that fails with an error goes on as if it had passed
    p.step(TestConnection, [&] {
        connection = foxpro::openFoxproConnection(settings);
        connected = connection != nullptr;
    });
    if (!connected) {
        p.step(CouldNotConnect, [&] { app::showMessage(box(), text(form1::kCouldNotConnect)); });
        return;
    }
    QString connectionString;
    p.step(settings.isContainer ? BuildContainerString : BuildFolderString,
           [&] { connectionString = foxpro::BuildFoxproConnectionString(settings); });
    p.step(FillList, [&] {
        foxpro::TableList tables;
        foxpro::AddTablesToFoxproListbox(tables, connectionString, settings, report,
                                         std::move(connection));
        showTables(std::move(tables));
    });
    p.step(ShowTables, [&] {
        if (!mForm2)
            throw std::runtime_error("the table selection window could not be loaded");
        mForm2->show();
    });
    p.step(HideSetup, [&] { hide(); });
}

void Form1::PushButton3_Click()
{
    enum Line : int { CreateConnection = 100 };
    app::ErrorReportBox report{box()};
    app::ReportingProcedure p{app::reportLocation("Form1", "PushButton3_Click"), report};
    std::unique_ptr<database::Connection> connection;
    p.step(CreateConnection, [&] { connection = std::make_unique<database::Connection>(); });
    // From here every failure ends in "Could not connect."; the hourglass stays while either
    // box is open and is the default pointer again whatever happens.
    look::BusyPointer busy{*mPointer};
    try {
        if (!connection)
            throw std::runtime_error("no connection object");
        connection->CursorLocation = 2;
        connection->Open(foxpro::BuildFoxproConnectionString(currentSettings()));
        app::showMessage(box(), text(form1::kConnectionSuccessful));
    } catch (...) {
        app::showMessage(box(), text(form1::kCouldNotConnect));
    }
}

void Form1::PushButton4_Click()
{
    enum Line : int { PickFolder = 100, Cancelled = 102, SetFolderPath = 104 };
    app::ErrorReportBox report{box()};
    app::ReportingProcedure p{app::reportLocation("Form1", "PushButton4_Click"), report};
    QString folder;
    p.step(PickFolder, [&] {
        folder = mServices.browseForFolder(*this, text(form1::kFolderPickerTitle), QString());
    });
    if (p.test(Cancelled, [&] { return folder.isEmpty(); }))
        return;
    p.step(SetFolderPath, [&] { setPathText(*Text2, folder); });
}

void Form1::PushButton5_Click()
{
    enum Line : int { PickFile = 108, Chosen = 110, SetFilePath = 112 };
    app::ErrorReportBox report{box()};
    app::ReportingProcedure p{app::reportLocation("Form1", "PushButton5_Click"), report};
    QString fileName;
    p.step(PickFile, [&] { fileName = mServices.chooseDatabaseFile(*this); });
    if (p.test(Chosen, [&] { return !fileName.isEmpty(); }))
        p.step(SetFilePath, [&] { setPathText(*Text1, fileName); });
}

void Form1::PushButton6_Click()
{
    enum Line : int { ShowHelp = 100 };
    app::ErrorReportBox report{box()};
    app::ReportingProcedure p{app::reportLocation("Form1", "PushButton6_Click"), report};
    p.step(ShowHelp, [&] { app::showMessage(box(), text(form1::kHelp)); });
}

void Form1::Option1_Click()
{
    app::writeSetting(app::Setting::FoxproOption, QStringLiteral("1"));
}

void Form1::Option2_Click()
{
    app::writeSetting(app::Setting::FoxproOption, QStringLiteral("2"));
}

void Form1::Text1_Change()
{
    app::writeSetting(app::Setting::Text1, Text1->text());
}

void Form1::Text2_Change()
{
    app::writeSetting(app::Setting::Text2, Text2->text());
}

void Form1::Text1_GotFocus()
{
    Text1->selectAll();
}

void Form1::Text2_GotFocus()
{
    Text2->selectAll();
}

void Form1::takeSource(const foxpro::GivenSource& source)
{
    selectOption(source.isContainer ? *Option1 : *Option2);
    setPathText(source.isContainer ? *Text1 : *Text2, source.path);
}

void Form1::tickGivenTable(const foxpro::GivenSource& source)
{
    if (!source.table.isEmpty() && mForm2 && mForm2->isVisible())
        mForm2->tickTable(source.table);
}

void Form1::selectOption(QRadioButton& option)
{
    mEvents.programChange([&] {
        option.setChecked(true);
        &option == Option1 ? Option1_Click() : Option2_Click();
    });
}

void Form1::setPathText(QLineEdit& box, const QString& newText)
{
    mEvents.programChange([&] { box.setText(newText); });
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == Text1 || watched == Text2) && passFileDrag(event))
        return true;
    // Selected after the event that gave the focus, so a click's cursor placement does not
    // undo the selection.
    if (event->type() == QEvent::FocusIn && (watched == Text1 || watched == Text2)) {
        QTimer::singleShot(0, this,
                           watched == Text1 ? &Form1::Text1_GotFocus : &Form1::Text2_GotFocus);
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event)
{
    event->accept();
    mServices.endProgram();
}

}  // namespace windows
