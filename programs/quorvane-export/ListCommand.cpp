// list SOURCE: the tables the windows would offer. A container gives its tables rowset,
// "TABLE<TAB>name" or "VIEW<TAB>name"; a folder gives the catalogue's items,
// "TABLE<TAB>item text<TAB>path relative to the folder" (the name dump takes).
#include <stdexcept>
#include <vector>

#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "components/files/FileName.h"
#include "modules/foxpro/Foxpro.h"
#include "modules/foxpro/TableList.h"
#include "programs/quorvane-export/Command.h"
#include "programs/quorvane-export/OneLineReports.h"
#include "programs/quorvane-export/Output.h"

namespace cli {

namespace {

// One field of a line: a backslash, tab, carriage return or line break inside a name is written
// \\, \t, \r or \n, so every table stays one line of tab-separated fields. A file name's bytes
// are written as they are, valid UTF-8 or not, so the name can be given back to dump.
std::string field(const QString& name)
{
    std::string escaped;
    for (const char c : files::fileNameBytes(name)) {
        switch (c) {
            case '\\':
                escaped += "\\\\";
                break;
            case '\t':
                escaped += "\\t";
                break;
            case '\r':
                escaped += "\\r";
                break;
            case '\n':
                escaped += "\\n";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

void listContainer(const QString& source, const SourceOptions& options, Output& out)
{
    const std::unique_ptr<database::Recordset> schema =
        openSource(source, options)->OpenSchema(database::adSchemaTables);
    for (; !schema->Eof(); schema->MoveNext()) {
        out.append(database::toText(schema->Fields(QStringLiteral("TABLE_TYPE")).Value()));
        out.append('\t');
        out.append(field(QString::fromStdString(
            database::toText(schema->Fields(QStringLiteral("TABLE_NAME")).Value()))));
        out.append('\n');
    }
}

void listFolder(const QString& source, const SourceOptions& options, Output& out)
{
    foxpro::TableList tables;
    OneLineReports reports;
    if (!listCatalogue(source, options, tables, reports).empty())
        throw std::runtime_error("the tables of " + source.toStdString() +
                                 " could not all be listed");
    for (const foxpro::TableItem& table : tables) {
        out.append("TABLE\t");
        out.append(field(table.text));
        out.append('\t');
        out.append(field(table.query));
        out.append('\n');
    }
}

}  // namespace

int runList(const QStringList& arguments, const SourceOptions& options)
{
    const QString& source = arguments.at(0);
    Output out;
    if (isContainerPath(source))
        listContainer(source, options, out);
    else
        listFolder(source, options, out);
    out.finish();
    return 0;
}

}  // namespace cli
