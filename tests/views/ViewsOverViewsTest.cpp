// Views that read views, and views that cannot be run, opened the way the export opens them:
// a connection to the container and SELECT * FROM `name`.
#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "ViewTestSupport.h"
#include "components/database/DatabaseError.h"
#include "components/vfp/ContainerWriter.h"

namespace {

using dbtest::Row;

TEST(ViewsOverViews, ReadTheInnerViewsRows)
{
    testsupport::TempDir folder;
    const auto dbc = viewtest::writeShop(
        folder.path(),
        {{"big_orders", "SELECT * FROM orders WHERE amount > 50"},
         {"big_buyers", "SELECT p.name, b.amount FROM people p JOIN Big_Orders b "
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

// Remote, parameterized and self-reading views next to ones that fail through a view they read.
TEST_P(FailureTest, OpeningFailsOnceWithTheReason)
{
    testsupport::TempDir folder;
    const std::filesystem::path dbc = folder.path() / "shop.dbc";
    {
        vfp::ContainerWriter container(dbc);
        vfp::TableWriter items = container.createTable("Items", "items.dbf",
                                                       {{"id", vfp::FieldType::Integer}});
        items.close();
        container.addConnection("Sales", "SalesServer");
        container.addView("remote_items", "SELECT id FROM dbo.items", {{"id", "I", ""}}, "Sales");
        container.addView("asks", "SELECT id FROM items WHERE id = ?wanted", {}, {},
                          "wanted,'N'");
        container.addView("loop_a", "SELECT * FROM loop_b");
        container.addView("loop_b", "SELECT * FROM loop_a");
        container.addView("bad", "SELECT TRANSFORM(id) FROM items");
        container.addView("reads_bad", "SELECT * FROM bad");
        container.addView("reads_remote", "SELECT * FROM items JOIN remote_items r ON r.id = items.id");
        container.close();
    }
    const FailureCase& c = GetParam();
    try {
        dbtest::readTable(dbc, QString::fromStdString(c.view));
        ADD_FAILURE() << c.view << " opened";
    } catch (const database::DatabaseError& error) {
        EXPECT_EQ(std::string(error.what()), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Views, FailureTest,
    testing::Values(
        FailureCase{"remote_view", "remote_items",
                    "The view remote_items of shop.dbc cannot be opened: it is a remote view, "
                    "whose rows come from a server through the connection Sales (data source "
                    "SalesServer); only local views can be run here."},
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
                    "Sales (data source SalesServer); only local views can be run here."}),
    dbtest::CaseName{});

TEST(ViewsOverViews, MissingTableFileIsNamed)
{
    testsupport::TempDir folder;
    const std::filesystem::path dbc = folder.path() / "shop.dbc";
    {
        vfp::ContainerWriter container(dbc);
        container.addTable("Gone", "gone.dbf", {"id"});
        container.addView("reads_gone", "SELECT id FROM gone");
        container.close();
    }
    try {
        dbtest::readTable(dbc, QStringLiteral("reads_gone"));
        ADD_FAILURE() << "a view over a missing table opened";
    } catch (const database::DatabaseError& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("The view reads_gone of shop.dbc cannot be opened: ", 0), 0u)
            << message;
        EXPECT_NE(message.find("gone.dbf"), std::string::npos) << message;
    }
}

}  // namespace
