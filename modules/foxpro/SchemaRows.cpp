// The schema walk of the catalogue: statements 114 to 126.
#include "modules/foxpro/SchemaRows.h"

#include "components/database/Variant.h"
#include "modules/app/YieldToWindows.h"

namespace foxpro {
namespace {

QString columnText(const database::Recordset& recordset, const char* column)
{
    return QString::fromStdString(
        database::toText(recordset.Fields(QString::fromLatin1(column)).Value()));
}

}  // namespace

void addSchemaRows(app::ReportingProcedure& p, TableList& list, database::Recordset& schema)
{
    // The statements of the schema walk, numbered as the catalogue's error report quotes them.
    enum Line : int {
        AtEnd = 114,
        Yield = 116,
        IsTable = 118,
        AddTable = 120,
        IsView = 122,
        AddView = 124,
        MoveNext = 126,
    };
    const auto addRow = [&] {
        const QString name = columnText(schema, "TABLE_NAME");
        list.push_back({name, name});
    };
    for (;;) {
        // An end test or a move that fails is reported once and ends the walk: nothing in the
        // loop could make it succeed the next time round.
        bool atEnd = true;
        if (!p.step(AtEnd, [&] { atEnd = schema.Eof(); }) || atEnd)
            break;
        p.step(Yield, [] { app::YieldToWindows(); });
        if (p.test(IsTable, [&] { return columnText(schema, "TABLE_TYPE") == u"TABLE"; }))
            p.step(AddTable, addRow);
        else if (p.test(IsView, [&] { return columnText(schema, "TABLE_TYPE") == u"VIEW"; }))
            p.step(AddView, addRow);
        if (!p.step(MoveNext, [&] { schema.MoveNext(); }))
            break;
    }
}

}  // namespace foxpro
