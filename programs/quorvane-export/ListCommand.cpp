// list SOURCE: the tables the windows would offer. A container gives its tables rowset,
// "TABLE<TAB>name" or "VIEW<TAB>name"; a folder gives the catalogue's items,
// "TABLE<TAB>item text<TAB>path relative to the folder" (the name dump takes).
#include <stdexcept>
#include <vector>

#include "programs/quorvane-export/Command.h"
#include "programs/quorvane-export/OneLineReports.h"
#include "programs/quorvane-export/Output.h"
#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "modules/foxpro/Foxpro.h"
#include "modules/foxpro/TableList.h"

namespace cli {

namespace {

void listContainer(const QString& source, Output& out)
{
    database::Connection connection;
    connection.Open(connectionStringFor(source));
    const std::unique_ptr<database::Recordset> schema =
        connection.OpenSchema(database::adSchemaTables);
    for (; !schema->Eof(); schema->MoveNext()) {
        out.append(database::toText(schema->Fields(QStringLiteral("TABLE_TYPE")).Value()));
        out.append('\t');
        out.append(database::toText(schema->Fields(QStringLiteral("TABLE_NAME")).Value()));
        out.append('\n');
    }
}

class PrintedList : public foxpro::TableList
{
public:
    void clear() override { mLines.clear(); }
    void addItem(const QString& text, const QString& query) override
    {
        mLines.push_back(QStringLiteral("TABLE\t") + text + QLatin1Char('\t') + query);
    }
    const std::vector<QString>& lines() const { return mLines; }

private:
    std::vector<QString> mLines;
};

void listFolder(const QString& source, Output& out)
{
    openSourceOnce(source);

    PrintedList list;
    OneLineReports reports;
    foxpro::AddTablesToFoxproListbox(list, connectionStringFor(source), settingsFor(source));
    if (reports.shown() > 0)
        throw std::runtime_error("the tables of " + source.toStdString() +
                                 " could not all be listed");
    for (const QString& line : list.lines()) {
        out.append(line.toStdString());
        out.append('\n');
    }
}

}  // namespace

int runList(const QStringList& arguments)
{
    const QString& source = arguments.at(0);
    Output out;
    if (isContainerPath(source))
        listContainer(source, out);
    else
        listFolder(source, out);
    out.finish();
    return 0;
}

}  // namespace cli
