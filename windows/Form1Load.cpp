// Form1's load, the whole start-up: dress the window, restore the settings, take a source the
// program was given, go on at once when it or a stored path exists, name the window, and check
// for a spreadsheet program.
#include <optional>

#include <QLineEdit>
#include <QRadioButton>

#include "modules/app/ErrorReport.h"
#include "modules/app/Main.h"
#include "modules/app/ReportingProcedure.h"
#include "modules/app/Settings.h"
#include "modules/export/IsInstalled.h"
#include "modules/foxpro/CodePageSetting.h"
#include "windows/Form1.h"
#include "windows/Form1Texts.h"
#include "windows/look/AppIcon.h"
#include "windows/look/Appearance.h"
#include "windows/look/CursorFile.h"
#include "windows/look/WindowPointer.h"

namespace windows {

void Form1::Form_Load(const QString& givenPath)
{
    using app::Setting;
    enum Line : int {
        ApplySkin = 104,
        HandFileExists = 122,
        LoadHand = 124,
        RestoreText1 = 126,
        RestoreText2 = 128,
        ContainerStored = 130,
        SelectContainer = 132,
        FolderStored = 134,
        SelectFolder = 136,
        RestoreCodePage = 138,
        TakeGivenSource = 139,
        StoredPathExists = 140,
        GoOn = 142,
        NameWindow = 144,
        CheckSpreadsheet = 146,
    };
    app::ErrorReportBox report{box()};
    app::ReportingProcedure p{app::reportLocation("Form1", "Form_Load"), report};
    p.step(ApplySkin, [&] { look::ApplySkin(*this, *SkinFramework1); });

    const QString handFile = app::programFolder() + QString::fromLatin1(form1::kHandCursorFile);
    if (p.test(HandFileExists, [&] { return app::FileExists(handFile); }))
        p.step(LoadHand, [&] { mPointer->setCustomCursor(look::loadCursorFile(handFile)); });

    p.step(RestoreText1, [&] { setPathText(*Text1, app::readSetting(Setting::Text1, QString())); });
    p.step(RestoreText2, [&] { setPathText(*Text2, app::readSetting(Setting::Text2, QString())); });
    const QString folderOption = QStringLiteral("2");
    if (p.test(ContainerStored,
               [&] { return app::readSetting(Setting::FoxproOption) != folderOption; })) {
        p.step(SelectContainer, [&] { selectOption(*Option1); });
    } else if (p.test(FolderStored,
                      [&] { return app::readSetting(Setting::FoxproOption) == folderOption; })) {
        p.step(SelectFolder, [&] { selectOption(*Option2); });
    }

    p.step(RestoreCodePage, [&] { mCodePage = foxpro::readCodePageSetting(); });

    // A given source replaces the restored one as its "..." button would, and is opened
    // whether or not it exists: a missing one gets the report of any source that cannot be.
    std::optional<foxpro::GivenSource> given;
    if (!givenPath.isEmpty()) {
        p.step(TakeGivenSource, [&] {
            given = foxpro::sourceForGivenPath(givenPath);
            takeSource(*given);
        });
    }

    // Both paths count whatever option was restored; "Next >" then opens the selected kind.
    if (p.test(StoredPathExists, [&] {
            return given || app::FileExists(Text1->text()) || app::IsFolder(Text2->text()) == true;
        }))
        p.step(GoOn, [&] {
            PushButton2_Click();
            if (given)
                tickGivenTable(*given);
        });

    p.step(NameWindow, [&] {
        setWindowTitle(QString::fromLatin1(app::kProductName));
        setWindowIcon(look::applicationIcon());
        app::SetAppTitle();
    });
    p.step(CheckSpreadsheet, [&] {
        exporting::CheckExcelInstance(mServices.spreadsheetFactory, mServices.endProgram, box());
    });
}

}  // namespace windows
