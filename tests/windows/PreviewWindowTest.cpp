// The table list and the preview window through their controls, on the offscreen platform: what
// an item holds on hover, the code page chosen by seeing the text reaching the setting and the
// export, the whole road from the setup window to "Finish" without a mouse, and a name and role
// for every control a screen reader reaches.
#include <functional>
#include <string>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "modules/app/Settings.h"
#include "modules/foxpro/Foxpro.h"
#include "tests/support/FakeSpreadsheet.h"
#include "tests/support/GuiApp.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/TempSettings.h"
#include "tests/windows/Form1Harness.h"
#include "windows/Form2.h"
#include "windows/PreviewWindow.h"

namespace {

namespace fs = std::filesystem;

// "Müller" in code page 850, in a table without a code-page mark (FoxPro 2.x, DOS).
void writeDosTable(const fs::path& dir, std::uint8_t mark = 0)
{
    vfpwriter::WriteOptions options;
    options.codePageMark = mark;
    vfpwriter::TableWriter writer(dir / "kunden.dbf", {{"NAME", vfp::FieldType::Character, 6}},
                                  options);
    writer.append({dbtest::binary("M\x81ller")});
    writer.close();
}

class PreviewWindowTest : public testing::Test
{
protected:
    windows::Form2& load()
    {
        const foxpro::ConnectionSettings settings{
            false, {}, QString::fromStdString(dir.path().string())};
        foxpro::TableList tables;
        foxpro::AddTablesToFoxproListbox(tables, foxpro::BuildFoxproConnectionString(settings),
                                         settings, messages.reports());
        form = std::make_unique<windows::Form2>([settings] { return settings; }, nullptr,
                                                spreadsheet.factory(), messages, tables);
        form->endProgram = [] {};
        return *form;
    }
    QTreeWidget& list() { return form->listWidget(); }
    windows::PreviewWindow& openPreview(int position)
    {
        form->previewTable(
            {list().topLevelItem(position)->text(0), list().topLevelItem(position)->text(0)});
        return *form->previewWindow();
    }

    const bool guiReady = (testsupport::ensureGuiApp(), true);
    testsupport::TempSettings store;
    testsupport::TempDir dir;
    fakes::FakeSpreadsheet spreadsheet;
    testsupport::RecordingMessageBox messages;
    std::unique_ptr<windows::Form2> form;
};

// What the window system sends when the pointer rests over the item that reads text.
QString hoverText(QTreeWidget& view, const QString& text)
{
    QTreeWidgetItem* item = view.findItems(text, Qt::MatchExactly).value(0);
    if (!item)
        return QStringLiteral("(no item reads ") + text + QLatin1Char(')');
    const QPoint at = view.visualItemRect(item).center();
    QHelpEvent hover(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
    QApplication::sendEvent(view.viewport(), &hover);
    return item->toolTip(0);
}

TEST_F(PreviewWindowTest, HoverShowsWhatATableHoldsAsPlainText)
{
    writeDosTable(dir.path());
    dbtest::writeNamesTable(dir.path(), "<img src=x>", 2);
    load().show();
    const QString dosDetails = hoverText(list(), QStringLiteral("kunden"));
    EXPECT_TRUE(dosDetails.startsWith(QString::fromStdString((dir.path() / "kunden.dbf").string()) +
                                      QStringLiteral("\nRecords: 1\nFields: 1\n")))
        << dosDetails.toStdString();
    // A name that looks like markup is shown as the text it is, never as an image to load.
    const QString markup = hoverText(list(), QStringLiteral("<img src=x>"));
    EXPECT_TRUE(markup.contains(QStringLiteral("&lt;img src=x&gt;.dbf\nRecords: 2")))
        << markup.toStdString();
    EXPECT_FALSE(markup.contains(QStringLiteral("<img")));
}

TEST_F(PreviewWindowTest, TheCodePageChosenByItsTextIsTheSettingAndTheExports)
{
    writeDosTable(dir.path());
    load();
    windows::PreviewWindow& preview = openPreview(0);
    const QModelIndex cell = preview.RecordsView->model()->index(0, 0);
    EXPECT_EQ(cell.data().toString(), QStringLiteral("M\u0081ller")) << "Windows-1252 at first";
    ASSERT_TRUE(preview.CodePageBox->isVisibleTo(&preview)) << "an unmarked table offers a choice";
    EXPECT_EQ(preview.CodePageBox->currentData().toInt(), 1252);

    preview.CodePageBox->setCurrentIndex(preview.CodePageBox->findData(850));
    preview.CodePageBox_Click();
    EXPECT_EQ(preview.RecordsView->model()->index(0, 0).data().toString(), QStringLiteral("Müller"))
        << "the text shows in the chosen page at once";
    EXPECT_EQ(preview.ValueBox->toPlainText(), QStringLiteral("Müller"));
    EXPECT_EQ(app::readSetting(app::Setting::CodePage), QStringLiteral("850"));

    list().topLevelItem(0)->setCheckState(0, Qt::Checked);
    form->PushButton5_Click();
    EXPECT_EQ(spreadsheet.onlyWorkbook().sheet(1).row(2), std::vector<std::string>{"Müller"});
    EXPECT_TRUE(messages.asked.empty());
}

TEST_F(PreviewWindowTest, AMarkedTableShowsItsCodePageWithoutAChoice)
{
    writeDosTable(dir.path(), 0x02);  // marked 850
    load();
    windows::PreviewWindow& preview = openPreview(0);
    EXPECT_FALSE(preview.CodePageBox->isVisibleTo(&preview));
    EXPECT_EQ(preview.CodePageLabel->text(),
              QStringLiteral("Its text is read as 850 - DOS Latin 1 (Western Europe), as the "
                             "table's header says."));
    EXPECT_EQ(preview.RecordsView->model()->index(0, 0).data().toString(),
              QStringLiteral("Müller"));
}

// Presses key on the widget that has the keyboard focus.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << "nothing has the keyboard focus";
    QTest::keyClick(focus, Qt::Key(key), modifiers);
}

// Tabs until target has the focus, as a user would; false when Tab never reaches it.
bool tabTo(const QWidget* target)
{
    for (int presses = 0; presses < 40; ++presses) {
        if (QApplication::focusWidget() == target)
            return true;
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            return false;
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return QApplication::focusWidget() == target;
}

void activate(QWidget& window)
{
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QTest::qWait(0);
}

TEST(KeyboardRoad, SetupListPreviewAndFinishWithoutAMouse)
{
    testsupport::Form1Harness h;
    fakes::FakeSpreadsheet spreadsheet;
    h.exportTo = &spreadsheet;
    const QString folder = h.folder("data");
    dbtest::writeNamesTable(folder.toStdString(), "a", 1);
    dbtest::writeNamesTable(folder.toStdString(), "b", 2);
    windows::Form1& setup = h.form();
    setup.Form_Load();
    activate(setup);

    ASSERT_TRUE(tabTo(setup.Option2) || (tabTo(setup.Option1) && (press(Qt::Key_Down), true)));
    press(Qt::Key_Space);
    ASSERT_TRUE(setup.Option2->isChecked());
    ASSERT_TRUE(tabTo(setup.Text2));
    QTest::keyClicks(setup.Text2, folder);
    ASSERT_TRUE(tabTo(setup.PushButton2));
    press(Qt::Key_Return);  // "Next >"
    windows::Form2* tables = setup.loadedForm2();
    ASSERT_NE(tables, nullptr);
    ASSERT_TRUE(tables->isVisible());
    activate(*tables);

    QTreeWidget& list = tables->listWidget();
    EXPECT_EQ(list.header()->sectionSize(0), list.viewport()->width())
        << "the header fills the list's width";
    ASSERT_TRUE(tabTo(&list));
    press(Qt::Key_Space);  // ticks "a", the current item
    press(Qt::Key_Down);
    press(Qt::Key_Space);   // ticks "b"
    press(Qt::Key_Return);  // previews "b"
    windows::PreviewWindow* preview = tables->previewWindow();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->windowTitle(), QStringLiteral("Preview: b"));
    EXPECT_EQ(preview->RecordsView->model()->rowCount(), 2);
    activate(*preview);
    ASSERT_TRUE(tabTo(preview->RecordsView));
    press(Qt::Key_Down);
    EXPECT_EQ(preview->ValueBox->toPlainText(), QStringLiteral("r2")) << "arrows move in the grid";
    ASSERT_TRUE(tabTo(preview->CloseButton)) << "Tab leaves the grid";
    press(Qt::Key_Escape);
    EXPECT_FALSE(preview->isVisible());

    // The menu key asks for the current item's context menu; the menu takes the keys.
    activate(*tables);
    const QPoint at = list.visualItemRect(list.currentItem()).center();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, at, list.viewport()->mapToGlobal(at));
    QApplication::sendEvent(list.viewport(), &menuKey);
    QWidget* menu = QApplication::activePopupWidget();
    ASSERT_EQ(menu, &tables->itemMenu());
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_TRUE(preview->isVisible()) << "the context menu previews too";
    preview->reject();

    activate(*tables);
    ASSERT_TRUE(tabTo(tables->PushButton5));
    press(Qt::Key_Return);  // "Finish"
    EXPECT_EQ(spreadsheet.onlyWorkbook().sheetNames(), (std::vector<std::string>{"a", "b"}));
    ASSERT_EQ(h.boxes.texts().size(), 1u);
    EXPECT_TRUE(h.boxes.texts()[0].startsWith(QStringLiteral("Done.")));
}

// Every control that takes the focus, and every text the window shows, as a screen reader finds
// it: with a name of its own, in a role of its own. Qt names an unnamed field after its frame, so
// a path field without a name would be read as "FoxPro Login", like its neighbour.
void expectNamesAndRoles(QWidget& window, const char* which)
{
    int checked = 0;
    QStringList focusableNames;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&window))
            continue;
        const bool focusable = (control->focusPolicy() & Qt::TabFocus) != 0;
        if (!focusable && !qobject_cast<QLabel*>(control) && !qobject_cast<QProgressBar*>(control))
            continue;
        if (auto* label = qobject_cast<QLabel*>(control); label && label->text().isEmpty())
            continue;
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(reader, nullptr) << which << ": " << control->metaObject()->className();
        const QString name = reader->text(QAccessible::Name);
        EXPECT_FALSE(name.trimmed().isEmpty() || name == QStringLiteral("..."))
            << which << ": a " << control->metaObject()->className() << " without a name";
        EXPECT_NE(reader->role(), QAccessible::Client)
            << which << ": " << name.toStdString() << " has no role of its own";
        if (auto* frame = qobject_cast<QGroupBox*>(control->parentWidget())) {
            EXPECT_NE(name, frame->title()) << which << ": a " << control->metaObject()->className()
                                            << " named only after its frame";
        }
        if (focusable) {
            EXPECT_FALSE(focusableNames.contains(name))
                << which << ": two controls are both called " << name.toStdString();
            focusableNames.append(name);
        }
        ++checked;
    }
    EXPECT_GT(checked, 4) << which;
}

TEST(ScreenReader, EveryControlHasANameAndARole)
{
    testsupport::Form1Harness h;
    const QString folder = h.folder("data");
    writeDosTable(folder.toStdString());
    windows::Form1& setup = h.form();
    setup.Form_Load();
    setup.show();
    expectNamesAndRoles(setup, "setup window");

    setup.Option2->click();
    setup.Text2->setText(folder);
    setup.PushButton2_Click();
    windows::Form2& tables = *setup.loadedForm2();
    expectNamesAndRoles(tables, "table list");

    tables.previewTable({QStringLiteral("kunden"), QStringLiteral("kunden")});
    expectNamesAndRoles(*tables.previewWindow(), "preview");
}

}  // namespace
