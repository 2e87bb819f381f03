// The tables a view reads, as SQLite virtual tables over the FoxPro engine: SQLite pulls rows
// as it needs them and only the fields it asks for are decoded; nothing is copied. Deleted
// records are skipped. Text fields compare ignoring trailing blanks (COLLATE RTRIM), as
// FoxPro's padded character fields do. Equality on a field (a join's inner side) is answered
// through a KeyIndex built the first time SQLite asks. A memo or general field longer than
// a view's value may be is handed out as a mark (OverflowMarks.h).
//
//   TableModule module{marks};           // must outlive the database
//   module.registerOn(db);
//   module.create(db, "Orders", table);  // now "SELECT ... FROM Orders" reads orders.dbf
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "components/foxsql/FoxSqlTranslator.h"
#include "components/vfp/Table.h"

struct sqlite3;

namespace views {

class OverflowMarks;

class TableModule
{
public:
    // marks: where values too long for a view become marks; must outlive the module.
    explicit TableModule(OverflowMarks& marks) : mMarks(marks) {}

    // Registers the module "vfp_table" on db. Throws DatabaseError when SQLite refuses.
    void registerOn(sqlite3* db);

    // Makes `table` a temporary table `name` of db and returns its columns: the field names in
    // lower case with their types. Throws DatabaseError when SQLite refuses the name.
    std::vector<foxsql::ResultColumn> create(sqlite3* db, const std::string& name,
                                             const vfp::Table& table);

    // Used by the module's callbacks: the tables created, by number.
    const vfp::Table& table(std::size_t index) const { return mTables.at(index); }
    std::size_t tableCount() const { return mTables.size(); }
    OverflowMarks& marks() const { return mMarks; }

private:
    OverflowMarks& mMarks;
    std::deque<vfp::Table> mTables;
};

}  // namespace views
