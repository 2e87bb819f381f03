// A remote view stopped while the server works: told to stop, the statement is cancelled
// (SQLCancel from another thread) whether the driver is running the SQL or handing out rows,
// the recordset's Open throws Stopped within a moment, and the connection's next view runs.
#include <chrono>

#include <gtest/gtest.h>

#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "components/rows/KeepGoing.h"
#include "tests/support/OdbcSandbox.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"
#include "tests/support/Watchdog.h"

namespace {

using Clock = std::chrono::steady_clock;

struct StopCase
{
    std::string name;
    std::string sql;  // SQLite's own, which never ends
};

class RemoteStopTest : public testing::TestWithParam<StopCase>
{
};

TEST_P(RemoteStopTest, StopsWithinAMomentAndTheNextViewRuns)
{
    QUORVANE_REQUIRE_SQLITE_ODBC();
    testsupport::TempDir folder;
    const auto dbc = odbctest::writeRemote(folder.path(), {{"forever", "Shop", GetParam().sql},
                                                           {"ids", "Shop", "SELECT id FROM kept"}});
    database::Connection connection;
    connection.Open(dbtest::connectionString(dbc));
    connection.allowRemoteServers({connection.remoteUse(QStringLiteral("forever")).server});
    const Clock::time_point stopAt = Clock::now() + std::chrono::milliseconds(300);
    Clock::time_point firstNo;
    connection.keepGoing = [&] {
        if (Clock::now() < stopAt)
            return true;
        if (firstNo == Clock::time_point())
            firstNo = Clock::now();
        return false;
    };

    database::Recordset endless;
    {
        const testsupport::Watchdog watchdog("the remote view " + GetParam().name);
        EXPECT_THROW(endless.Open(QStringLiteral("SELECT * FROM `forever`"), connection),
                     rows::Stopped);
    }
    EXPECT_NE(firstNo, Clock::time_point());
    EXPECT_LT(Clock::now() - firstNo, std::chrono::seconds(1));
    EXPECT_EQ(endless.State(), 0);

    connection.keepGoing = [] { return true; };
    database::Recordset ids;
    ids.Open(QStringLiteral("SELECT * FROM `ids`"), connection);
    EXPECT_EQ(ids.RecordCount(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Sql, RemoteStopTest,
    testing::Values(
        // The driver runs it inside SQLExecDirect: only SQLCancel gets it out.
        StopCase{"counting_for_ever",
                 "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) "
                 "SELECT count(*) FROM c"},
        // Rows come for ever: the copy into the spool ends between two of them.
        StopCase{"rows_for_ever",
                 "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT x FROM c"},
        // Each row takes long to find: SQLFetch itself must be cancelled.
        StopCase{"searching_for_ever",
                 "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) "
                 "SELECT x FROM c WHERE x < 0"}),
    dbtest::CaseName{});

}  // namespace
