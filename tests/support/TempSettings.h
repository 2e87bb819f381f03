// Gives each test empty per-user settings in a private folder, never the user's own.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/TempDir.h"

namespace testsupport {

// Qt reads XDG_CONFIG_HOME once per process, at the first settings access, so the variable is
// set while the test binary starts (before main) to one folder for the whole run.
inline const std::filesystem::path& settingsHome()
{
    static const TempDir home;
    return home.path();
}

inline const bool kSettingsHomeSet = [] {
    return ::setenv("XDG_CONFIG_HOME", settingsHome().c_str(), 1) == 0;
}();

// Empties the settings on construction and again on destruction.
class TempSettings
{
public:
    TempSettings() { clear(); }
    ~TempSettings() { clear(); }
    TempSettings(const TempSettings&) = delete;
    TempSettings& operator=(const TempSettings&) = delete;

    const std::filesystem::path& folder() const { return settingsHome(); }
    std::filesystem::path file() const { return folder() / "Marrowind" / "Quorvane.conf"; }

    // The settings file as it is on disk now ("" when it does not exist).
    std::string fileText() const
    {
        std::ifstream in(file(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    void clear() const
    {
        std::error_code error;
        std::filesystem::remove_all(folder() / "Marrowind", error);
    }
};

}  // namespace testsupport
