// Form2's controls at their design places (twips / 15 = pixels at 96 dpi) in tab order, their
// names for screen readers, their handlers, and the hover pointer over them.
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

#include "modules/export/ExportTexts.h"
#include "modules/preview/PreviewTexts.h"
#include "windows/Form2.h"
#include "windows/Form2Progress.h"
#include "windows/Form2TableList.h"
#include "windows/look/DesignUnits.h"
#include "windows/look/WindowPointer.h"

namespace windows {
namespace {

using look::twips;

QPushButton* button(QWidget* window, const char* text, const QRect& where)
{
    auto* control = new QPushButton(QString::fromLatin1(text), window);
    control->setGeometry(where);
    control->setFont(look::arialFont(11.25, true));
    control->setAutoDefault(true);  // Enter presses the focused button, as on Windows
    return control;
}

}  // namespace

void Form2::createControls()
{
    setObjectName(QStringLiteral("Form2"));
    setFixedSize(twips(0, 0, 8040, 4710).size());

    mListView = new QTreeWidget(this);
    mListView->setGeometry(twips(120, 630, 7800, 2955));
    mListView->setFont(look::arialFont(9, true));
    mListView->setColumnCount(1);
    mListView->setRootIsDecorated(false);
    mListView->setUniformRowHeights(true);  // long lists lay out without measuring each row
    mListView->setSelectionMode(QAbstractItemView::SingleSelection);
    mListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mListView->setSortingEnabled(false);
    mListView->header()->setStretchLastSection(true);  // the header fills the list's width
    mListView->setAccessibleName(QStringLiteral("Tables"));
    mListView->setContextMenuPolicy(Qt::CustomContextMenu);
    mListView->viewport()->installEventFilter(this);
    mItemMenu = new QMenu(mListView);
    mItemMenu->addAction(QString::fromLatin1(preview::kPreviewActionText), this,
                         [this] { previewTable(mMenuTable); });

    PushButton2 = button(this, "< Back", twips(120, 3680, 3840, 405));
    PushButton5 = button(this, exporting::kFinishButtonText, twips(4080, 3680, 3840, 405));
    PushButton8 = button(this, "Select All", twips(120, 120, 3840, 405));
    PushButton9 = button(this, "Deselect All", twips(4080, 120, 3840, 405));

    ProgressBar1 = new TextProgressBar(this);
    ProgressBar1->setGeometry(twips(120, 4185, 7785, 405));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(true);
    ProgressBar1->setFormat(QString::fromLatin1(exporting::kProgressIdleText));
    ProgressBar1->setAccessibleName(QStringLiteral("Progress"));

    QWidget::setTabOrder(mListView, PushButton2);
    QWidget::setTabOrder(PushButton2, PushButton5);
    QWidget::setTabOrder(PushButton5, PushButton8);
    QWidget::setTabOrder(PushButton8, PushButton9);

    mPointer = new look::WindowPointer(*this);
    for (QPushButton* control : {PushButton2, PushButton5, PushButton8, PushButton9})
        mPointer->hoverSets(*control, look::kPointerCustom);
    mPointer->hoverSets(*this, look::kPointerDefault);
    mPointer->hoverSets(*mListView->viewport(), look::kPointerDefault);
}

void Form2::connectHandlers()
{
    connect(PushButton2, &QPushButton::clicked, this, &Form2::PushButton2_Click);
    connect(PushButton5, &QPushButton::clicked, this, &Form2::PushButton5_Click);
    connect(PushButton8, &QPushButton::clicked, this, &Form2::PushButton8_Click);
    connect(PushButton9, &QPushButton::clicked, this, &Form2::PushButton9_Click);
    connect(mListView, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { previewTable(mList->itemOf(*item)); });
    connect(mListView, &QTreeWidget::customContextMenuRequested, this, &Form2::showItemMenu);
}

}  // namespace windows
