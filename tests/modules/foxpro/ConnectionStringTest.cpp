// The connection string rule: which path, which collating sequence, the path as it stands.
#include <gtest/gtest.h>

#include "modules/foxpro/ConnectionSettings.h"

namespace {

struct StringCase
{
    const char* name;
    bool isContainer;
    const char* containerPath;
    const char* folderPath;
    const char* expected;
};

class ConnectionString : public testing::TestWithParam<StringCase>
{
};

TEST_P(ConnectionString, isBuiltFromTheChosenKindAndItsPathAlone)
{
    const StringCase& c = GetParam();
    foxpro::ConnectionSettings settings;
    settings.isContainer = c.isContainer;
    settings.containerPath = QString::fromUtf8(c.containerPath);
    settings.folderPath = QString::fromUtf8(c.folderPath);
    EXPECT_EQ(foxpro::BuildFoxproConnectionString(settings), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rule, ConnectionString,
    testing::Values(
        StringCase{"container_empty_path", true, "", "/data/free",
                   "Provider=vfpoledb.1;Data Source=;Collating Sequence=machine;"},
        StringCase{"container_ignores_folder_path", true, "/data/nw.dbc", "/data/free",
                   "Provider=vfpoledb.1;Data Source=/data/nw.dbc;Collating Sequence=machine;"},
        StringCase{"folder_ignores_container_path", false, "/data/nw.dbc", "/data/free",
                   "Provider=vfpoledb.1;Data Source=/data/free;Collating Sequence=general;"},
        StringCase{"folder_empty_path", false, "/data/nw.dbc", "",
                   "Provider=vfpoledb.1;Data Source=;Collating Sequence=general;"},
        StringCase{"semicolon_kept", true, "/data/a;b.dbc", "",
                   "Provider=vfpoledb.1;Data Source=/data/a;b.dbc;Collating Sequence=machine;"},
        StringCase{"spaces_kept_untrimmed", false, "", " /my data/ ",
                   "Provider=vfpoledb.1;Data Source= /my data/ ;Collating Sequence=general;"},
        StringCase{"trailing_backslash_kept", false, "", "C:\\Data\\Free\\",
                   "Provider=vfpoledb.1;Data Source=C:\\Data\\Free\\;Collating Sequence=general;"},
        StringCase{"trailing_slash_and_case_kept", false, "", "/Data/FREE/",
                   "Provider=vfpoledb.1;Data Source=/Data/FREE/;Collating Sequence=general;"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
