// The preview window's handlers: showing an item, choosing the code page of its text, the whole
// value of the selected cell, and closing.
#include "windows/PreviewWindow.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableView>

#include "modules/app/ErrorReport.h"
#include "modules/app/ReportingProcedure.h"
#include "modules/app/YieldToWindows.h"
#include "modules/foxpro/CodePageSetting.h"
#include "modules/preview/Preview.h"
#include "modules/preview/PreviewTexts.h"
#include "modules/preview/RecordModel.h"
#include "windows/Form2RemoteConsent.h"

namespace windows {

PreviewWindow::PreviewWindow(QWidget* owner, app::MessageBox& box,
                             std::function<void(int)> codePageChosen)
    : QDialog(owner), mBox(box), mCodePageChosen(std::move(codePageChosen))
{
    createControls();
}

PreviewWindow::~PreviewWindow()
{
    // The views let go of the models before the preview that owns them goes.
    RecordsView->setModel(nullptr);
    FieldsView->setModel(nullptr);
}

void PreviewWindow::showItem(const foxpro::ConnectionSettings& settings,
                             const foxpro::TableItem& item)
{
    if (mOpening)
        return;
    mSettings = settings;
    mItem = item;
    setWindowTitle(preview::windowTitle(item.text));
    show();
    raise();
    activateWindow();
    showPreview();
}

// A view's SQL runs inside the preview's construction, letting window events in: Escape or
// closing the window stops it, and a second showItem meanwhile does nothing.
void PreviewWindow::showPreview()
{
    const QModelIndex was = RecordsView->currentIndex();
    RecordsView->setModel(nullptr);
    FieldsView->setModel(nullptr);
    mPreview.reset();
    ValueBox->clear();
    DetailsLabel->clear();
    CodePageLabel->hide();
    CodePageBox->hide();
    StatusLabel->setText(QString::fromLatin1(preview::kReadingText));

    mOpening = true;
    mStopAsked = false;
    Form2RemoteConsent consent{mBox, preview::remoteServerQuestion};
    const preview::PreviewRequest request{mSettings, mItem, &consent, [this] {
                                              app::YieldToWindows();
                                              return !mStopAsked;
                                          }};
    auto shown = std::make_unique<preview::Preview>(request);
    mOpening = false;
    mPreview = std::move(shown);

    DetailsLabel->setText(mPreview->details());
    StatusLabel->setText(mPreview->status());
    if (const std::optional<preview::CodePageUse> use = mPreview->codePage()) {
        CodePageLabel->show();
        if (use->marked) {
            CodePageLabel->setText(preview::markedCodePageText(use->codePage));
        } else {
            CodePageLabel->setText(QString::fromLatin1(preview::kCodePageChoiceLabel));
            int at = CodePageBox->findData(use->codePage);
            if (at < 0) {  // a page the setting names that is not among those offered
                CodePageBox->insertItem(0, preview::codePageLabel(use->codePage), use->codePage);
                at = 0;
            }
            CodePageBox->setCurrentIndex(at);
            CodePageBox->show();
        }
    }
    FieldsView->setModel(&mPreview->fields());
    fitFieldList();
    QAbstractItemModel* records = mPreview->records();
    RecordsView->setModel(records);
    if (!records)
        return;
    connect(RecordsView->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &PreviewWindow::showSelectedValue);
    connect(records, &QAbstractItemModel::rowsInserted, this,
            [this] { StatusLabel->setText(mPreview->status()); });
    RecordsView->resizeColumnsToContents();
    const QModelIndex at =
        records->index(was.isValid() ? was.row() : 0, was.isValid() ? was.column() : 0);
    RecordsView->setCurrentIndex(at);
    RecordsView->scrollTo(at);
    showSelectedValue();
}

void PreviewWindow::showSelectedValue()
{
    const QModelIndex at = RecordsView->currentIndex();
    ValueBox->setPlainText(at.isValid() ? at.data(preview::WholeTextRole).toString() : QString());
}

void PreviewWindow::CodePageBox_Click()
{
    enum Line : int { SaveSetting = 100, TellOwner = 102, ShowText = 104 };
    const int codePage = CodePageBox->currentData().toInt();
    app::ErrorReportBox report{mBox};
    app::ReportingProcedure p{app::reportLocation("PreviewWindow", "CodePageBox_Click"), report};
    p.step(SaveSetting, [&] { foxpro::writeCodePageSetting(codePage); });
    mSettings.unmarkedCodePage = codePage;
    p.step(TellOwner, [&] {
        if (mCodePageChosen)
            mCodePageChosen(codePage);
    });
    p.step(ShowText, [&] { showPreview(); });
}

void PreviewWindow::reject()
{
    if (mOpening)
        mStopAsked = true;
    QDialog::reject();
}

}  // namespace windows
