// Form1's handlers: each gathers the controls, calls a module and shows the result.
#include "windows/Form1.h"

#include <stdexcept>

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "modules/app/Main.h"
#include "modules/app/MessageBox.h"
#include "modules/app/ReportingProcedure.h"
#include "modules/app/Settings.h"
#include "windows/look/WindowPointer.h"
#include "components/database/Connection.h"
#include "windows/Form2.h"
#include "modules/foxpro/Foxpro.h"
#include "windows/Form1Texts.h"

namespace foxpro {
namespace {

QString text(const char* latin1)
{
    return QString::fromLatin1(latin1);
}

}  // namespace

Form1::Form1(Form1Services services)
    : mServices(std::move(services))
{
    createControls();
    connectHandlers();
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
    connect(Option1, &QRadioButton::clicked, this, [this] { mEvents.run([this] { Option1_Click(); }); });
    connect(Option2, &QRadioButton::clicked, this, [this] { mEvents.run([this] { Option2_Click(); }); });
    connect(Text1, &QLineEdit::textChanged, this, [this] { mEvents.run([this] { Text1_Change(); }); });
    connect(Text2, &QLineEdit::textChanged, this, [this] { mEvents.run([this] { Text2_Change(); }); });
    Text1->installEventFilter(this);
    Text2->installEventFilter(this);
}

ConnectionSettings Form1::currentSettings() const
{
    return {Option1->isChecked(), Text1->text(), Text2->text()};
}

void Form1::showAfterLoad()
{
    if (!mForm2 || !mForm2->isVisible())
        show();
}

exporting::Form2& Form1::form2()
{
    if (!mForm2) {
        mForm2 = std::make_unique<exporting::Form2>([this] { return currentSettings(); }, this,
                                                    mServices.spreadsheetFactory);
        mForm2->endProgram = mServices.endProgram;
    }
    return *mForm2;
}

void Form1::PushButton1_Click()
{
    app::ReportingProcedure p{text(form1::kPushButton1)};
    p.step(100, [&] { selectOption(*Option2); });
    p.step(102, [&] { setPathText(*Text2, app::ProgramFolder() + text(form1::kSamplesFolder)); });
}

void Form1::PushButton2_Click()
{
    app::ReportingProcedure p{text(form1::kPushButton2)};
    bool connected = true;  // a test that fails with an error goes on as if it had passed
    p.step(100, [&] { connected = TestFoxproConnection(currentSettings()); });
    if (!connected) {
        p.step(114, [] { app::showMessage(text(form1::kCouldNotConnect)); });
        return;
    }
    const ConnectionSettings settings = currentSettings();
    QString connectionString;
    p.step(settings.option1 ? 104 : 106, [&] { connectionString = BuildFoxproConnectionString(settings); });
    p.step(108, [&] {
        TableList& list = form2().ListView1();  // the first use loads the window, which fills it too
        AddTablesToFoxproListbox(list, connectionString, currentSettings());
    });
    p.step(110, [&] { form2().show(); });
    p.step(112, [&] { hide(); });
}

void Form1::PushButton3_Click()
{
    app::ReportingProcedure p{text(form1::kPushButton3)};
    std::unique_ptr<database::Connection> connection;
    p.step(100, [&] { connection = std::make_unique<database::Connection>(); });
    // From here every failure ends in "Could not connect."; the hourglass stays while either
    // box is open and is the default pointer again whatever happens.
    app::BusyPointer busy{*mPointer};
    try {
        if (!connection)
            throw std::runtime_error("no connection object");
        connection->CursorLocation = 2;
        connection->Open(BuildFoxproConnectionString(currentSettings()));
        app::showMessage(text(form1::kConnectionSuccessful));
    } catch (...) {
        app::showMessage(text(form1::kCouldNotConnect));
    }
}

void Form1::PushButton4_Click()
{
    app::ReportingProcedure p{text(form1::kPushButton4)};
    QString folder;
    p.step(100, [&] { folder = mServices.browseForFolder(*this, text(form1::kFolderPickerTitle), QString()); });
    if (p.test(102, [&] { return folder.isEmpty(); }))
        return;
    p.step(104, [&] { setPathText(*Text2, folder); });
}

void Form1::PushButton5_Click()
{
    app::ReportingProcedure p{text(form1::kPushButton5)};
    QString fileName;
    p.step(108, [&] { fileName = mServices.chooseDatabaseFile(*this); });
    if (p.test(110, [&] { return !fileName.isEmpty(); }))
        p.step(112, [&] { setPathText(*Text1, fileName); });
}

void Form1::PushButton6_Click()
{
    app::ReportingProcedure p{text(form1::kPushButton6)};
    p.step(100, [] { app::showMessage(text(form1::kHelp)); });
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
    // Selected after the event that gave the focus, so a click's cursor placement does not
    // undo the selection.
    if (event->type() == QEvent::FocusIn && (watched == Text1 || watched == Text2)) {
        QTimer::singleShot(0, this, watched == Text1 ? &Form1::Text1_GotFocus : &Form1::Text2_GotFocus);
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event)
{
    event->accept();
    mServices.endProgram();
}

}  // namespace foxpro
