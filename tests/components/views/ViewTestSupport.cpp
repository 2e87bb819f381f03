// The shop container of the view tests, and running SQL over it as a view.
#include "tests/components/views/ViewTestSupport.h"

#include "tests/components/views/ShopSchema.h"

#include "components/database/Recordset.h"
#include "components/rows/DatabaseError.h"
#include "components/vfp/Container.h"
#include "components/views/OpenView.h"

namespace viewtest {

using namespace dbtest;

std::filesystem::path writeShop(
    const std::filesystem::path& folder,
    const std::vector<std::pair<std::string, std::string>>& views,
    const std::vector<std::vector<vfpwriter::ContainerWriter::ViewColumn>>& viewColumns)
{
    const std::filesystem::path dbc = folder / "shop.dbc";
    vfpwriter::ContainerWriter container(dbc);
    vfpwriter::TableWriter people = container.createTable("People", "people.dbf", peopleFields());
    people.append({integer(1), text("Tom"), text("Tom"), text("Smith"), date(1990, 5, 17),
                   dateTime(2001, 2, 3, 4, 5, 6), boolean(true), currency(125000), decimal("1.50"),
                   text("note one")});
    people.append({integer(2), text("Tommy"), text("Tom"), text("Brown"), date(1999, 12, 31),
                   dateTime(2001, 2, 3, 23, 59, 59), boolean(false), currency(3333),
                   decimal("2.25"), text("")});
    people.append({integer(3), text("Anna"), text("Anna"), text("Smith"), null(),
                   dateTime(2002, 1, 1, 0, 0, 0), boolean(true), currency(-100000), null(),
                   text("x")});
    people.append({integer(4), text("Émile"), text("Émile"), text("Zola"), date(2000, 2, 29),
                   dateTime(2003, 3, 3, 3, 3, 3), boolean(false), currency(71250), decimal("0.00"),
                   text("long")});
    people.append(
        {integer(5), text("Ann"), text("Ann"), text("Lee"), date(2000, 1, 1),
         dateTime(2004, 4, 4, 4, 4, 4), boolean(true), currency(71250), decimal("-1.25"), text("")},
        true);
    people.close();

    vfpwriter::TableWriter orders = container.createTable("Orders", "orders.dbf", ordersFields());
    orders.append({integer(10), integer(1), currency(1000000), date(1997, 1, 5), text("A1")});
    orders.append({integer(11), integer(1), currency(2505000), date(1997, 6, 30), text("A1")});
    orders.append({integer(12), integer(2), currency(199900), date(1998, 2, 1), text("B  ")});
    orders.append({integer(13), integer(4), currency(50000), date(1997, 12, 31), text("C3")});
    orders.append({integer(14), integer(9), currency(10000), date(1997, 7, 7), text("Z9")});
    orders.close();

    for (std::size_t i = 0; i < views.size(); ++i)
        container.addView(views[i].first, views[i].second,
                          i < viewColumns.size()
                              ? viewColumns[i]
                              : std::vector<vfpwriter::ContainerWriter::ViewColumn>{});
    container.close();
    return dbc;
}

namespace {

std::unique_ptr<rows::RowSource> openAdHoc(const std::filesystem::path& dbc, const std::string& sql)
{
    const vfp::Container container = vfp::Container::open(dbc);
    vfp::ContainerView view;
    view.name = "adhoc";
    view.sql = sql;
    return views::openView(container, view);
}

}  // namespace

std::vector<Row> runSql(const std::filesystem::path& dbc, const std::string& sql)
{
    database::Recordset records(openAdHoc(dbc, sql));
    std::vector<Row> rows;
    for (; !records.Eof(); records.MoveNext()) {
        Row row;
        for (int k = 0; k < records.FieldCount(); ++k) {
            const database::Variant& value = records.Fields(k).Value();
            row.push_back(value.isNull() ? "<null>" : database::toText(value));
        }
        rows.push_back(std::move(row));
    }
    EXPECT_EQ(records.RecordCount(), static_cast<long>(rows.size())) << sql;
    return rows;
}

std::string openError(const std::filesystem::path& dbc, const std::string& sql)
{
    try {
        const database::Recordset records(openAdHoc(dbc, sql));  // reads the first row
    } catch (const rows::DatabaseError& error) {
        return error.what();
    }
    return {};
}

}  // namespace viewtest
