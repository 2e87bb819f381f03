// "quorvane-export dump" on views, as a user runs it: a local view dumps its rows, a remote
// one whose data source is not defined fails with one line naming it.
#include <QStringList>

#include <gtest/gtest.h>

#include "tests/components/views/ViewTestSupport.h"
#include "tests/support/NoOdbcDataSources.h"
#include "tests/support/RunCommand.h"
#include "tests/support/TempDir.h"

namespace {

#ifdef QUORVANE_EXPORT_BINARY

using Outcome = testsupport::CommandOutcome;

Outcome dump(const std::filesystem::path& dbc, const char* view)
{
    return testsupport::runCommand(
        QStringLiteral(QUORVANE_EXPORT_BINARY),
        {QStringLiteral("dump"), QString::fromStdString(dbc.string()), QString::fromLatin1(view)});
}

TEST(DumpView, WritesTheViewsRowsAndFailsOnceForARemoteView)
{
    testsupport::useNoOdbcDataSources();
    testsupport::TempDir folder;
    const auto dbc = viewtest::writeShop(
        folder.path(), {{"spenders",
                         "SELECT TOP 1 ALLTRIM(p.name) AS who, SUM(o.amount) AS spent "
                         "FROM people p JOIN orders o ON o.person = p.id "
                         "GROUP BY 1 ORDER BY 2 DESC"}});
    const Outcome local = dump(dbc, "spenders");
    EXPECT_EQ(local.status, 0) << local.err;
    EXPECT_EQ(local.out,
              "{\"fields\":[{\"name\":\"who\",\"type\":129},{\"name\":\"spent\",\"type\":6}],"
              "\"count\":1}\n[\"Tom\",\"350.5\"]\n");

    {
        vfpwriter::ContainerWriter remote(folder.path() / "remote.dbc");
        remote.addConnection("Server", "Source");
        remote.addView("far", "SELECT a FROM t", {{"a", "I", ""}}, "Server");
        remote.close();
    }
    const Outcome far = dump(folder.path() / "remote.dbc", "far");
    EXPECT_NE(far.status, 0);
    EXPECT_TRUE(far.out.empty()) << far.out;
    EXPECT_EQ(std::count(far.err.begin(), far.err.end(), '\n'), 1) << far.err;
    EXPECT_NE(far.err.find("The view far of remote.dbc cannot be opened: its connection Server "
                           "names the data source Source, which is not defined on this machine"),
              std::string::npos)
        << far.err;
}

#endif

}  // namespace
