// The real dialogs and actions behind Form1: file dialog, folder picker, spreadsheet, end.
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>

#include "modules/app/Main.h"
#include "windows/BrowseForFolder.h"
#include "windows/Form1.h"
#include "windows/Form1Texts.h"

namespace windows {
namespace {

// "Select Foxpro Database": one existing .dbc file. The program only ever reads, so the
// dialog offers no file management and its "Open as read-only" box starts checked.
QString showDatabaseFileDialog(QWidget& owner)
{
    QFileDialog dialog(&owner, QString::fromLatin1(form1::kDatabaseDialogTitle));
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // so the read-only box can be added
    dialog.setOption(QFileDialog::ReadOnly);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QString::fromLatin1(form1::kDatabaseFilter));
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        auto* readOnly = new QCheckBox(QString::fromLatin1(form1::kOpenReadOnly), &dialog);
        readOnly->setChecked(true);
        grid->addWidget(readOnly, grid->rowCount(), 0, 1, grid->columnCount());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

}  // namespace

Form1Services Form1Services::standard(app::MessageBox& box)
{
    Form1Services services;
    services.messageBox = &box;
    services.chooseDatabaseFile = showDatabaseFileDialog;
    services.browseForFolder = [](QWidget& owner, const QString& title,
                                  const QString& startFolder) {
        return BrowseForFolder(&owner, title, startFolder);
    };
    services.spreadsheetFactory = spreadsheet::defaultApplicationFactory();
    services.endProgram = [] { app::EndProgram(); };
    return services;
}

}  // namespace windows
