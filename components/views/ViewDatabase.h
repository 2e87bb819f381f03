// The SQLite database a view runs in: private, in memory, one per opened view, fenced in by a
// Sandbox. The container's tables appear in it as virtual tables and its views as SQLite
// views, each made the first time a view's SQL names it, so a view over views runs as one
// query.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "components/foxsql/FoxSqlTranslator.h"
#include "components/rows/KeepGoing.h"
#include "components/vfp/Container.h"
#include "components/views/OverflowMarks.h"
#include "components/views/Sandbox.h"
#include "components/views/Sqlite.h"
#include "components/views/TableModule.h"

namespace views {

class ViewDatabase : public foxsql::SchemaLookup
{
public:
    // Throws DatabaseError when SQLite cannot be set up.
    explicit ViewDatabase(const vfp::Container& container);

    // Makes `view` an SQLite view of the same name and returns it. Throws TranslationError
    // when the view is remote, takes parameters, names itself, or its SQL (or that of a view
    // it names) cannot be translated; DatabaseError when a table it reads cannot be opened.
    const foxsql::SourceTable& defineView(const vfp::ContainerView& view);

    // SchemaLookup: a table or view of the container, made on first use.
    const foxsql::SourceTable* find(std::string_view name) override;

    sqlite3* db() const { return mDb.get(); }
    OverflowMarks& marks() { return mMarks; }

    // From now on SQLite asks keepGoing every kProgressSteps steps of its virtual machine
    // while a statement runs, and interrupts the statement when it says to stop.
    void setKeepGoing(rows::KeepGoing keepGoing);
    // True once keepGoing said to stop: the statement's failure is a stop.
    bool stopped() const { return mStopped; }

    // Steps of SQLite's virtual machine between two questions: some tens of microseconds.
    static constexpr int kProgressSteps = 1000;

private:
    static int progress(void* self);

    vfp::Container mContainer;
    std::string mDatabaseName;
    OverflowMarks mMarks;  // before mModule and mDb: both make marks until the database closes
    TableModule mModule;   // before mDb: the database closes first
    SqliteDb mDb;
    Sandbox mSandbox;
    rows::KeepGoing mKeepGoing;
    bool mStopped = false;
    std::map<std::string, foxsql::SourceTable> mSources;  // by lower-case name
    std::vector<std::string> mDefining;                   // views being defined, outermost first
};

}  // namespace views
