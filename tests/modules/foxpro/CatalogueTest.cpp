// The catalogue of real sources: a container's tables and views, a free table folder tree,
// the reports of a source that cannot be opened, and the connection test.
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "components/vfpwriter/TableWriter.h"
#include "modules/foxpro/Foxpro.h"
#include "tests/support/Fixtures.h"
#include "tests/support/RecordingMessageBox.h"
#include "tests/support/TempDir.h"

namespace {

namespace stdfs = std::filesystem;
using foxpro::TableItem;

QString qpath(const stdfs::path& path)
{
    return QString::fromStdString(path.string());
}

foxpro::ConnectionSettings containerAt(const stdfs::path& dbc)
{
    foxpro::ConnectionSettings settings;
    settings.isContainer = true;
    settings.containerPath = qpath(dbc);
    settings.folderPath = QStringLiteral("/folder/that/plays/no/part");
    return settings;
}

foxpro::ConnectionSettings folderAt(const QString& folder)
{
    foxpro::ConnectionSettings settings;
    settings.isContainer = false;
    settings.containerPath = QStringLiteral("/container/that/plays/no/part.dbc");
    settings.folderPath = folder;
    return settings;
}

// Each item as "text|query", in list order.
QStringList pairs(const foxpro::TableList& items)
{
    QStringList result;
    for (const TableItem& item : items)
        result.append(item.text + QLatin1Char('|') + item.query);
    return result;
}

// The catalogue's items for settings, its failures shown as error reports in boxes.
foxpro::TableList ListCatalogue(const foxpro::ConnectionSettings& settings,
                                testsupport::RecordingMessageBox& boxes)
{
    foxpro::TableList items;
    foxpro::AddTablesToFoxproListbox(items, foxpro::BuildFoxproConnectionString(settings), settings,
                                     boxes.reports());
    return items;
}

foxpro::TableList ListCatalogue(const foxpro::ConnectionSettings& settings)
{
    testsupport::RecordingMessageBox boxes;
    return ListCatalogue(settings, boxes);
}

void writeTable(const stdfs::path& dbf, const char* marker)
{
    vfpwriter::TableWriter writer(dbf, {{"MARK", vfp::FieldType::Character, 20}});
    vfp::Value value;
    value.kind = vfp::Value::Kind::Text;
    value.bytes = marker;
    writer.append({value});
    writer.close();
}

TEST(Catalogue, containerListsItsTablesAndViewsInSchemaOrder)
{
    QUORVANE_REQUIRE_FIXTURES();
    const stdfs::path dbc = testsupport::fixture("XSharpPublic/VfpTestData/northwind.dbc");
    testsupport::RecordingMessageBox boxes;
    const auto items = ListCatalogue(containerAt(dbc), boxes);

    // Names from the container's oracle, read by an independent reader.
    QFile oracle(qpath(testsupport::fixture("XSharpPublic/VfpTestData/northwind.catalog.json")));
    ASSERT_TRUE(oracle.open(QIODevice::ReadOnly));
    QStringList expected;
    const QJsonArray objects = QJsonDocument::fromJson(oracle.readAll())["objects"].toArray();
    for (const QJsonValue& object : objects) {
        const QString type = object.toObject()[QStringLiteral("type")].toString();
        if (type == u"Table" || type == u"View")
            expected.append(object.toObject()[QStringLiteral("name")].toString());
    }
    QStringList names;
    for (const TableItem& item : items) {
        names.append(item.text);
        EXPECT_EQ(item.query, item.text);
    }
    QStringList sortedNames = names;
    sortedNames.sort(Qt::CaseInsensitive);
    expected.sort(Qt::CaseInsensitive);
    EXPECT_EQ(sortedNames, expected);

    // Order: the schema's own, row for row.
    database::Connection connection;
    connection.Open(foxpro::BuildFoxproConnectionString(containerAt(dbc)));
    auto schema = connection.OpenSchema(database::adSchemaTables);
    QStringList schemaOrder;
    for (; !schema->Eof(); schema->MoveNext())
        schemaOrder.append(QString::fromStdString(
            database::toText(schema->Fields(QStringLiteral("TABLE_NAME")).Value())));
    EXPECT_EQ(names, schemaOrder);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(Catalogue, folderTreeListsEveryTableByNameWithItsOwnPath)
{
    testsupport::TempDir dir;
    for (const char* name :
         {"orders.dbf", "Customer.DBF", "~tmp.dbf", "notes.txt", "sub/orders.dbf",
          "sub/deeper/Items.Dbf", "sub/~lock.dbf", ".hidden/h.dbf", "empty/readme.txt"})
        dir.write(name, "");
    testsupport::RecordingMessageBox boxes;
    const auto items = ListCatalogue(folderAt(qpath(dir.path())), boxes);

    // Folder by folder, level by level: the chosen folder's own tables first, the deepest
    // last; folders and tables each in name order. The query is the file's exact path.
    EXPECT_EQ(pairs(items),
              (QStringList{"Customer|Customer.DBF", "orders|orders.dbf", "h|.hidden/h.dbf",
                           "orders|sub/orders.dbf", "Items|sub/deeper/Items.Dbf"}));
    EXPECT_TRUE(boxes.shown.empty());
}

// Tables whose names clash (the same name in two sub-folders, names equal but for case): each
// item of the catalogue opens its own file.
class CatalogueClash
    : public testing::TestWithParam<std::pair<const char*, std::vector<const char*>>>
{
};

TEST_P(CatalogueClash, eachItemOpensItsOwnFile)
{
    testsupport::TempDir dir;
    QStringList written;
    for (const char* file : GetParam().second) {
        stdfs::create_directories((dir.path() / file).parent_path());
        writeTable(dir.path() / file, file);  // each table marked with its own path
        written.append(QString::fromUtf8(file));
    }
    const auto items = ListCatalogue(folderAt(qpath(dir.path())));
    ASSERT_EQ(items.size(), written.size());

    database::Connection connection;
    connection.Open(foxpro::BuildFoxproConnectionString(folderAt(qpath(dir.path()))));
    QStringList marks;
    for (const TableItem& item : items) {
        database::Recordset table;
        table.Open(QStringLiteral("SELECT * FROM `") + item.query + QLatin1Char('`'), connection);
        marks.append(QString::fromStdString(database::toText(table.Fields(0).Value())).trimmed());
    }
    marks.sort();
    written.sort();
    EXPECT_EQ(marks, written);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, CatalogueClash,
    testing::Values(std::make_pair("same_name_in_a_sub_folder",
                                   std::vector<const char*>{"orders.dbf", "2020/orders.dbf"}),
                    std::make_pair("names_equal_but_for_case",
                                   std::vector<const char*>{"a.DBF", "A.dbf"}),
                    std::make_pair("extensions_equal_but_for_case",
                                   std::vector<const char*>{"x.dbf", "x.DBF"})),
    [](const auto& row) { return std::string(row.param.first); });

// Symbolic links in a folder tree a stranger sent: one that leads out of the chosen tree (to
// a folder or a table of the user's) lists nothing from there; the tree's own links stay. Each
// row adds links (path from the base, target: "@" is the base) to one layout: tree/top.dbf,
// tree/sub/a.dbf, tree/deep/er/t.dbf and, beside the tree, outside/secret.dbf and
// outside/inner/s2.dbf.
struct LinkCase
{
    const char* name;
    std::vector<std::pair<const char*, const char*>> links;
    QStringList expected;        // "text|query" items
    const char* start = "tree";  // the chosen folder
};

class CatalogueLinks : public testing::TestWithParam<LinkCase>
{
};

const QStringList kTreeTables{"top|top.dbf", "a|sub/a.dbf", "t|deep/er/t.dbf"};

TEST_P(CatalogueLinks, listOnlyWhatLiesInsideTheChosenTree)
{
    testsupport::TempDir base;
    for (const char* file : {"tree/top.dbf", "tree/sub/a.dbf", "tree/deep/er/t.dbf",
                             "outside/secret.dbf", "outside/inner/s2.dbf"})
        base.write(file, "");
    for (const auto& [link, target] : GetParam().links) {
        std::string to = target;
        if (to.starts_with('@'))
            to = base.path().string() + to.substr(1);
        stdfs::create_symlink(to, base.path() / link);
    }
    testsupport::RecordingMessageBox boxes;
    EXPECT_EQ(pairs(ListCatalogue(folderAt(qpath(base.path() / GetParam().start)), boxes)),
              GetParam().expected);
    EXPECT_TRUE(boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Links, CatalogueLinks,
    testing::Values(
        LinkCase{"folder_link_out_of_the_tree", {{"tree/ext", "@/outside"}}, kTreeTables},
        LinkCase{"folder_link_out_by_dots", {{"tree/sub/up", "../../outside"}}, kTreeTables},
        LinkCase{"folder_link_to_the_trees_parent", {{"tree/parent", ".."}}, kTreeTables},
        LinkCase{"folder_link_out_through_a_link_inside",
                 {{"tree/sub/out", "@/outside"}, {"tree/hop", "sub/out"}},
                 kTreeTables},
        LinkCase{"file_link_out_of_the_tree",
                 {{"tree/secret.dbf", "@/outside/secret.dbf"}},
                 kTreeTables},
        LinkCase{
            "file_link_out_by_dots", {{"tree/sub/s.dbf", "../../outside/secret.dbf"}}, kTreeTables},
        LinkCase{"file_link_out_through_a_file_link_inside",
                 {{"tree/b.dbf", "@/outside/secret.dbf"}, {"tree/a.dbf", "b.dbf"}},
                 kTreeTables},
        LinkCase{"file_link_out_through_a_folder_link_inside",
                 {{"tree/sub/out", "@/outside"}, {"tree/x.dbf", "sub/out/secret.dbf"}},
                 kTreeTables},
        LinkCase{"folder_link_inside_kept_under_its_first_name_only",
                 {{"tree/alias", "deep/er"}},
                 {"top|top.dbf", "t|alias/t.dbf", "a|sub/a.dbf"}},
        LinkCase{"file_link_inside_to_another_folder_kept",
                 {{"tree/sub/alias.dbf", "../top.dbf"}},
                 {"top|top.dbf", "a|sub/a.dbf", "alias|sub/alias.dbf", "t|deep/er/t.dbf"}},
        LinkCase{
            "chosen_folder_given_through_a_link", {{"treelink", "tree"}}, kTreeTables, "treelink"}),
    [](const auto& row) { return std::string(row.param.name); });

// A file name that is not valid UTF-8 (a Latin-1 "é" copied from an old system) is listed,
// shown with U+FFFD, and opened by its own bytes.
TEST(Catalogue, aTableWhoseNameIsNoUtf8IsListedAndOpened)
{
    testsupport::TempDir dir;
    writeTable(dir.path() / "caf\xE9.dbf", "coffee");
    const auto items = ListCatalogue(folderAt(qpath(dir.path())));
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, QStringLiteral("caf\uFFFD"));

    database::Connection connection;
    connection.Open(foxpro::BuildFoxproConnectionString(folderAt(qpath(dir.path()))));
    database::Recordset table;
    table.Open(QStringLiteral("SELECT * FROM `") + items[0].query + QLatin1Char('`'), connection);
    EXPECT_EQ(QString::fromStdString(database::toText(table.Fields(0).Value())).trimmed(),
              QStringLiteral("coffee"));
}

// A list the catalogue fills, perhaps again; items are the texts it holds after.
struct RecordingList
{
    void fill(const foxpro::ConnectionSettings& settings, testsupport::RecordingMessageBox& boxes)
    {
        foxpro::AddTablesToFoxproListbox(tables, foxpro::BuildFoxproConnectionString(settings),
                                         settings, boxes.reports());
        items.clear();
        for (const TableItem& table : tables)
            items.append(table.text);
    }
    foxpro::TableList tables;
    QStringList items;
};

TEST(Catalogue, aSecondRunReplacesTheItems)
{
    testsupport::TempDir dir;
    dir.write("a.dbf", "");
    const auto settings = folderAt(qpath(dir.path()));
    testsupport::RecordingMessageBox boxes;
    RecordingList list;
    list.fill(settings, boxes);
    list.fill(settings, boxes);
    EXPECT_EQ(list.items, QStringList{"a"});
}

TEST(Catalogue, sourcesWithoutTablesGiveAnEmptyList)
{
    testsupport::TempDir dir;
    dir.write("readme.txt", "");
    testsupport::RecordingMessageBox boxes;
    EXPECT_TRUE(ListCatalogue(folderAt(qpath(dir.path())), boxes).empty());
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(Catalogue, aContainerThatCannotBeOpenedIsReportedTwiceAndListsNothing)
{
    testsupport::TempDir dir;
    testsupport::RecordingMessageBox boxes;
    RecordingList list;
    list.tables = {{QStringLiteral("left from before"), QStringLiteral("left from before")}};
    const auto settings = containerAt(dir.path() / "missing.dbc");
    list.fill(settings, boxes);

    EXPECT_TRUE(list.items.isEmpty());
    ASSERT_EQ(boxes.shown.size(), 2u);
    const QString location =
        QStringLiteral("\r\nin Quorvane2021/08/31.Foxpro.AddTablesToFoxproListbox at line ");
    EXPECT_TRUE(boxes.shown[0].text.contains(location + QStringLiteral("102\r\r")));
    EXPECT_TRUE(boxes.shown[1].text.contains(location + QStringLiteral("110\r\r")));
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Application Error"));
    EXPECT_EQ(boxes.shown[0].style, 48);
}

TEST(Catalogue, anEmptyFolderPathNeverWalksTheRoot)
{
    testsupport::RecordingMessageBox boxes;
    EXPECT_TRUE(ListCatalogue(folderAt(QString()), boxes).empty());
    ASSERT_EQ(boxes.shown.size(), 1u);  // the connection at 102; no walk follows
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("at line 102\r\r")));
}

TEST(Catalogue, listsAFolderWithoutAnApplicationObject)
{
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    testsupport::TempDir dir;
    dir.write("orders.dbf", "");
    dir.write("2020/orders.dbf", "");
    const auto items = ListCatalogue(folderAt(qpath(dir.path())));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].query, QStringLiteral("orders.dbf"));
    EXPECT_EQ(items[1].query, QStringLiteral("2020/orders.dbf"));
}

TEST(Catalogue, listsThroughAConnectionAlreadyOpenWithoutOpeningTheSourceAgain)
{
    QUORVANE_REQUIRE_FIXTURES();
    testsupport::TempDir dir;
    for (const char* name : {"northwind.dbc", "northwind.dct", "northwind.dcx"})
        stdfs::copy_file(testsupport::fixture(std::string("XSharpPublic/VfpTestData/") + name),
                         dir.path() / name);
    const auto settings = containerAt(dir.path() / "northwind.dbc");
    std::unique_ptr<database::Connection> opened = foxpro::openFoxproConnection(settings);
    ASSERT_NE(opened, nullptr);
    stdfs::remove(dir.path() / "northwind.dbc");  // a second open would fail now

    testsupport::RecordingMessageBox boxes;
    foxpro::TableList items;
    const app::Failures failures =
        foxpro::AddTablesToFoxproListbox(items, foxpro::BuildFoxproConnectionString(settings),
                                         settings, boxes.reports(), std::move(opened));
    EXPECT_TRUE(failures.empty());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_FALSE(items.empty());
    EXPECT_FALSE(foxpro::TestFoxproConnection(settings));
}

TEST(ConnectionTest, opensReachableSourcesOnlyAndShowsNothing)
{
    testsupport::TempDir dir;
    dir.write("readme.txt", "");
    testsupport::RecordingMessageBox boxes;
    EXPECT_TRUE(foxpro::TestFoxproConnection(folderAt(qpath(dir.path()))));
    EXPECT_FALSE(foxpro::TestFoxproConnection(folderAt(qpath(dir.path() / "missing"))));
    EXPECT_FALSE(foxpro::TestFoxproConnection(folderAt(qpath(dir.path() / "readme.txt"))));
    EXPECT_FALSE(foxpro::TestFoxproConnection(containerAt(dir.path() / "missing.dbc")));
    EXPECT_FALSE(foxpro::TestFoxproConnection(containerAt(dir.path() / "readme.txt")));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(ConnectionTest, opensARealContainer)
{
    QUORVANE_REQUIRE_FIXTURES();
    EXPECT_TRUE(foxpro::TestFoxproConnection(
        containerAt(testsupport::fixture("XSharpPublic/VfpTestData/northwind.dbc"))));
}

}  // namespace
