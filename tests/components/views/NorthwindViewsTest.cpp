// Every local view of the real Northwind container, checked against what its SQL means,
// worked out here by hand from the tables (read record by record through the engine) with
// FoxPro's currency rule done in exact decimal integers.
#include <algorithm>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "components/rows/DatabaseError.h"
#include "components/vfp/Container.h"
#include "components/vfp/RecordReader.h"
#include "tests/support/Fixtures.h"
#include "tests/support/NoOdbcDataSources.h"
#include "tests/support/TableSupport.h"

namespace {

using Record = std::map<std::string, vfp::Value>;
using Rows = std::vector<Record>;

std::filesystem::path northwind()
{
    return testsupport::fixture("XSharpPublic/VfpTestData/northwind.dbc");
}

Rows readRecords(const vfp::Container& container, const std::string& name)
{
    const vfp::Table table = container.openTable(*container.findTable(name));
    vfp::RecordReader reader(table);
    std::vector<vfp::Value> values;
    Rows rows;
    while (reader.next()) {
        reader.readAll(values);
        Record record;
        for (std::size_t i = 0; i < values.size(); ++i)
            record[table.fields()[i].name] = values[i];
        rows.push_back(std::move(record));
    }
    return rows;
}

std::string trimmed(const vfp::Value& value)
{
    if (value.isNull())
        return "<null>";
    std::string text = value.bytes;
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// Half away from zero, as FoxPro rounds currency.
std::int64_t divideRounded(std::int64_t numerator, std::int64_t divisor)
{
    const std::int64_t half = divisor / 2;
    return numerator >= 0 ? (numerator + half) / divisor : -((-numerator + half) / divisor);
}

// A stored decimal ("0.15") in units of 10^-5.
std::int64_t hundredThousandths(const vfp::Value& value)
{
    std::string text = value.bytes;
    const std::size_t point = text.find('.');
    std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    fraction.resize(5, '0');
    return std::stoll(text.substr(0, point)) * 100000 + std::stoll(fraction);
}

// (UnitPrice*Quantity*(1-Discount)/100)*100 with currency kept to four decimals after each
// operation, in units of 10^-4.
std::int64_t extendedPrice(const Record& detail)
{
    std::int64_t amount = detail.at("unitprice").integer * detail.at("quantity").integer;
    amount = divideRounded(amount * (100000 - hundredThousandths(detail.at("discount"))), 100000);
    return divideRounded(amount, 100) * 100;
}

std::string currencyText(std::int64_t scaled)
{
    vfp::Value value;
    value.kind = vfp::Value::Kind::Currency;
    value.integer = scaled;
    return database::toText(value);
}

bool inYear(const vfp::Value& date, int year)
{
    return date.kind == vfp::Value::Kind::Date && date.year == year;
}

class NorthwindViews : public testing::Test
{
protected:
    void SetUp() override
    {
        QUORVANE_REQUIRE_FIXTURES();
        const vfp::Container container = vfp::Container::open(northwind());
        products = readRecords(container, "Products");
        categories = readRecords(container, "Categories");
        orders = readRecords(container, "Orders");
        details = readRecords(container, "OrderDetails");
        customers = readRecords(container, "Customers");
        suppliers = readRecords(container, "Suppliers");
        employees = readRecords(container, "Employees");
        shippers = readRecords(container, "Shippers");
        for (const Record& detail : details)
            subtotals[detail.at("orderid").integer] += extendedPrice(detail);
    }

    // The row of `rows` whose `key` field equals value (texts ignoring trailing blanks), or
    // null; Null matches nothing.
    const Record* find(const Rows& rows, const std::string& key, const vfp::Value& value) const
    {
        auto& index = indexes[{&rows, key}];
        if (index.empty()) {
            for (const Record& row : rows)
                index.emplace(keyText(row.at(key)), &row);
        }
        if (value.isNull())
            return nullptr;
        const auto found = index.find(keyText(value));
        return found == index.end() ? nullptr : found->second;
    }

    static std::string keyText(const vfp::Value& value)
    {
        return value.kind == vfp::Value::Kind::Text ? trimmed(value)
                                                    : std::to_string(value.integer);
    }

    const Record* orderOf(const Record& detail) const
    {
        return find(orders, "orderid", detail.at("orderid"));
    }

    static dbtest::ReadTable view(const char* name)
    {
        const dbtest::ReadTable table = dbtest::readTable(northwind(), QString::fromLatin1(name));
        EXPECT_EQ(table.count, static_cast<long>(table.rows.size())) << name;
        return table;
    }

    Rows products, categories, orders, details, customers, suppliers, employees, shippers;
    std::map<std::int64_t, std::int64_t> subtotals;  // order id -> subtotal x 10,000
    mutable std::map<std::pair<const Rows*, std::string>, std::map<std::string, const Record*>>
        indexes;
};

TEST_F(NorthwindViews, ProductListsHoldTheProductsStillSold)
{
    std::set<std::string> current;
    std::size_t withCategory = 0;
    for (const Record& product : products) {
        if (product.at("discontinued").integer != 0)
            continue;
        current.insert(trimmed(product.at("productname")));
        withCategory += find(categories, "categoryid", product.at("categoryid")) != nullptr;
    }
    const dbtest::ReadTable list = view("current_product_list");
    ASSERT_EQ(list.rows.size(), current.size());
    EXPECT_EQ(list.rows.front()[1].substr(0, current.begin()->size()), *current.begin());
    EXPECT_EQ(view("alphabetical_list_of_products").rows.size(), withCategory);
    EXPECT_EQ(view("products_by_category").rows.size(), withCategory);
}

TEST_F(NorthwindViews, TenMostExpensiveProducts)
{
    std::vector<std::pair<std::int64_t, std::string>> prices;
    for (const Record& product : products)
        prices.emplace_back(product.at("unitprice").integer, trimmed(product.at("productname")));
    std::sort(prices.rbegin(), prices.rend());
    const dbtest::ReadTable top = view("ten_most_expensive_products");
    ASSERT_EQ(top.rows.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(top.rows[i][0].substr(0, prices[i].second.size()), prices[i].second);
        EXPECT_EQ(top.rows[i][1], currencyText(prices[i].first));
    }
}

TEST_F(NorthwindViews, ProductsAboveAveragePrice)
{
    std::int64_t sum = 0;
    for (const Record& product : products)
        sum += product.at("unitprice").integer;
    const std::int64_t average = divideRounded(sum, static_cast<std::int64_t>(products.size()));
    const auto above = std::count_if(products.begin(), products.end(), [&](const Record& p) {
        return p.at("unitprice").integer > average;
    });
    EXPECT_EQ(view("products_above_average_price").rows.size(), static_cast<std::size_t>(above));
}

TEST_F(NorthwindViews, OrderSubtotalsAndExtendedPricesKeepCurrencyRounding)
{
    const dbtest::ReadTable totals = view("order_subtotals");
    ASSERT_EQ(totals.rows.size(), subtotals.size());
    for (const dbtest::Row& row : totals.rows)
        EXPECT_EQ(row[1], currencyText(subtotals.at(std::stoll(row[0])))) << "order " << row[0];

    const dbtest::ReadTable extended = view("order_details_extended");
    ASSERT_EQ(extended.rows.size(), details.size());
    std::multiset<std::string> expected;
    std::multiset<std::string> actual;
    for (const Record& detail : details)
        expected.insert(std::to_string(detail.at("orderid").integer) + "/" +
                        std::to_string(detail.at("productid").integer) + "=" +
                        currencyText(extendedPrice(detail)));
    for (const dbtest::Row& row : extended.rows)
        actual.insert(row[0] + "/" + row[1] + "=" + row[6]);
    EXPECT_EQ(actual, expected);
}

TEST_F(NorthwindViews, SalesSummariesByShippedYearAndQuarter)
{
    std::map<std::string, std::int64_t> byYear;
    std::map<std::string, std::int64_t> byQuarter;
    for (const Record& order : orders) {
        const vfp::Value& shipped = order.at("shippeddate");
        const auto subtotal = subtotals.find(order.at("orderid").integer);
        if (shipped.isNull() || subtotal == subtotals.end())
            continue;
        const std::string year = std::to_string(shipped.year);
        byYear[year] += subtotal->second;
        // The view's own formula: INT(MONTH()/4)+1.
        byQuarter[year + "/" + std::to_string(shipped.month / 4 + 1)] += subtotal->second;
    }
    std::vector<dbtest::Row> years;
    for (const auto& [year, total] : byYear)
        years.push_back({year, currencyText(total)});
    EXPECT_EQ(view("summary_of_sales_by_year").rows, years);

    std::vector<dbtest::Row> quarters;
    for (const auto& [key, total] : byQuarter)
        quarters.push_back({key.substr(0, 4), key.substr(5), currencyText(total)});
    EXPECT_EQ(view("summary_of_sales_by_quarter").rows, quarters);
}

TEST_F(NorthwindViews, SalesOf1997ByProductAndCategory)
{
    std::set<std::string> shippedProducts;
    std::map<std::string, std::int64_t> byCategory;
    std::set<std::string> orderedProducts;
    for (const Record& detail : details) {
        const Record* order = orderOf(detail);
        const Record* product = find(products, "productid", detail.at("productid"));
        if (order == nullptr || product == nullptr)
            continue;
        const Record* category = find(categories, "categoryid", product->at("categoryid"));
        if (category == nullptr)
            continue;
        const std::string name = trimmed(category->at("categoryname"));
        if (inYear(order->at("shippeddate"), 1997)) {
            shippedProducts.insert(name + "/" + trimmed(product->at("productname")));
            byCategory[name] += extendedPrice(detail);
        }
        if (inYear(order->at("orderdate"), 1997))
            orderedProducts.insert(name + "/" + trimmed(product->at("productname")));
    }
    EXPECT_EQ(view("product_sales_for_1997").rows.size(), shippedProducts.size());
    EXPECT_EQ(view("sales_by_category").rows.size(), orderedProducts.size());

    std::set<dbtest::Row> expected;
    for (const auto& [name, total] : byCategory)
        expected.insert({name, currencyText(total)});
    std::set<dbtest::Row> actual;
    for (dbtest::Row row : view("category_sales_for_1997").rows) {
        row[0].erase(row[0].find_last_not_of(' ') + 1);
        actual.insert(row);
    }
    EXPECT_EQ(actual, expected);
}

TEST_F(NorthwindViews, OrdersWithTheirCustomers)
{
    std::size_t withCustomer = 0;
    std::set<std::string> customers1997;  // RIGHT JOIN: an unknown customer gives a Null row
    std::size_t bigSales1997 = 0;
    for (const Record& order : orders) {
        const Record* customer = find(customers, "customerid", order.at("customerid"));
        withCustomer += customer != nullptr;
        if (inYear(order.at("orderdate"), 1997))
            customers1997.insert(customer ? trimmed(customer->at("customerid")) : "<null>");
        const auto subtotal = subtotals.find(order.at("orderid").integer);
        bigSales1997 += customer != nullptr && subtotal != subtotals.end() &&
                        subtotal->second > 2500 * 10000 && inYear(order.at("shippeddate"), 1997);
    }
    EXPECT_EQ(view("orders_qry").rows.size(), withCustomer);
    EXPECT_EQ(view("quarterly_orders").rows.size(), customers1997.size());
    EXPECT_EQ(view("sales_totals_by_amount").rows.size(), bigSales1997);
}

TEST_F(NorthwindViews, CustomersAndSuppliersByCityRemovesDuplicates)
{
    std::set<std::string> people;
    for (const auto& [rows, relationship] :
         {std::pair{&customers, "Customers"}, std::pair{&suppliers, "Suppliers"}}) {
        for (const Record& row : *rows)
            people.insert(trimmed(row.at("city")) + "/" + trimmed(row.at("companyname")) + "/" +
                          trimmed(row.at("contactname")) + "/" + relationship);
    }
    EXPECT_EQ(view("customer_and_suppliers_by_city").rows.size(), people.size());
}

TEST_F(NorthwindViews, InvoicesNameTheSalesperson)
{
    std::size_t lines = 0;
    std::set<std::string> salespeople;
    for (const Record& employee : employees)
        salespeople.insert(trimmed(employee.at("firstname")) + " " +
                           trimmed(employee.at("lastname")));
    for (const Record& detail : details) {
        const Record* order = orderOf(detail);
        lines += order != nullptr && find(products, "productid", detail.at("productid")) &&
                 find(customers, "customerid", order->at("customerid")) &&
                 find(employees, "employeeid", order->at("employeeid")) &&
                 find(shippers, "shipperid", order->at("shipvia"));
    }
    const dbtest::ReadTable invoices = view("invoices");
    ASSERT_EQ(invoices.rows.size(), lines);
    const auto column = std::find(invoices.names.begin(), invoices.names.end(), "salesperson") -
                        invoices.names.begin();
    for (const dbtest::Row& row : invoices.rows) {
        const std::string& cell = row[static_cast<std::size_t>(column)];
        EXPECT_EQ(cell.size(), 31u) << cell;  // C(31), padded as FoxPro pads
        EXPECT_TRUE(salespeople.count(cell.substr(0, cell.find_last_not_of(' ') + 1))) << cell;
    }
}

// bedrijven reads the data source CURSADM, which no machine here defines.
TEST_F(NorthwindViews, RemoteViewFailsNamingItsDataSource)
{
    testsupport::useNoOdbcDataSources();
    try {
        dbtest::readTable(northwind(), QStringLiteral("bedrijven"));
        ADD_FAILURE() << "the remote view opened";
    } catch (const rows::DatabaseError& error) {
        EXPECT_STREQ(error.what(),
                     "The view bedrijven of northwind.dbc cannot be opened: its connection "
                     "Cursadm names the data source CURSADM, which is not defined on this "
                     "machine (odbc.ini lists the data sources).");
    }
}

}  // namespace
