// Form1's load, the whole start-up: dress the window, restore the settings, go on at once
// when a stored path still exists, name the window, and check for a spreadsheet program.
#include <QLineEdit>
#include <QRadioButton>

#include "windows/look/AppIcon.h"
#include "windows/look/Appearance.h"
#include "windows/look/CursorFile.h"
#include "modules/app/Main.h"
#include "modules/app/ReportingProcedure.h"
#include "modules/app/Settings.h"
#include "windows/look/WindowPointer.h"
#include "modules/export/IsInstalled.h"
#include "windows/Form1.h"
#include "windows/Form1Texts.h"

namespace foxpro {

void Form1::Form_Load()
{
    using app::Setting;
    app::ReportingProcedure p{QString::fromLatin1(form1::kFormLoad)};
    p.step(104, [&] { app::ApplySkin(*this, *SkinFramework1); });

    const QString handFile = app::ProgramFolder() + QString::fromLatin1(form1::kHandCursorFile);
    if (p.test(122, [&] { return app::FileExists(handFile); }))
        p.step(124, [&] { mPointer->setCustomCursor(app::loadCursorFile(handFile)); });

    p.step(126, [&] { setPathText(*Text1, app::readSetting(Setting::Text1, QString())); });
    p.step(128, [&] { setPathText(*Text2, app::readSetting(Setting::Text2, QString())); });
    const QString folderOption = QStringLiteral("2");
    if (p.test(130, [&] { return app::readSetting(Setting::FoxproOption) != folderOption; })) {
        p.step(132, [&] { selectOption(*Option1); });
    } else if (p.test(134, [&] { return app::readSetting(Setting::FoxproOption) == folderOption; })) {
        p.step(136, [&] { selectOption(*Option2); });
    }

    // Both paths count whatever option was restored; "Next >" then opens the selected kind.
    if (p.test(140, [&] { return app::FileExists(Text1->text()) || app::IsFolder(Text2->text()) == true; }))
        p.step(142, [&] { PushButton2_Click(); });

    p.step(144, [&] {
        setWindowTitle(QString::fromLatin1(app::kProductName));
        setWindowIcon(app::applicationIcon());
        app::SetAppTitle();
    });
    p.step(146, [&] { exporting::CheckExcelInstance(mServices.spreadsheetFactory, mServices.endProgram); });
}

}  // namespace foxpro
