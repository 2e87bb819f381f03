// The schema walk over rows a fake schema hands out: which types are listed, and how a
// failing move ends the walk.
#include <QStringList>

#include <gtest/gtest.h>

#include "components/rows/AdoType.h"
#include "components/rows/DatabaseError.h"
#include "components/rows/RowSource.h"
#include "modules/foxpro/SchemaRows.h"
#include "modules/foxpro/TableList.h"
#include "tests/support/RecordingMessageBox.h"

namespace {

struct Row
{
    const char* name;
    const char* type;
};

// Rows of (TABLE_NAME, TABLE_TYPE); reading past failAfter rows throws.
class FakeSchema : public rows::RowSource
{
public:
    FakeSchema(std::vector<Row> rows, std::size_t failAfter)
        : mRows(std::move(rows)), mFailAfter(failAfter)
    {}

    std::vector<rows::Field> describe() const override
    {
        return {rows::Field(QStringLiteral("table_name"), rows::adVarChar),
                rows::Field(QStringLiteral("table_type"), rows::adVarChar)};
    }
    long recordCount() const override { return static_cast<long>(mRows.size()); }
    bool next(std::vector<rows::Field>& fields) override
    {
        if (mNext == mFailAfter)
            throw rows::DatabaseError("northwind.dbc: row 3 cannot be read");
        if (mNext == mRows.size())
            return false;
        setText(fields[0], mRows[mNext].name);
        setText(fields[1], mRows[mNext].type);
        ++mNext;
        return true;
    }

private:
    static void setText(rows::Field& field, const char* text)
    {
        field.mutableValue().kind = vfp::Value::Kind::Text;
        field.mutableValue().bytes = text;
    }

    std::vector<Row> mRows;
    std::size_t mFailAfter;
    std::size_t mNext = 0;
};

struct CatalogueItems
{
    foxpro::TableList items;
};

QStringList texts(const CatalogueItems& list)
{
    QStringList result;
    for (const auto& item : list.items)
        result.append(item.text);
    return result;
}

const QString kLocation = QStringLiteral("in Quorvane2021/08/31.Foxpro.AddTablesToFoxproListbox ");

TEST(SchemaRows, listsTablesAndViewsInRowOrderAndNoOtherType)
{
    database::Recordset schema(
        std::make_unique<FakeSchema>(std::vector<Row>{{"Orders", "TABLE"},
                                                      {"sysobjects", "SYSTEM TABLE"},
                                                      {"lower", "table"},
                                                      {"padded", "VIEW "},
                                                      {"order_view", "VIEW"},
                                                      {"Alias", "ALIAS"},
                                                      {"Customers", "TABLE"}},
                                     SIZE_MAX));
    testsupport::RecordingMessageBox boxes;
    app::ReportingProcedure p{kLocation, boxes.reports()};
    CatalogueItems list;
    foxpro::addSchemaRows(p, list.items, schema);

    EXPECT_EQ(texts(list), (QStringList{"Orders", "order_view", "Customers"}));
    EXPECT_EQ(list.items[1].query, QStringLiteral("order_view"));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST(SchemaRows, aMoveThatFailsIsReportedOnceAndEndsTheWalk)
{
    database::Recordset schema(std::make_unique<FakeSchema>(
        std::vector<Row>{{"Orders", "TABLE"}, {"Customers", "TABLE"}, {"Never", "TABLE"}}, 2));
    testsupport::RecordingMessageBox boxes;
    app::ReportingProcedure p{kLocation, boxes.reports()};
    CatalogueItems list;
    foxpro::addSchemaRows(p, list.items, schema);

    EXPECT_EQ(texts(list), (QStringList{"Orders", "Customers"}));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(
        boxes.shown[0].text.startsWith(QStringLiteral("northwind.dbc: row 3 cannot be read\r\n") +
                                       kLocation + QStringLiteral("at line 126\r\r")));
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("Application Error"));
}

}  // namespace
