// A container from a stranger, whose remote views name a library shipped beside it in every way
// the driver manager and Debian's drivers would load it, write files, set the environment,
// overflow a buffer, override the user's own data source or run a second statement: each view
// is refused before the driver manager sees it, with a message naming what was refused, even
// when its server is allowed. The library's marker file never appears, no file is created, the
// environment and the user's data stay as they were, and nothing crashes.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "components/database/Connection.h"
#include "components/database/Recordset.h"
#include "components/rows/DatabaseError.h"
#include "tests/support/OdbcSandbox.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

// The working folder for the length of a case, so "./x.so" names the library beside the
// container, as it would for a program started in the container's folder.
class WorkingFolder
{
public:
    explicit WorkingFolder(const std::filesystem::path& folder)
        : mBefore(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(mBefore); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::filesystem::path mBefore;
};

std::set<std::filesystem::path> filesIn(const std::filesystem::path& folder)
{
    std::set<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        files.insert(entry.path());
    return files;
}

// DIR in a text stands for the container's folder.
std::string inFolder(std::string text, const std::filesystem::path& folder)
{
    for (std::size_t at = text.find("DIR"); at != std::string::npos; at = text.find("DIR", at))
        text.replace(at, 3, folder.string());
    return text;
}

struct AttackCase
{
    std::string name;
    std::string connectString;  // of the connection Evil; DIR: the folder with x.so, evil.dsn
    std::string sql;            // of the view v
    std::string refusal;        // after "The view v of remote.dbc cannot be opened: "
};

class StrangerContainerTest : public testing::TestWithParam<AttackCase>
{
protected:
    void SetUp() override
    {
        QUORVANE_REQUIRE_SQLITE_ODBC();
        std::filesystem::copy_file(QUORVANE_MARKER_LIBRARY, folder.path() / "x.so");
        std::ofstream(folder.path() / "evil.dsn") << "[ODBC]\nDRIVER=" << library() << "\n";
        setenv("QUORVANE_MARKER", marker().c_str(), 1);
    }

    std::string library() const { return (folder.path() / "x.so").string(); }
    std::filesystem::path marker() const { return markers.path() / "loaded"; }

    testsupport::TempDir folder;   // the container and what came with it
    testsupport::TempDir markers;  // where the library would leave its mark
};

TEST_P(StrangerContainerTest, RefusedBeforeTheDriverManagerSeesIt)
{
    const AttackCase& attack = GetParam();
    const std::filesystem::path dbc =
        odbctest::writeRemote(folder.path(), {{"v", "Evil", attack.sql}},
                              {{"Evil", inFolder(attack.connectString, folder.path())}});
    const std::set<std::filesystem::path> before = filesIn(folder.path());
    const WorkingFolder working(folder.path());

    database::Connection connection;
    connection.Open(dbtest::connectionString(dbc));
    const database::RemoteUse use = connection.remoteUse(QStringLiteral("v"));
    EXPECT_TRUE(use.remote);
    const std::string refusal =
        "The view v of remote.dbc cannot be opened: " + inFolder(attack.refusal, folder.path());
    EXPECT_EQ(use.refusal, refusal);
    // Even a caller that allows whatever the view names gets the refusal.
    connection.allowRemoteServers({use.server});
    database::Recordset records;
    try {
        records.Open(QStringLiteral("SELECT * FROM `v`"), connection, 3, 1);
        ADD_FAILURE() << "the view opened";
    } catch (const rows::DatabaseError& error) {
        EXPECT_EQ(error.what(), refusal);
    }

    EXPECT_FALSE(std::filesystem::exists(marker())) << "the container's library was loaded";
    EXPECT_EQ(filesIn(folder.path()), before) << "a file was created";
    EXPECT_EQ(std::getenv("QUORVANE_INJECTED"), nullptr) << "the environment was changed";
    EXPECT_EQ(odbctest::countRows("kept"), 3) << "the user's data was changed";
}

const std::string kNotAPath = ", a path; only drivers registered by name in odbcinst.ini are used.";

INSTANTIATE_TEST_SUITE_P(
    Attacks, StrangerContainerTest,
    testing::Values(
        AttackCase{"driver_as_a_path", "DRIVER=DIR/x.so", "SELECT 1",
                   "its connection Evil names the driver DIR/x.so" + kNotAPath},
        AttackCase{"driver_relative_to_the_working_folder", "DRIVER=./x.so", "SELECT 1",
                   "its connection Evil names the driver ./x.so" + kNotAPath},
        AttackCase{"driver_path_in_braces", "DRIVER={DIR/x.so}", "SELECT 1",
                   "its connection Evil names the driver DIR/x.so" + kNotAPath},
        AttackCase{"file_dsn_whose_driver_is_a_path", "FILEDSN=DIR/evil.dsn", "SELECT 1",
                   "its connection Evil sets FILEDSN, which names a file DSN, whose driver may "
                   "be any library."},
        AttackCase{"sqlite_extension_beside_the_registered_driver",
                   "DRIVER=Quorvane SQLite;LoadExt=DIR/x.so", "SELECT 1",
                   "its connection Evil sets LoadExt, which loads a library."},
        AttackCase{"driver_manager_sets_the_environment",
                   "DRIVER=Quorvane SQLite;DMEnvAttr=SQL_ATTR_UNIXODBC_ENVATTR={QUORVANE_"
                   "INJECTED=1}",
                   "SELECT 1",
                   "its connection Evil sets DMEnvAttr, which is read by the driver manager "
                   "itself, which can set environment variables, load libraries and write trace "
                   "files from it."},
        AttackCase{"save_file_written", "DRIVER=Quorvane SQLite;SAVEFILE=DIR/saved.dsn", "SELECT 1",
                   "its connection Evil sets SAVEFILE, which makes the driver write a file."},
        AttackCase{"sqlite_database_file_created", "DRIVER=Quorvane SQLite;Database=DIR/made.db",
                   "SELECT 1",
                   "its connection Evil sets Database, which names the database file the SQLite "
                   "driver opens or creates."},
        AttackCase{"connect_string_of_6000_bytes",
                   "DSN=quorvane_shop;FILEDSN=/" + std::string(6000, 'a'), "SELECT 1",
                   "its connection Evil has a connect string of 6027 bytes; Quorvane sends none "
                   "over 1024."},
        AttackCase{"override_of_the_users_data_source", "DSN=quorvane_shop;Database=DIR/other.db",
                   "SELECT 1",
                   "its connection Evil sets Database beside the data source quorvane_shop; "
                   "nothing may override a data source's own settings."},
        AttackCase{"second_statement_empties_a_table", "DSN=quorvane_shop",
                   "COMMIT; DELETE FROM kept; COMMIT; SELECT 1",
                   "its SQL is more than one statement: standard SQL reads a \";\" outside "
                   "quotes and comments at character 7; only one statement is sent."}),
    dbtest::CaseName{});

// The marker works: loaded for real, the library leaves its file, so the cases above would see
// a load.
TEST(MarkerLibrary, LeavesItsMarkWhenLoaded)
{
    const testsupport::TempDir markers;
    const std::filesystem::path marker = markers.path() / "loaded";
    setenv("QUORVANE_MARKER", marker.c_str(), 1);
    void* handle = dlopen(QUORVANE_MARKER_LIBRARY, RTLD_NOW);
    ASSERT_NE(handle, nullptr) << dlerror();
    dlclose(handle);
    EXPECT_TRUE(std::filesystem::exists(marker));
}

}  // namespace
