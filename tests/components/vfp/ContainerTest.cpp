// Database containers: tables with their files and long field names, views and connections,
// rows deleted or scattered, paths stored the Windows way, and the PROPERTY memo.
#include <gtest/gtest.h>

#include "components/vfp/Container.h"
#include "components/vfp/RecordReader.h"
#include "components/vfp/VfpError.h"
#include "components/vfpwriter/ContainerWriter.h"
#include "tests/components/vfp/TableBytes.h"
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
    vfp::ContainerWriter dbc(folder / "shop.dbc");
    vfp::TableWriter orders = dbc.createTable("Orders", "data\\orders.dbf",
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
        vfp::ContainerWriter dbc(dir.path() / "c.dbc");
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
    vfp::TableWriter({dir.path() / "Data" / "ORDERS.DBF"}, {{"ID", FieldType::Integer}}).close();
    vfp::TableWriter({dir.path() / "db" / "items.dbf"}, {{"ID", FieldType::Integer}}).close();
    vfp::TableWriter({dir.path() / "db" / "line_items.dbf"}, {{"ID", FieldType::Integer}}).close();
    {
        vfp::ContainerWriter dbc(dir.path() / "db" / "c.dbc");
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
        vfp::ContainerWriter dbc(dir.path() / "c.dbc");
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
    vfp::WriteOptions linked;
    linked.backlink = "gone.dbc";
    vfp::TableWriter(dir.path() / "t.dbf", {{"ID", FieldType::Integer}}, linked).close();
    vfp::OpenOptions options;
    options.longNamesFromContainer = true;
    const vfp::Table table = vfp::Table::open(dir.path() / "t.dbf", options);
    EXPECT_EQ(fieldNames(table), std::vector<std::string>{"ID"});
    ASSERT_FALSE(table.notes().empty());
    EXPECT_NE(table.notes().back().find("gone.dbc is missing"), std::string::npos);

    vfp::ContainerWriter dbc(dir.path() / "c.dbc");
    dbc.addTable("T", "t.dbf", {"first", "second"});
    dbc.close();
    const vfp::Container container = vfp::Container::open(dir.path() / "c.dbc");
    EXPECT_EQ(fieldNames(container.openTable(container.tables()[0])),
              std::vector<std::string>{"ID"})
        << "two long names for one field";
}

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
