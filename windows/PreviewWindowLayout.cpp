// The preview window's controls in tab order, their names for screen readers, how a cell shows
// Null, a value that cannot be read and a deleted record, and the field list's width.
#include <algorithm>

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include "modules/foxpro/CodePageSetting.h"
#include "modules/preview/PreviewTexts.h"
#include "modules/preview/RecordModel.h"
#include "windows/PreviewWindow.h"

namespace windows {
namespace {

// Null in grey italics (".NULL.", as FoxPro shows it), unlike empty text; a value that cannot
// be read in red italics; the values of a deleted record struck through.
class CellLook final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto state =
            static_cast<preview::CellState>(index.data(preview::CellStateRole).toInt());
        if (state != preview::CellState::Value) {
            option->font.setItalic(true);
            const QColor colour =
                state == preview::CellState::Null ? QColor(Qt::darkGray) : QColor(Qt::darkRed);
            option->palette.setColor(QPalette::Text, colour);
            option->palette.setColor(QPalette::HighlightedText, colour.lighter(250));
        }
        if (index.data(preview::DeletedRole).toBool())
            option->font.setStrikeOut(true);
    }
};

QLabel* plainLabel(QWidget* parent, const char* accessibleName)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);  // names and SQL are shown as the text they are
    label->setAccessibleName(QString::fromLatin1(accessibleName));
    return label;
}

QTableView* grid(QWidget* parent, const char* accessibleName)
{
    auto* view = new QTableView(parent);
    view->setAccessibleName(QString::fromLatin1(accessibleName));
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectItems);
    view->setTabKeyNavigation(false);  // Tab goes on to the next control, arrows move in the grid
    view->setWordWrap(false);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setResizeContentsPrecision(64);  // a screenful of rows is read
    return view;
}

}  // namespace

void PreviewWindow::createControls()
{
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowFlag(Qt::Window);
    setModal(false);
    resize(960, 600);

    DetailsLabel = plainLabel(this, preview::kDetailsName);
    DetailsLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    CodePageLabel = plainLabel(this, preview::kCodePageChoiceLabel);
    CodePageBox = new QComboBox(this);
    CodePageBox->setAccessibleName(QString::fromLatin1(preview::kCodePageChoiceLabel));
    for (const int codePage : foxpro::offeredCodePages())
        CodePageBox->addItem(preview::codePageLabel(codePage), codePage);
    CodePageLabel->setBuddy(CodePageBox);

    mGrids = new QSplitter(Qt::Horizontal, this);
    FieldsView = grid(mGrids, preview::kFieldsName);
    FieldsView->verticalHeader()->hide();
    RecordsView = grid(mGrids, preview::kRecordsName);
    RecordsView->setItemDelegate(new CellLook(RecordsView));
    mGrids->setStretchFactor(1, 1);

    ValueBox = new QPlainTextEdit(this);
    ValueBox->setAccessibleName(QString::fromLatin1(preview::kWholeValueName));
    ValueBox->setReadOnly(true);
    ValueBox->setTabChangesFocus(true);
    ValueBox->setMaximumHeight(fontMetrics().lineSpacing() * 6);

    StatusLabel = plainLabel(this, preview::kStatusName);
    StatusLabel->setWordWrap(true);
    CloseButton = new QPushButton(QString::fromLatin1(preview::kCloseText), this);
    CloseButton->setAutoDefault(false);

    auto* codePageRow = new QHBoxLayout;
    codePageRow->addWidget(CodePageLabel);
    codePageRow->addWidget(CodePageBox);
    codePageRow->addStretch();
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(StatusLabel, 1);
    bottomRow->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DetailsLabel);
    layout->addLayout(codePageRow);
    layout->addWidget(mGrids, 1);
    layout->addWidget(ValueBox);
    layout->addLayout(bottomRow);

    QWidget::setTabOrder(CodePageBox, RecordsView);
    QWidget::setTabOrder(RecordsView, ValueBox);
    QWidget::setTabOrder(ValueBox, FieldsView);
    QWidget::setTabOrder(FieldsView, CloseButton);

    connect(CloseButton, &QPushButton::clicked, this, &PreviewWindow::reject);
    connect(CodePageBox, &QComboBox::activated, this, &PreviewWindow::CodePageBox_Click);
}

void PreviewWindow::fitFieldList()
{
    FieldsView->resizeColumnsToContents();
    const int wanted = FieldsView->horizontalHeader()->length() + 2 * FieldsView->frameWidth() +
                       FieldsView->verticalScrollBar()->sizeHint().width();
    const int total = mGrids->width();
    mGrids->setSizes({std::min(wanted, total / 2), std::max(total - wanted, total / 2)});
}

}  // namespace windows
