// Database containers: tables with their files and long field names, views and connections,
// rows deleted or scattered, paths stored the Windows way, and the PROPERTY memo.
#include <gtest/gtest.h>

#include "components/vfp/Container.h"
#include "components/vfp/RecordReader.h"
#include "components/vfp/VfpError.h"
#include "components/vfpwriter/ContainerWriter.h"
#include "tests/support/TableBytes.h"
#include "tests/support/TempDir.h"

namespace {

using namespace vfptest;
using vfp::FieldType;

std::vector<std::string> fieldNames(const vfp::Table& table)
{
    std::vector<std::string> names;
    for (const auto& field : table.fields())
        names.push_back(field.name);
    return names;
}

std::vector<std::string> headerNames(const vfp::Table& table)
{
    std::vector<std::string> names;
    for (const auto& field : table.fields())
        names.push_back(field.headerName);
    return names;
}

// shop.dbc with member data/orders.dbf (two records), a table whose file is absent, a
// connection, a local view with columns and a remote view with a parameter.
void writeShop(const std::filesystem::path& folder)
{
    vfpwriter::ContainerWriter dbc(folder / "shop.dbc");
    vfpwriter::TableWriter orders = dbc.createTable("Orders", "data\\orders.dbf",
                                                    {{"orderid", FieldType::Integer},
                                                     {"customername", FieldType::Character, 20},
                                                     {"customernation", FieldType::Character, 10}});
    orders.append(
        {vfp::Value::fromInteger(1), vfp::Value::fromText("Ann"), vfp::Value::fromText("NL")});
    orders.append(
        {vfp::Value::fromInteger(2), vfp::Value::fromText("Bo"), vfp::Value::fromText("SE")});
    orders.close();
    dbc.addTable("Ghost", "ghost.dbf", {"id"});
    dbc.addConnection("Server", "warehouse", "DSN=warehouse", {"clerk", "s3cret", 0});
    dbc.addView(
        "late_orders", "SELECT * FROM orders WHERE orderid > 1",
        {{"orderid", "I", "orders.orderid"}, {"customername", "C(20)", "orders.customername"}}, {},
        {}, "shop!orders");
    dbc.addView("stock", "SELECT * FROM stock WHERE site = ?pSite", {}, "Server", "pSite,C");
    dbc.close();
}

TEST(ContainerTest, ListsWhatTheContainerHolds)
{
    testsupport::TempDir dir;
    writeShop(dir.path());
    const vfp::Container container = vfp::Container::open(dir.path() / "shop.dbc");

    ASSERT_EQ(container.tables().size(), 2u);
    const vfp::ContainerTable& orders = container.tables()[0];
    EXPECT_EQ(orders.name, "Orders");
    EXPECT_EQ(orders.storedPath, "data\\orders.dbf");
    EXPECT_TRUE(orders.exists);
    EXPECT_EQ(orders.file, dir.path() / "data" / "orders.dbf");
    EXPECT_EQ(orders.longFieldNames,
              (std::vector<std::string>{"orderid", "customername", "customernation"}));
    EXPECT_FALSE(container.tables()[1].exists);

    ASSERT_EQ(container.views().size(), 2u);
    const vfp::ContainerView& late = container.views()[0];
    EXPECT_EQ(late.name, "late_orders");
    EXPECT_EQ(late.kind, vfp::ViewKind::Local);
    EXPECT_EQ(late.sql, "SELECT * FROM orders WHERE orderid > 1");
    EXPECT_EQ(late.tables, "shop!orders");
    ASSERT_EQ(late.fields.size(), 2u);
    EXPECT_EQ(late.fields[1].name, "customername");
    EXPECT_EQ(late.fields[1].properties.text(vfp::PropertyId::DataType), "C(20)");
    EXPECT_EQ(late.fields[1].properties.text(vfp::PropertyId::UpdateName), "orders.customername");
    const vfp::ContainerView& stock = container.views()[1];
    EXPECT_EQ(stock.kind, vfp::ViewKind::Remote);
    EXPECT_EQ(stock.connectionName, "Server");
    EXPECT_EQ(stock.parameters, "pSite,C");

    ASSERT_EQ(container.connections().size(), 1u);
    EXPECT_EQ(container.connections()[0].dataSource, "warehouse");
    EXPECT_EQ(container.connections()[0].connectString, "DSN=warehouse");
    EXPECT_EQ(container.connections()[0].userId, "clerk");
    EXPECT_EQ(container.connections()[0].password, "s3cret");
}

TEST(ContainerTest, MemberTablesCarryTheLongFieldNames)
{
    testsupport::TempDir dir;
    writeShop(dir.path());
    const vfp::Container container = vfp::Container::open(dir.path() / "shop.dbc");
    const vfp::Table orders = container.openTable(*container.findTable("orders"));
    EXPECT_EQ(fieldNames(orders),
              (std::vector<std::string>{"orderid", "customername", "customernation"}));
    EXPECT_EQ(headerNames(orders),
              (std::vector<std::string>{"ORDERID", "CUSTOMERNA", "CUSTOMERN1"}));
    EXPECT_EQ(orders.backlink(), "..\\shop.dbc");
    EXPECT_EQ(orders.liveRecordCount(), 2u);

    vfp::OpenOptions options;
    options.longNamesFromContainer = true;
    const vfp::Table direct = vfp::Table::open(dir.path() / "data" / "orders.dbf", options);
    EXPECT_EQ(fieldNames(direct), fieldNames(orders)) << "found through the back-link";
}

TEST(ContainerTest, MissingMemberTableIsAClearError)
{
    testsupport::TempDir dir;
    writeShop(dir.path());
    const vfp::Container container = vfp::Container::open(dir.path() / "shop.dbc");
    try {
        container.openTable(*container.findTable("Ghost"));
        FAIL() << "a missing table opened";
    } catch (const vfp::VfpError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Ghost cannot be opened: ghost.dbf is missing; shop.dbc expects it at " +
                      (dir.path() / "ghost.dbf").string() + ".");
    }
}

TEST(ContainerTest, MissingMemoFileIsAClearError)
{
    testsupport::TempDir dir;
    writeShop(dir.path());
    std::filesystem::remove(dir.path() / "shop.dct");
    try {
        vfp::Container::open(dir.path() / "shop.dbc");
        FAIL() << "a container without its .dct opened";
    } catch (const vfp::VfpError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "shop.dbc cannot be read: shop.dct is missing; it belongs next to shop.dbc.");
    }
}

TEST(ContainerTest, SkipsDeletedRowsAndFindsChildrenAnywhere)
{
    testsupport::TempDir dir;
    {
        vfpwriter::ContainerWriter dbc(dir.path() / "c.dbc");
        const std::int32_t table =
            dbc.addObject({1, "Table", "T", {{1, vfp::Property::Kind::Text, "t.dbf", 0}}});
        dbc.addObject({table, "Field", "old_a", {}, true});
        dbc.addObject({1, "View", "v", {}});
        dbc.addObject({table, "Field", "a", {}});
        dbc.addObject({1, "Table", "Dropped", {}, true});
        dbc.addObject({table, "Field", "b", {}});
        dbc.close();
    }
    const vfp::Container container = vfp::Container::open(dir.path() / "c.dbc");
    ASSERT_EQ(container.tables().size(), 1u);
    EXPECT_EQ(container.tables()[0].longFieldNames, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(container.children(container.tables()[0].id).size(), 2u);
    EXPECT_EQ(container.objects().size(), 5u + 4u) << "five Database rows and four live ones";
}

TEST(ContainerTest, ResolvesStoredPathsTheWayWindowsWould)
{
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir.path() / "Data");
    std::filesystem::create_directories(dir.path() / "db");
    vfpwriter::TableWriter({dir.path() / "Data" / "ORDERS.DBF"}, {{"ID", FieldType::Integer}})
        .close();
    vfpwriter::TableWriter({dir.path() / "db" / "items.dbf"}, {{"ID", FieldType::Integer}}).close();
    vfpwriter::TableWriter({dir.path() / "db" / "line_items.dbf"}, {{"ID", FieldType::Integer}})
        .close();
    {
        vfpwriter::ContainerWriter dbc(dir.path() / "db" / "c.dbc");
        dbc.addTable("Orders", "..\\data\\Orders.dbf", {"id"});
        dbc.addTable("Items", "C:\\old\\place\\ITEMS.DBF", {"id"});
        dbc.addTable("Line Items", "line_items.dbf", {"id"});
        dbc.close();
    }
    const vfp::Container container = vfp::Container::open(dir.path() / "db" / "c.dbc");
    ASSERT_EQ(container.tables().size(), 3u);
    EXPECT_EQ(container.tables()[0].file, dir.path() / "Data" / "ORDERS.DBF");
    EXPECT_EQ(container.tables()[1].file, dir.path() / "db" / "items.dbf")
        << "absolute path: the file beside the container";
    EXPECT_EQ(container.findTable("line items")->file, dir.path() / "db" / "line_items.dbf");
    for (const auto& table : container.tables())
        EXPECT_EQ(fieldNames(container.openTable(table)), std::vector<std::string>{"id"})
            << table.name;
}

TEST(ContainerTest, NamesAreFoundIgnoringCase)
{
    testsupport::TempDir dir;
    {
        vfpwriter::ContainerWriter dbc(dir.path() / "c.dbc");
        dbc.addTable("äpfel", "apfel.dbf", {});
        dbc.addView("Summary", "SELECT 1");
        dbc.close();
    }
    const vfp::Container container = vfp::Container::open(dir.path() / "c.dbc");
    EXPECT_NE(container.findTable("ÄPFEL"), nullptr);
    EXPECT_NE(container.findView("summary"), nullptr);
    EXPECT_EQ(container.findTable("summary"), nullptr);
}

TEST(ContainerTest, HeaderNamesStayWhenTheContainerCannotGiveLongOnes)
{
    testsupport::TempDir dir;
    vfpwriter::WriteOptions linked;
    linked.backlink = "gone.dbc";
    vfpwriter::TableWriter(dir.path() / "t.dbf", {{"ID", FieldType::Integer}}, linked).close();
    vfp::OpenOptions options;
    options.longNamesFromContainer = true;
    const vfp::Table table = vfp::Table::open(dir.path() / "t.dbf", options);
    EXPECT_EQ(fieldNames(table), std::vector<std::string>{"ID"});
    ASSERT_FALSE(table.notes().empty());
    EXPECT_NE(table.notes().back().find("gone.dbc is missing"), std::string::npos);

    vfpwriter::ContainerWriter dbc(dir.path() / "c.dbc");
    dbc.addTable("T", "t.dbf", {"first", "second"});
    dbc.close();
    const vfp::Container container = vfp::Container::open(dir.path() / "c.dbc");
    EXPECT_EQ(fieldNames(container.openTable(container.tables()[0])),
              std::vector<std::string>{"ID"})
        << "two long names for one field";
}

// Finding a container's objects by name, by parent and by file, in a container whose rows lie
// the way FoxPro leaves them: fields of two tables interleaved, a field before its table, two
// tables whose names differ only in case, a deleted table, letters beyond ASCII (the
// container's code page is Windows-1252).
vfp::Property pathProperty(const char* file)
{
    return {vfp::PropertyId::Path, vfp::Property::Kind::Text, file, 0};
}

vfp::Container writeLookups(const testsupport::TempDir& dir)
{
    for (const char* file :
         {"orders.dbf", "lines.dbf", "orders2.dbf", "late.dbf", "loose.dbf", "sub/orders.dbf"})
        dir.write(file, "");
    std::filesystem::create_symlink("orders.dbf", dir.path() / "alias.dbf");
    vfpwriter::ContainerWriter dbc(dir.path() / "c.dbc");
    const std::int32_t orders = dbc.addObject({1, "Table", "Orders", {pathProperty("orders.dbf")}});
    const std::int32_t lines = dbc.addObject({1, "Table", "Lines", {pathProperty("lines.dbf")}});
    dbc.addObject({orders, "Field", "order_id", {}});
    dbc.addObject({lines, "Field", "line_id", {}});
    dbc.addObject({orders, "Field", "order_date", {}});
    dbc.addObject({lines, "Field", "quantity", {}});
    dbc.addObject({1, "Table", "ORDERS", {pathProperty("orders2.dbf")}});
    dbc.addObject({1, "Table", "Copy", {pathProperty("orders.dbf")}});
    dbc.addObject({1, "Table", "Œuvre Ÿ", {pathProperty("odos.dbf")}});
    dbc.addObject({1, "Table", "Straße", {pathProperty("strasse.dbf")}});
    dbc.addObject({1, "Table", "Dropped", {pathProperty("loose.dbf")}, true});
    const std::int32_t early = dbc.addObject({0, "Dummy", "placeholder", {}, true});
    dbc.addObject({early + 2, "Field", "early", {}});
    dbc.addObject({1, "Table", "Late", {pathProperty("late.dbf")}});  // early + 2
    dbc.addView("Summary", "SELECT 1");
    dbc.addConnection("Warehouse", "warehouse");
    dbc.close();
    return vfp::Container::open(dir.path() / "c.dbc");
}

struct NameLookupCase
{
    const char* name;
    char kind;  // 'T' table, 'V' view, 'C' connection
    const char* query;
    const char* storedPath;  // of the table found; "" for a view or connection; nullptr: none
};

class ContainerNameLookup : public testing::TestWithParam<NameLookupCase>
{
};

TEST_P(ContainerNameLookup, findsWhatTheNameNames)
{
    testsupport::TempDir dir;
    const vfp::Container container = writeLookups(dir);
    const NameLookupCase& c = GetParam();
    const vfp::ContainerTable* table = c.kind == 'T' ? container.findTable(c.query) : nullptr;
    const bool found = c.kind == 'T'   ? table != nullptr
                       : c.kind == 'V' ? container.findView(c.query) != nullptr
                                       : container.findConnection(c.query) != nullptr;
    EXPECT_EQ(found, c.storedPath != nullptr);
    if (table && c.storedPath) {
        EXPECT_EQ(table->storedPath, c.storedPath);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, ContainerNameLookup,
    testing::Values(NameLookupCase{"table_in_any_case", 'T', "lines", "lines.dbf"},
                    NameLookupCase{"first_of_names_equal_but_for_case_wins", 'T', "ORDERS",
                                   "orders.dbf"},
                    NameLookupCase{"letters_beyond_ascii_in_any_case", 'T', "œUVRE ÿ", "odos.dbf"},
                    NameLookupCase{"sharp_s_is_not_ss", 'T', "STRASSE", nullptr},
                    NameLookupCase{"sharp_s_in_other_case", 'T', "STRAßE", "strasse.dbf"},
                    NameLookupCase{"deleted_table_is_gone", 'T', "dropped", nullptr},
                    NameLookupCase{"view_is_no_table", 'T', "summary", nullptr},
                    NameLookupCase{"table_is_no_view", 'V', "orders", nullptr},
                    NameLookupCase{"view_in_any_case", 'V', "SUMMARY", ""},
                    NameLookupCase{"connection_in_any_case", 'C', "WAREHOUSE", ""},
                    NameLookupCase{"part_of_a_name_is_no_name", 'T', "order", nullptr}),
    [](const auto& row) { return std::string(row.param.name); });

struct ChildrenCase
{
    const char* name;
    const char* table;
    std::vector<std::string> longFieldNames;
};

class ContainerChildren : public testing::TestWithParam<ChildrenCase>
{
};

TEST_P(ContainerChildren, tablesTakeTheirOwnFieldsInContainerOrder)
{
    testsupport::TempDir dir;
    const vfp::Container container = writeLookups(dir);
    const vfp::ContainerTable* table = container.findTable(GetParam().table);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->longFieldNames, GetParam().longFieldNames);
    EXPECT_EQ(container.children(table->id).size(), GetParam().longFieldNames.size());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ContainerChildren,
    testing::Values(ChildrenCase{"fields_interleaved_with_another_tables",
                                 "Orders",
                                 {"order_id", "order_date"}},
                    ChildrenCase{"the_other_tables_fields", "Lines", {"line_id", "quantity"}},
                    ChildrenCase{"field_stored_before_its_table", "Late", {"early"}},
                    ChildrenCase{"table_without_fields", "Copy", {}}),
    [](const auto& row) { return std::string(row.param.name); });

struct FileLookupCase
{
    const char* name;
    const char* file;   // relative to the container's folder
    const char* table;  // the table tableForFile gives; nullptr: none
};

class ContainerTableForFile : public testing::TestWithParam<FileLookupCase>
{
};

TEST_P(ContainerTableForFile, findsTheTableOfTheSameFile)
{
    testsupport::TempDir dir;
    const vfp::Container container = writeLookups(dir);
    const vfp::ContainerTable* table = container.tableForFile(dir.path() / GetParam().file);
    ASSERT_EQ(table != nullptr, GetParam().table != nullptr);
    if (table) {
        EXPECT_EQ(table->name, GetParam().table);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ContainerTableForFile,
    testing::Values(FileLookupCase{"member_by_its_path", "lines.dbf", "Lines"},
                    FileLookupCase{"first_of_two_tables_of_one_file", "orders.dbf", "Orders"},
                    FileLookupCase{"member_through_a_link", "alias.dbf", "Orders"},
                    FileLookupCase{"member_by_a_path_with_dots", "sub/../orders2.dbf", "ORDERS"},
                    FileLookupCase{"same_name_in_another_folder", "sub/orders.dbf", nullptr},
                    FileLookupCase{"file_of_a_deleted_table", "loose.dbf", nullptr},
                    FileLookupCase{"missing_file", "odos.dbf", nullptr}),
    [](const auto& row) { return std::string(row.param.name); });

struct PropertyCase
{
    const char* name;
    std::string memo;
    std::vector<std::string> expected;  // "id=kind:value"
};

std::string propertyRecord(int id, const std::string& value)
{
    return le32(static_cast<std::uint32_t>(7 + value.size())) + "\x01" +
           std::string(1, static_cast<char>(id >> 8)) +
           std::string(1, static_cast<char>(id & 0xFF)) + value;
}

class PropertyTest : public testing::TestWithParam<PropertyCase>
{
};

TEST_P(PropertyTest, DecodesTheRecords)
{
    const vfp::PropertyList list = vfp::decodeProperties(GetParam().memo, 1252);
    std::vector<std::string> got;
    for (const vfp::Property& property : list.items()) {
        std::string shown = std::to_string(property.id) + "=";
        switch (property.kind) {
            case vfp::Property::Kind::Text:
                shown += "text:" + property.text;
                break;
            case vfp::Property::Kind::Number:
                shown += "number:" + std::to_string(property.number);
                break;
            case vfp::Property::Kind::Logical:
                shown += "logical:" + std::to_string(property.number);
                break;
            case vfp::Property::Kind::Bytes:
                shown += "bytes:" + hex(property.text);
                break;
        }
        got.push_back(shown);
    }
    EXPECT_EQ(got, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Memo, PropertyTest,
    testing::Values(PropertyCase{"observed_table_properties",
                                 std::string("\x08\x00\x00\x00\x01\x00\x02\x01", 8) +
                                     propertyRecord(1, std::string("categories.dbf\0", 15)),
                                 {"2=number:1", "1=text:categories.dbf"}},
                    PropertyCase{"numbers_are_big_endian_and_signed",
                                 propertyRecord(37, std::string("\x00\x00\x00\x64", 4)) +
                                     propertyRecord(39, "\xff\xff\xff\xff"),
                                 {"37=number:100", "39=number:-1"}},
                    PropertyCase{"short_text_of_a_text_property_is_text",
                                 propertyRecord(7, std::string("abc\0", 4)),
                                 {"7=text:abc"}},
                    PropertyCase{"text_decoded_from_code_page",
                                 propertyRecord(56, std::string("caf\xe9\0", 5)),
                                 {"56=text:café"}},
                    PropertyCase{"unknown_ids_by_shape",
                                 propertyRecord(200, std::string("hello\0", 6)) +
                                     propertyRecord(201, "\x01\x02\x03"),
                                 {"200=text:hello", "201=bytes:010203"}},
                    PropertyCase{"record_shorter_than_its_head_stops",
                                 propertyRecord(41, "\x02") + le32(3) + "\x01\x00\x2a" +
                                     propertyRecord(42, std::string("x\0", 2)),
                                 {"41=number:2"}},
                    PropertyCase{"record_past_the_memo_stops",
                                 propertyRecord(41, "\x01") + le32(50) + "\x01\x00\x2a" + "abc",
                                 {"41=number:1"}},
                    PropertyCase{"empty_memo", "", {}}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
