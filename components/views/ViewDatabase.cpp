// Defining a container's tables and views in SQLite as view SQL asks for them.
#include "components/views/ViewDatabase.h"

#include <algorithm>

#include "components/foxsql/FoxSqlTranslator.h"
#include "components/foxsql/TranslationError.h"
#include "components/rows/EngineCall.h"
#include "components/rows/ViewParameters.h"
#include "components/text/AsciiCase.h"
#include "components/views/SqliteFunctions.h"

namespace views {

namespace {

std::string baseName(const std::string& fileName)
{
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

sqlite3* setUpForViews(sqlite3* db, OverflowMarks& marks, TableModule& module)
{
    // A misspelt name in double quotes must be an error, not a text.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    execute(db, "PRAGMA case_sensitive_like = ON");  // FoxPro's LIKE tells cases apart
    check(db, registerSqliteFunctions(db, marks), "SQLite cannot take the FoxPro functions");
    module.registerOn(db);
    return db;
}

}  // namespace

// Our own set-up runs before the sandbox closes: its authorizer refuses PRAGMA and the like.
ViewDatabase::ViewDatabase(const vfp::Container& container)
    : mContainer(container),
      mDatabaseName(baseName(container.displayName())),
      mModule(mMarks),
      mDb(openMemoryDatabase()),
      mSandbox(setUpForViews(mDb.get(), mMarks, mModule))
{}

void ViewDatabase::setKeepGoing(rows::KeepGoing keepGoing)
{
    mKeepGoing = std::move(keepGoing);
    sqlite3_progress_handler(db(), kProgressSteps, mKeepGoing ? &ViewDatabase::progress : nullptr,
                             this);
}

// Called inside sqlite3_step: nothing may be thrown through SQLite.
int ViewDatabase::progress(void* self)
{
    auto* database = static_cast<ViewDatabase*>(self);
    bool keepGoing = false;
    try {
        keepGoing = database->mKeepGoing();
    } catch (...) {
        keepGoing = false;
    }
    database->mStopped = database->mStopped || !keepGoing;
    return database->mStopped ? 1 : 0;
}

const foxsql::SourceTable& ViewDatabase::defineView(const vfp::ContainerView& view)
{
    const std::string key = text::lowerAscii(view.name);
    if (const auto done = mSources.find(key); done != mSources.end())
        return done->second;
    if (std::any_of(mDefining.begin(), mDefining.end(), [&](const std::string& name) {
            return text::equalsIgnoringAsciiCase(name, key);
        }))
        throw foxsql::TranslationError("the view " + view.name + " reads itself, through " +
                                       mDefining.back());
    if (view.kind == vfp::ViewKind::Remote) {
        std::string server = "the connection " + view.connectionName;
        if (const vfp::ContainerConnection* connection =
                mContainer.findConnection(view.connectionName);
            connection != nullptr && !connection->dataSource.empty())
            server += " (data source " + connection->dataSource + ")";
        // The database component runs remote views through ODBC itself; here they could only
        // be read by a local view, which takes its rows from the container alone.
        const std::string whose = ", whose rows come from a server through " + server;
        throw foxsql::TranslationError(
            mDefining.empty() ? "it is a remote view" + whose + ", not from the container's tables"
                              : "it reads the remote view " + view.name + whose +
                                    "; a local view reads only tables and local views");
    }
    if (const std::string asked = rows::askedParameters(view); !asked.empty())
        throw foxsql::TranslationError((mDefining.empty() ? "it " : "the view " + view.name + " ") +
                                       asked);

    mDefining.push_back(view.name);
    foxsql::TranslatedSelect translated;
    try {
        translated = foxsql::translateFoxSql(view.sql, mDatabaseName, *this);
    } catch (const foxsql::TranslationError& error) {
        mDefining.pop_back();
        if (mDefining.empty())
            throw;
        throw foxsql::TranslationError("the view " + view.name +
                                       " it reads cannot be run: " + error.what());
    }
    mDefining.pop_back();

    // The container keeps the view's columns with their names and types (DataType); they
    // win where they agree with the SQL in number.
    foxsql::SourceTable source{view.name, translated.columns};
    if (view.fields.size() == source.columns.size()) {
        for (std::size_t i = 0; i < view.fields.size(); ++i) {
            const vfp::ViewField& field = view.fields[i];
            source.columns[i].name = text::lowerAscii(field.name);
            if (const auto type =
                    foxsql::parseDataType(field.properties.text(vfp::PropertyId::DataType)))
                source.columns[i].type = *type;
        }
    }
    std::string names;
    for (const foxsql::ResultColumn& column : source.columns)
        names += (names.empty() ? "" : ", ") + foxsql::quoteName(column.name);
    const std::string create =
        "CREATE TEMP VIEW " + foxsql::quoteName(view.name) + "(" + names + ") AS " + translated.sql;
    {
        const Sandbox::SetUp ours(mSandbox);
        check(db(), sqlite3_exec(db(), create.c_str(), nullptr, nullptr, nullptr),
              "SQLite cannot run the translated SQL of " + view.name);
    }
    mSandbox.admit(view.name);
    return mSources.emplace(key, std::move(source)).first->second;
}

const foxsql::SourceTable* ViewDatabase::find(std::string_view name)
{
    const std::string wanted(name);
    if (const auto done = mSources.find(text::lowerAscii(wanted)); done != mSources.end())
        return &done->second;
    if (const vfp::ContainerTable* table = mContainer.findTable(wanted)) {
        const vfp::Table opened = rows::fromEngine([&] { return mContainer.openTable(*table); });
        std::vector<foxsql::ResultColumn> columns;
        {
            const Sandbox::SetUp ours(mSandbox);
            columns = mModule.create(db(), table->name, opened);
        }
        mSandbox.admit(table->name);
        foxsql::SourceTable source{table->name, std::move(columns)};
        return &mSources.emplace(text::lowerAscii(table->name), std::move(source)).first->second;
    }
    if (const vfp::ContainerView* view = mContainer.findView(wanted))
        return &defineView(*view);
    return nullptr;
}

}  // namespace views
