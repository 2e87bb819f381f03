// Form1's controls at their design places and in their design fonts, their names for screen
// readers, and the hover pointer.
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "windows/Form1.h"
#include "windows/Form1Texts.h"
#include "windows/look/DesignUnits.h"
#include "windows/look/SkinFramework.h"
#include "windows/look/WindowPointer.h"

namespace windows {
namespace {

using look::arialFont;
using look::twips;

template <typename Control>
Control* place(Control* control, const QRect& where, const QFont& font)
{
    control->setGeometry(where);
    control->setFont(font);
    return control;
}

}  // namespace

void Form1::createControls()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(form1::kDesignCaption));
    setFont(arialFont(9, false));
    setFixedSize(twips(0, 0, 8040, 3105).size());

    const QFont plainBold = arialFont(9, true);
    const QFont buttonFont = arialFont(11.25, true);
    // Created in tab order: help, the frame's rows, then "Next >".
    PushButton6 = place(new QPushButton(QStringLiteral("Help"), this), twips(120, 120, 7800, 405),
                        buttonFont);
    Frame1 = place(new QGroupBox(QStringLiteral("FoxPro Login"), this), twips(120, 600, 7800, 1875),
                   plainBold);
    Option1 = place(new QRadioButton(QStringLiteral("DBC File:"), Frame1),
                    twips(240, 345, 1215, 255), plainBold);
    Text1 = place(new QLineEdit(Frame1), twips(2160, 300, 4815, 345), plainBold);
    PushButton5 = place(new QPushButton(QStringLiteral("..."), Frame1), twips(7080, 300, 480, 345),
                        buttonFont);
    Option2 = place(new QRadioButton(QStringLiteral("Free Table Folder:"), Frame1),
                    twips(240, 845, 1815, 255), plainBold);
    Text2 = place(new QLineEdit(Frame1), twips(2160, 800, 4815, 345), plainBold);
    PushButton4 = place(new QPushButton(QStringLiteral("..."), Frame1), twips(7080, 795, 480, 345),
                        buttonFont);
    PushButton1 = place(new QPushButton(QStringLiteral("Load Sample/Example Database"), Frame1),
                        twips(240, 1290, 3600, 405), buttonFont);
    PushButton3 = place(new QPushButton(QStringLiteral("Test Connection"), Frame1),
                        twips(3960, 1305, 3600, 405), buttonFont);
    PushButton2 = place(new QPushButton(QStringLiteral("Next >"), this),
                        twips(120, 2595, 7800, 405), buttonFont);
    for (QPushButton* button :
         {PushButton1, PushButton2, PushButton3, PushButton4, PushButton5, PushButton6})
        button->setAutoDefault(true);  // Enter presses the focused button, as on Windows
    Text1->setAccessibleName(QString::fromLatin1(form1::kContainerPathName));
    Text2->setAccessibleName(QString::fromLatin1(form1::kFolderPathName));
    PushButton5->setAccessibleName(QString::fromLatin1(form1::kChooseContainerName));
    PushButton4->setAccessibleName(QString::fromLatin1(form1::kChooseFolderName));

    SkinFramework1 = new look::SkinFramework(this);
    mPointer = new look::WindowPointer(*this);
    for (QPushButton* button :
         {PushButton1, PushButton2, PushButton3, PushButton4, PushButton5, PushButton6})
        mPointer->hoverSets(*button, look::kPointerCustom);
    for (QWidget* plain : {static_cast<QWidget*>(this), static_cast<QWidget*>(Text1),
                           static_cast<QWidget*>(Text2), static_cast<QWidget*>(Frame1)})
        mPointer->hoverSets(*plain, look::kPointerDefault);
}

}  // namespace windows
