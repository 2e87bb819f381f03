// Fixture lookup for tests.
#include "tests/support/Fixtures.h"

#include <gtest/gtest.h>

namespace testsupport {

std::filesystem::path fixturesDir()
{
    return std::filesystem::path(QUORVANE_FIXTURES).lexically_normal();
}

std::filesystem::path fixture(const std::string& relative)
{
    return fixturesDir() / relative;
}

bool haveFixtures()
{
    std::error_code ec;
    return std::filesystem::is_directory(fixturesDir(), ec);
}

}  // namespace testsupport
