// Parsing the provider connection string, whose path is never quoted.
#include <gtest/gtest.h>

#include "tests/support/TableSupport.h"

#include "components/database/ConnectionString.h"
#include "components/rows/DatabaseError.h"

namespace {

struct Accepted
{
    const char* name;
    const char* text;
    const char* dataSource;
    const char* collating;
};

class ConnectionStringAccepted : public testing::TestWithParam<Accepted>
{
};

TEST_P(ConnectionStringAccepted, SplitsPathAndCollatingSequence)
{
    const database::ConnectionString parts =
        database::parseConnectionString(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(parts.dataSource.toStdString(), GetParam().dataSource);
    EXPECT_EQ(parts.collatingSequence.toStdString(), GetParam().collating);
}

INSTANTIATE_TEST_SUITE_P(
    Parse, ConnectionStringAccepted,
    testing::Values(
        Accepted{"container",
                 "Provider=vfpoledb.1;Data Source=/data/shop.dbc;Collating Sequence=machine;",
                 "/data/shop.dbc", "machine"},
        Accepted{
            "folder_with_spaces_and_trailing_slash",
            "Provider=vfpoledb.1;Data Source=/my data/free tables/;Collating Sequence=general;",
            "/my data/free tables/", "general"},
        Accepted{"path_holding_semicolons",
                 "Provider=vfpoledb.1;Data Source=/a;b/c;d;Collating Sequence=general;", "/a;b/c;d",
                 "general"},
        Accepted{
            "path_holding_the_collating_key",
            "Provider=vfpoledb.1;Data Source=/x;Collating Sequence=y/z;Collating Sequence=general;",
            "/x;Collating Sequence=y/z", "general"},
        Accepted{"path_holding_data_source_key",
                 "Provider=vfpoledb.1;Data Source=/Data Source=1;Collating Sequence=machine;",
                 "/Data Source=1", "machine"},
        Accepted{"keys_in_other_case",
                 "PROVIDER=VFPOLEDB.1;data source=/d;collating sequence=general", "/d", "general"},
        Accepted{"provider_without_version",
                 "Provider=vfpoledb;Data Source=/d;Collating Sequence=general;", "/d", "general"},
        Accepted{"utf8_path",
                 "Provider=vfpoledb.1;Data Source=/données/été;Collating Sequence=general;",
                 "/données/été", "general"}),
    dbtest::CaseName());

struct Refused
{
    const char* name;
    const char* text;
    const char* mentions;  // part of the description that says what is wrong
};

class ConnectionStringRefused : public testing::TestWithParam<Refused>
{
};

TEST_P(ConnectionStringRefused, SaysWhatIsWrong)
{
    try {
        database::parseConnectionString(QString::fromUtf8(GetParam().text));
        FAIL() << "accepted " << GetParam().text;
    } catch (const rows::DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().mentions), std::string::npos)
            << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Parse, ConnectionStringRefused,
    testing::Values(
        Refused{"empty", "", "Provider="},
        Refused{"no_provider", "Data Source=/d;Collating Sequence=general;", "Provider="},
        Refused{"other_provider", "Provider=sqloledb;Data Source=/d;Collating Sequence=general;",
                "provider other than"},
        Refused{"provider_only", "Provider=vfpoledb.1", "nothing after the provider"},
        Refused{"no_data_source", "Provider=vfpoledb.1;Collating Sequence=general;",
                "Data Source="},
        Refused{"empty_data_source", "Provider=vfpoledb.1;Data Source=;Collating Sequence=machine;",
                "no data source"},
        Refused{"no_collating_sequence", "Provider=vfpoledb.1;Data Source=/d;",
                "Collating Sequence="},
        Refused{"empty_collating_sequence",
                "Provider=vfpoledb.1;Data Source=/d;Collating Sequence=;", "no collating sequence"},
        Refused{"text_after_collating_sequence",
                "Provider=vfpoledb.1;Data Source=/d;Collating Sequence=general;Password=x;",
                "after the collating sequence"}),
    dbtest::CaseName());

}  // namespace
