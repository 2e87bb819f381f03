// The schema walk of the catalogue: statements 114 to 126.
#include "modules/foxpro/SchemaRows.h"

#include "modules/app/YieldToWindows.h"
#include "components/database/Variant.h"

namespace foxpro {
namespace {

QString columnText(const database::Recordset& recordset, const char* column)
{
    return QString::fromStdString(
        database::toText(recordset.Fields(QString::fromLatin1(column)).Value()));
}

}  // namespace

void AddSchemaRows(app::ReportingProcedure& p, TableList& list, database::Recordset& schema)
{
    const auto addRow = [&] {
        const QString name = columnText(schema, "TABLE_NAME");
        list.addItem(name, name);
    };
    for (;;) {
        // An end test or a move that fails is reported once and ends the walk: nothing in the
        // loop could make it succeed the next time round.
        bool atEnd = true;
        if (!p.step(114, [&] { atEnd = schema.Eof(); }) || atEnd)
            break;
        p.step(116, [] { app::YieldToWindows(); });
        if (p.test(118, [&] { return columnText(schema, "TABLE_TYPE") == u"TABLE"; }))
            p.step(120, addRow);
        else if (p.test(122, [&] { return columnText(schema, "TABLE_TYPE") == u"VIEW"; }))
            p.step(124, addRow);
        if (!p.step(126, [&] { schema.MoveNext(); }))
            break;
    }
}

}  // namespace foxpro
