// quorvane as a script or the desktop starts it: --version and --help answer without a display,
// and wrong arguments are refused on standard error before any window opens.
#include <cstdlib>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/RunCommand.h"

namespace {

using Outcome = testsupport::CommandOutcome;

// Sets an environment variable (or removes it) for the guard's lifetime.
class Environment
{
public:
    Environment(const char* name, std::optional<std::string> value) : mName(name)
    {
        if (const char* old = std::getenv(name))
            mOld = old;
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    ~Environment() { mOld ? ::setenv(mName, mOld->c_str(), 1) : ::unsetenv(mName); }
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

private:
    const char* mName;
    std::optional<std::string> mOld;
};

Outcome run(const QStringList& arguments)
{
    return testsupport::runCommand(QStringLiteral(QUORVANE_BINARY), arguments, 60'000);
}

TEST(Program, versionAndHelpAnswerWithoutADisplay)
{
    const Environment noX("DISPLAY", std::nullopt);
    const Environment noWayland("WAYLAND_DISPLAY", std::nullopt);
    const Environment noPlatform("QT_QPA_PLATFORM", std::nullopt);
    const Outcome version = run({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out, "quorvane " QUORVANE_PROJECT_VERSION "\n");

    const Outcome help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_EQ(help.out.rfind("Usage: quorvane [PATH]\n", 0), 0u) << help.out;

    const Outcome start = run({});
    EXPECT_EQ(start.status, 1);
    EXPECT_NE(start.err.find("needs a display"), std::string::npos) << start.err;
}

TEST(Program, wrongArgumentsAreRefusedInOneLine)
{
    const Environment offscreen("QT_QPA_PLATFORM", std::string("offscreen"));
    struct Case
    {
        const char* name;
        QStringList arguments;
        std::string line;
    };
    const Case cases[] = {
        {"unknown_option",
         {"--frobnicate"},
         "quorvane: unknown option --frobnicate; see quorvane --help"},
        {"two_paths",
         {"/data/a", "/data/b"},
         "quorvane: one PATH at most, not 2; see quorvane --help"},
        // Qt's own options are Qt's: what is left after them is the program's.
        {"after_a_qt_option",
         {"-platform", "offscreen", "/data/a", "/data/b"},
         "quorvane: one PATH at most, not 2; see quorvane --help"},
    };
    for (const Case& c : cases) {
        const Outcome result = run(c.arguments);
        EXPECT_EQ(result.status, 2) << c.name;
        EXPECT_EQ(result.out, "") << c.name;
        // Qt may warn about the session first (no XDG_RUNTIME_DIR); the program's own word is
        // the last line.
        ASSERT_FALSE(result.errorLines().empty()) << c.name;
        EXPECT_EQ(result.errorLines().back(), c.line) << c.name;
    }
}

}  // namespace
