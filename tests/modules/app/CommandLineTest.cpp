// The window program's command line: one optional PATH, --version and --help wherever they
// stand, and a clear refusal of anything else.
#include <gtest/gtest.h>

#include "modules/app/CommandLine.h"

namespace {

using Action = app::CommandLine::Action;

struct LineCase
{
    const char* name;
    QStringList arguments;
    Action action;
    QString path;
    QString problem;
};

class CommandLine : public testing::TestWithParam<LineCase>
{
};

TEST_P(CommandLine, readsAsTheManualPageSays)
{
    const LineCase& c = GetParam();
    const app::CommandLine line = app::readCommandLine(c.arguments);
    EXPECT_EQ(line.action, c.action);
    EXPECT_EQ(line.path, c.path);
    EXPECT_EQ(line.problem, c.problem);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLine,
    testing::Values(
        LineCase{"nothing", {}, Action::Run, {}, {}},
        LineCase{"a_container", {"/data/shop.dbc"}, Action::Run, "/data/shop.dbc", {}},
        LineCase{"a_path_with_spaces", {"/data/my tables"}, Action::Run, "/data/my tables", {}},
        LineCase{"version", {"--version"}, Action::ShowVersion, {}, {}},
        LineCase{"version_after_a_path", {"/data", "--version"}, Action::ShowVersion, {}, {}},
        LineCase{"version_beats_a_wrong_option",
                 {"--frobnicate", "--version"},
                 Action::ShowVersion,
                 {},
                 {}},
        LineCase{"help", {"--help"}, Action::ShowHelp, {}, {}},
        LineCase{"short_help", {"-h"}, Action::ShowHelp, {}, {}},
        LineCase{
            "a_path_starting_with_a_dash", {"--", "-old tables"}, Action::Run, "-old tables", {}},
        LineCase{"version_after_the_end_of_options_is_a_path",
                 {"--", "--version"},
                 Action::Run,
                 "--version",
                 {}},
        LineCase{"a_lone_dash_is_a_path", {"-"}, Action::Run, "-", {}},
        LineCase{"unknown_option",
                 {"--frobnicate", "/data"},
                 Action::Refuse,
                 {},
                 "unknown option --frobnicate"},
        LineCase{
            "two_paths", {"/data/a", "/data/b"}, Action::Refuse, {}, "one PATH at most, not 2"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
