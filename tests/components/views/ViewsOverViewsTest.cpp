// Views that read views, and views that cannot be run, opened the way the export opens them:
// a connection to the container and SELECT * FROM `name`.
#include <functional>

#include <gtest/gtest.h>

#include "components/rows/DatabaseError.h"
#include "components/vfpwriter/ContainerWriter.h"
#include "tests/components/views/ViewTestSupport.h"
#include "tests/support/NoOdbcDataSources.h"
#include "tests/support/TempDir.h"

namespace {

using dbtest::Row;

// The message of the DatabaseError that reading view `name` of `dbc` throws, or "" when it
// opens.
std::string openingError(const std::filesystem::path& dbc, const std::string& name)
{
    try {
        dbtest::readTable(dbc, QString::fromStdString(name));
    } catch (const rows::DatabaseError& error) {
        return error.what();
    }
    return {};
}

// Writes folder/shop.dbc with the table items(id I) holding `ids`; addViews adds the views.
std::filesystem::path writeItems(const std::filesystem::path& folder, const std::vector<int>& ids,
                                 const std::function<void(vfpwriter::ContainerWriter&)>& addViews)
{
    const std::filesystem::path dbc = folder / "shop.dbc";
    vfpwriter::ContainerWriter container(dbc);
    vfpwriter::TableWriter items =
        container.createTable("Items", "items.dbf", {{"id", vfp::FieldType::Integer}});
    for (const int id : ids)
        items.append({dbtest::integer(id)});
    items.close();
    addViews(container);
    container.close();
    return dbc;
}

TEST(ViewsOverViews, ReadTheInnerViewsRows)
{
    testsupport::TempDir folder;
    const auto dbc = viewtest::writeShop(
        folder.path(),
        {{"big_orders", "SELECT * FROM orders WHERE amount > 50"},
         {"big_buyers",
          "SELECT p.name, b.amount FROM people p JOIN Big_Orders b "
          "ON p.id = b.person ORDER BY b.amount DESC"},
         {"buyer_count", "SELECT COUNT(*) AS n, MAX(amount) AS most FROM shop!big_buyers"}});

    EXPECT_EQ(dbtest::readTable(dbc, QStringLiteral("big_buyers")).rows,
              (std::vector<Row>{{"Tom       ", "250.5"}, {"Tom       ", "100"}}));
    const dbtest::ReadTable count = dbtest::readTable(dbc, QStringLiteral("BUYER_COUNT"));
    EXPECT_EQ(count.names, (std::vector<std::string>{"n", "most"}));
    EXPECT_EQ(count.rows, (std::vector<Row>{{"2", "250.5"}}));
}

TEST(ViewsOverViews, TopOfAnInnerViewShowsOnlyItsColumns)
{
    testsupport::TempDir folder;
    const auto dbc = viewtest::writeShop(
        folder.path(), {{"top_order", "SELECT TOP 1 id, amount FROM orders ORDER BY amount DESC"},
                        {"over_top", "SELECT * FROM top_order"}});
    const dbtest::ReadTable over = dbtest::readTable(dbc, QStringLiteral("over_top"));
    EXPECT_EQ(over.names, (std::vector<std::string>{"id", "amount"}));
    EXPECT_EQ(over.rows, (std::vector<Row>{{"11", "250.5"}}));
}

struct FailureCase
{
    std::string name;
    std::string view;
    std::string message;
};

class FailureTest : public testing::TestWithParam<FailureCase>
{
};

// Remote (its data source not defined here), parameterized and self-reading views next to ones
// that fail through a view they read.
TEST_P(FailureTest, OpeningFailsOnceWithTheReason)
{
    testsupport::useNoOdbcDataSources();
    testsupport::TempDir folder;
    const auto dbc = writeItems(folder.path(), {}, [](vfpwriter::ContainerWriter& container) {
        container.addConnection("Sales", "SalesServer");
        container.addView("remote_items", "SELECT id FROM dbo.items", {{"id", "I", ""}}, "Sales");
        container.addView("asks", "SELECT id FROM items WHERE id = ?wanted", {}, {}, "wanted,'N'");
        container.addView("loop_a", "SELECT * FROM loop_b");
        container.addView("loop_b", "SELECT * FROM loop_a");
        container.addView("bad", "SELECT TRANSFORM(id) FROM items");
        container.addView("reads_bad", "SELECT * FROM bad");
        container.addView("reads_remote",
                          "SELECT * FROM items JOIN remote_items r ON r.id = items.id");
    });
    EXPECT_EQ(openingError(dbc, GetParam().view), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Views, FailureTest,
    testing::Values(
        FailureCase{"remote_view", "remote_items",
                    "The view remote_items of shop.dbc cannot be opened: its connection Sales "
                    "names the data source SalesServer, which is not defined on this machine "
                    "(odbc.ini lists the data sources)."},
        FailureCase{"parameterized_view", "asks",
                    "The view asks of shop.dbc cannot be opened: it asks for the parameters "
                    "wanted when it is opened, which only FoxPro can do."},
        FailureCase{"views_reading_each_other", "loop_a",
                    "The view loop_a of shop.dbc cannot be opened: the view loop_b it reads "
                    "cannot be run: the view loop_a reads itself, through loop_b."},
        FailureCase{"inner_view_untranslatable", "reads_bad",
                    "The view reads_bad of shop.dbc cannot be opened: the view bad it reads "
                    "cannot be run: the FoxPro function TRANSFORM() has no translation at "
                    "character 8."},
        FailureCase{"inner_view_remote", "reads_remote",
                    "The view reads_remote of shop.dbc cannot be opened: it reads the remote "
                    "view remote_items, whose rows come from a server through the connection "
                    "Sales (data source SalesServer); a local view reads only tables and local "
                    "views."}),
    dbtest::CaseName{});

TEST(ViewsOverViews, MissingTableFileIsNamed)
{
    testsupport::TempDir folder;
    const std::filesystem::path dbc = folder.path() / "shop.dbc";
    {
        vfpwriter::ContainerWriter container(dbc);
        container.addTable("Gone", "gone.dbf", {"id"});
        container.addView("reads_gone", "SELECT id FROM gone");
        container.close();
    }
    const std::string message = openingError(dbc, "reads_gone");
    EXPECT_EQ(message.rfind("The view reads_gone of shop.dbc cannot be opened: ", 0), 0u)
        << message;
    EXPECT_NE(message.find("gone.dbf"), std::string::npos) << message;
}

// Each view of a chain is translated while the view reading it is, so the chain shares the
// nesting budget of one statement: a long chain is refused instead of running out of stack.
TEST(ViewsOverViews, ChainOfViewsSharesTheNestingLimit)
{
    testsupport::TempDir folder;
    const auto dbc = writeItems(folder.path(), {7}, [](vfpwriter::ContainerWriter& container) {
        container.addView("v0", "SELECT id FROM items");
        for (int i = 1; i <= 2000; ++i)
            container.addView("v" + std::to_string(i), "SELECT * FROM v" + std::to_string(i - 1));
    });
    EXPECT_EQ(dbtest::readTable(dbc, QStringLiteral("v50")).rows, (std::vector<Row>{{"7"}}));
    const std::string message = openingError(dbc, "v2000");
    EXPECT_EQ(message.rfind("The view v2000 of shop.dbc cannot be opened: the view v1999 it reads "
                            "cannot be run: ",
                            0),
              0u)
        << message.substr(0, 200);
    EXPECT_NE(message.find("more than 200 deep"), std::string::npos) << message.substr(0, 200);
}

}  // namespace
