// list SOURCE: the tables the windows would offer. A container gives its tables rowset,
// "TABLE<TAB>name" or "VIEW<TAB>name"; a folder gives the catalogue's items,
// "TABLE<TAB>item text<TAB>path relative to the folder" (the name dump takes); a .dbf file the
// one item its folder's catalogue lists for it.
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
#include "programs/quorvane-export/TerminalText.h"

namespace cli {

namespace {

// One field of a line: a backslash, tab, carriage return or line break inside a name is written
// \\, \t, \r or \n, so every table stays one line of tab-separated fields, and any other
// control character \xHH per byte, so no name drives the terminal. A file name's other bytes
// are written as they are, valid UTF-8 or not, so the name can be given back to dump.
std::string field(const QString& name)
{
    const QByteArray bytes = files::fileNameBytes(name);
    const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    std::string escaped;
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\\' || c == '\t' || c == '\r' || c == '\n') {
            escaped += '\\';
            escaped += c == '\t' ? 't' : c == '\r' ? 'r' : c == '\n' ? 'n' : '\\';
            ++i;
        } else if (const std::size_t length = controlLength(text, i)) {
            appendHexEscapes(escaped, text, i, length);
            i += length;
        } else {
            escaped += c;
            ++i;
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

void appendItem(const foxpro::TableItem& table, Output& out)
{
    out.append("TABLE\t");
    out.append(field(table.text));
    out.append('\t');
    out.append(field(table.query));
    out.append('\n');
}

void listFolder(const QString& source, const SourceOptions& options, Output& out)
{
    foxpro::TableList tables;
    OneLineReports reports;
    if (!listCatalogue(source, options, tables, reports).empty())
        throw std::runtime_error("the tables of " + source.toStdString() +
                                 " could not all be listed");
    for (const foxpro::TableItem& table : tables)
        appendItem(table, out);
}

}  // namespace

int runList(const QStringList& arguments, const SourceOptions& options)
{
    const QString& source = arguments.at(0);
    Output out;
    if (isContainerPath(source)) {
        listContainer(source, options, out);
    } else if (const std::optional<foxpro::TableItem> table = sourceTable(source)) {
        openSource(source, options);  // its folder, so one that cannot be read fails here
        appendItem(*table, out);
    } else {
        listFolder(source, options, out);
    }
    out.finish();
    return 0;
}

}  // namespace cli
