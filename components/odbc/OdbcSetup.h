// What this machine's ODBC set-up offers, as the driver manager lists it: the data sources
// (user and system) and the drivers registered by name. A remote view reaches only these.
#pragma once

#include <string>
#include <vector>

namespace odbc {

struct RegisteredDriver
{
    std::string name;     // its section in odbcinst.ini, e.g. "SQLite3"
    std::string library;  // its Driver= entry, e.g. "libsqlite3odbc.so"; "" when it has none
};

struct OdbcSetup
{
    std::vector<std::string> dataSources;   // names, as SQLDataSources lists them
    std::vector<RegisteredDriver> drivers;  // as SQLDrivers lists them

    // Asks the driver manager (SQLDataSources, SQLDrivers). Throws DatabaseError "CONTEXT:
    // REASON." when it cannot start.
    static OdbcSetup read(const std::string& context);

    // The listed data source named `name` ignoring ASCII case, or null.
    const std::string* findDataSource(const std::string& name) const;
    // The listed driver named `name` ignoring ASCII case, or null.
    const RegisteredDriver* findDriver(const std::string& name) const;
};

}  // namespace odbc
