// A source handed to the program, on its command line or dropped onto the connection setup
// window: taken as its "..." button and option would take it, then "Next >", with a given
// table ticked; a path that does not exist gets "Could not connect.".
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QTreeWidget>
#include <QUrl>

#include "components/vfpwriter/ContainerWriter.h"
#include "tests/windows/Form1Harness.h"
#include "windows/Form2.h"

namespace {

using app::Setting;
using testsupport::Form1Harness;

enum class Way { Argument, Drop };

struct SourceCase
{
    const char* name;
    const char* given;  // below the data folder
    bool option1;
    const char* shownPath;  // in Text1 (option1) or Text2, below the data folder
    QStringList listed;     // the table list shown; empty: none shown
    QString ticked;         // the one ticked item, if any
};

class Form1GivenSource : public testing::TestWithParam<std::tuple<SourceCase, Way>>
{
protected:
    // A container, a folder of tables with a sub-folder, and stored settings that point
    // elsewhere, at the other kind: what the given source must replace. Given on the command
    // line, it replaces a stored folder that exists; dropped, it comes after a start-up that
    // found nothing to open.
    void SetUp() override
    {
        vfpwriter::ContainerWriter shop(h.folder("").toStdString() + "/shop.dbc");
        shop.createTable("Orders", "orders.dbf", {{"ID", vfp::FieldType::Integer}}).close();
        shop.createTable("Customers", "customers.dbf", {{"ID", vfp::FieldType::Integer}}).close();
        shop.close();
        for (const char* table : {"free/orders.dbf", "free/Customers.DBF", "free/sub/items.dbf"})
            h.file(table);
        app::writeSetting(Setting::Text1, h.missing("old.dbc"));
        app::writeSetting(Setting::Text2, otherFolder());
        app::writeSetting(Setting::FoxproOption, std::get<0>(GetParam()).option1
                                                     ? QStringLiteral("2")
                                                     : QStringLiteral("1"));
    }

    QString otherFolder() const
    {
        return std::get<1>(GetParam()) == Way::Argument ? h.folder("other") : h.missing("other");
    }

    // The table list on screen: its texts, and the ticked ones.
    QStringList shownList(QStringList* ticked) const
    {
        QStringList texts;
        windows::Form2* form2 = h.form().loadedForm2();
        if (form2 == nullptr || !form2->isVisible())
            return texts;
        const QTreeWidget& list = form2->listWidget();
        for (int i = 0; i < list.topLevelItemCount(); ++i) {
            texts.append(list.topLevelItem(i)->text(0));
            if (list.topLevelItem(i)->checkState(0) == Qt::Checked)
                ticked->append(list.topLevelItem(i)->text(0));
        }
        return texts;
    }

    mutable Form1Harness h;
};

TEST_P(Form1GivenSource, isTakenAsItsButtonWouldTakeItThenNext)
{
    const auto& [c, way] = GetParam();
    windows::Form1& f = h.form();
    const QString given = h.missing(c.given);
    if (way == Way::Argument) {
        f.Form_Load(given);
    } else {
        f.Form_Load();
        ASSERT_EQ(f.loadedForm2(), nullptr) << "nothing stored exists, so nothing starts";
        f.show();
        f.Form_OLEDragDrop(given);
    }
    f.showAfterLoad();

    const QString shown = h.missing(c.shownPath);
    EXPECT_EQ(f.Option1->isChecked(), c.option1);
    EXPECT_EQ(h.setting(Setting::FoxproOption), c.option1 ? "1" : "2");
    QLineEdit* box = c.option1 ? f.Text1 : f.Text2;
    EXPECT_EQ(box->text(), shown);
    EXPECT_EQ(h.setting(c.option1 ? Setting::Text1 : Setting::Text2), shown);
    EXPECT_EQ(h.setting(c.option1 ? Setting::Text2 : Setting::Text1),
              c.option1 ? otherFolder() : h.missing("old.dbc"))
        << "the other path stays";

    QStringList ticked;
    EXPECT_EQ(shownList(&ticked), c.listed);
    EXPECT_EQ(ticked, c.ticked.isEmpty() ? QStringList() : QStringList{c.ticked});
    if (c.listed.isEmpty()) {
        EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("Could not connect.")});
        EXPECT_TRUE(f.isVisible());
    } else {
        EXPECT_TRUE(h.boxes.shown.empty()) << h.boxes.shown[0].text.toStdString();
        EXPECT_FALSE(f.isVisible());
        if (!c.ticked.isEmpty()) {
            const QTreeWidgetItem* current = f.loadedForm2()->listWidget().currentItem();
            ASSERT_NE(current, nullptr);
            EXPECT_EQ(current->text(0), c.ticked) << "the ticked table is the current item";
        }
    }
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Quorvane")) << "the start-up went on";
}

INSTANTIATE_TEST_SUITE_P(
    Sources, Form1GivenSource,
    testing::Combine(
        testing::Values(
            SourceCase{"container", "shop.dbc", true, "shop.dbc", {"Customers", "Orders"}, {}},
            SourceCase{"folder", "free", false, "free", {"Customers", "orders", "items"}, {}},
            SourceCase{"table",
                       "free/orders.dbf",
                       false,
                       "free",
                       {"Customers", "orders", "items"},
                       "orders"},
            SourceCase{"table_in_capitals",
                       "free/Customers.DBF",
                       false,
                       "free",
                       {"Customers", "orders", "items"},
                       "Customers"},
            SourceCase{"missing_table", "gone/orders.dbf", false, "gone/orders.dbf", {}, {}},
            SourceCase{"missing_container", "gone.dbc", true, "gone.dbc", {}, {}},
            SourceCase{"missing_folder", "gone", false, "gone", {}, {}}),
        testing::Values(Way::Argument, Way::Drop)),
    [](const auto& row) {
        return std::string(std::get<0>(row.param).name) +
               (std::get<1>(row.param) == Way::Argument ? "_as_argument" : "_dropped");
    });

// Drags as the file manager sends them, one URL list each.
class Form1Drag : public testing::Test
{
protected:
    bool accepted(QWidget& target, const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(4, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&target, &enter);
        QDragLeaveEvent leave;  // ends the drag, so no later drop goes to this target
        QCoreApplication::sendEvent(&target, &leave);
        return enter.isAccepted();
    }
    static QUrl local(const QString& path) { return QUrl::fromLocalFile(path); }

    Form1Harness h;
};

TEST_F(Form1Drag, takesOneFolderContainerOrTableAndNothingElse)
{
    windows::Form1& f = h.form();
    const QString folder = h.folder("free");
    const QString table = h.file("free/orders.dbf");
    const QString container = h.file("shop.dbc");
    const QString text = h.file("notes.txt");
    struct DragCase
    {
        const char* name;
        QList<QUrl> urls;
        bool taken;
    };
    const DragCase cases[] = {
        {"folder", {local(folder)}, true},
        {"table", {local(table)}, true},
        {"container", {local(container)}, true},
        {"text_file", {local(text)}, false},
        {"missing_table", {local(h.missing("gone.dbf"))}, false},
        {"two_tables", {local(table), local(table)}, false},
        {"web_address", {QUrl(QStringLiteral("https://example.org/shop.dbc"))}, false},
    };
    for (const DragCase& c : cases) {
        EXPECT_EQ(accepted(f, c.urls), c.taken) << c.name << " on the window";
        EXPECT_EQ(accepted(*f.Text1, c.urls), c.taken) << c.name << " on a path box";
    }
}

TEST_F(Form1Drag, aFolderDroppedOnAPathBoxOpensItInsteadOfBecomingItsText)
{
    windows::Form1& f = h.form();
    const QString folder = h.folder("free");
    h.file("free/orders.dbf");
    f.show();
    QMimeData data;
    data.setUrls({local(folder)});
    data.setText(local(folder).toString());  // file managers offer the address as text too
    QDragEnterEvent enter(QPoint(4, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(f.Text1, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(4, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(f.Text1, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(f.loadedForm2(), nullptr) << "the drop finishes before the source is opened";

    for (int i = 0; i < 100 && f.loadedForm2() == nullptr; ++i)
        QCoreApplication::processEvents();
    ASSERT_NE(f.loadedForm2(), nullptr);
    EXPECT_TRUE(f.loadedForm2()->isVisible());
    EXPECT_TRUE(f.Option2->isChecked());
    EXPECT_EQ(f.Text2->text(), folder);
    EXPECT_TRUE(f.Text1->text().isEmpty()) << "no address was typed into the box";
}

}  // namespace
