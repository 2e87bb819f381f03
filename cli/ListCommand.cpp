// list SOURCE: the tables the windows would offer. A container gives its tables rowset,
// "TABLE<TAB>name" or "VIEW<TAB>name"; a folder gives the catalogue's items,
// "TABLE<TAB>item text<TAB>path relative to the folder" (the name dump takes).
#include <stdexcept>
#include <vector>

#include "app/MessageBox.h"
#include "cli/Command.h"
#include "cli/Output.h"
#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "foxpro/ConnectionSettings.h"
#include "foxpro/Foxpro.h"
#include "foxpro/TableList.h"

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

// The catalogue reports its failures through the message box (on standard error here);
// counting them lets the command fail instead of printing a partial list as success.
class CountingBox : public app::MessageBox
{
public:
    explicit CountingBox(app::MessageBox& shown) : mShown(shown) {}
    void show(const QString& text, int style, const QString& title) override
    {
        ++mShownCount;
        mShown.show(text, style, title);
    }
    int shownCount() const { return mShownCount; }

private:
    app::MessageBox& mShown;
    int mShownCount = 0;
};

void listFolder(const QString& source, Output& out)
{
    // The catalogue would report a folder it cannot open in a box of several lines; opening
    // it here first turns the usual failure into the command's one-line error.
    database::Connection connection;
    connection.Open(connectionStringFor(source));
    connection.Close();

    foxpro::ConnectionSettings settings;
    settings.option1 = false;
    settings.text2 = source;
    PrintedList list;
    CountingBox box(app::messageBox());
    struct Installed
    {
        explicit Installed(app::MessageBox* b) { app::setMessageBox(b); }
        ~Installed() { app::setMessageBox(nullptr); }
    } installed(&box);
    foxpro::AddTablesToFoxproListbox(list, connectionStringFor(source), settings);
    if (box.shownCount() > 0)
        throw std::runtime_error("the tables of " + source.toStdString() +
                                 " could not all be listed (see the report above)");
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
