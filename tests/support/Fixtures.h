// Where the real FoxPro fixture files are, and a guard that skips a test when they are absent.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// Folder of the real fixtures (shared/fixtures/real beside the clone).
std::filesystem::path fixturesDir();

// Path of one fixture file below fixturesDir().
std::filesystem::path fixture(const std::string& relative);

// True when the fixtures folder exists.
bool haveFixtures();

}  // namespace testsupport

// Skips the current test, saying why, when a clone has no shared fixtures beside it.
#define QUORVANE_REQUIRE_FIXTURES()                                                         \
    do {                                                                                    \
        if (!testsupport::haveFixtures())                                                   \
            GTEST_SKIP() << "no shared fixtures at " << testsupport::fixturesDir().string() \
                         << " (this clone has no ../shared beside it)";                     \
    } while (0)
