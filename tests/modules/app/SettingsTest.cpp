// The per-user settings: where they live, what round-trips, and that each write is on disk.
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "modules/app/Settings.h"
#include "tests/support/TempSettings.h"

namespace {

using app::Setting;

TEST(Settings, WriteIsOnDiskInTheQuorvaneSectionAtOnce)
{
    testsupport::TempSettings settings;
    app::writeSetting(Setting::Text2, QStringLiteral("/data/free"));
    app::writeSetting(Setting::FoxproOption, QStringLiteral("2"));

    const std::string text = settings.fileText();
    EXPECT_NE(text.find("[Quorvane]"), std::string::npos) << text;
    EXPECT_NE(text.find("Text2=/data/free"), std::string::npos) << text;
    EXPECT_NE(text.find("FoxproOption=2"), std::string::npos) << text;
}

TEST(Settings, AbsentReadsDefaultButStoredEmptyReadsEmpty)
{
    testsupport::TempSettings settings;
    EXPECT_EQ(app::readSetting(Setting::FoxproOption), QString());
    EXPECT_EQ(app::readSetting(Setting::Text1, QStringLiteral("fallback")),
              QStringLiteral("fallback"));

    app::writeSetting(Setting::Text1, QString());
    EXPECT_EQ(app::readSetting(Setting::Text1, QStringLiteral("fallback")), QString());
}

TEST(Settings, PathsRoundTripWhateverTheyHold)
{
    testsupport::TempSettings settings;
    const QString paths[] = {
        QStringLiteral("/home/ann/Sales, 2021/orders.dbc"),
        QStringLiteral("/srv/a;b=c/free"),
        QStringLiteral("@Variant(not really)"),
        QStringLiteral("  leading and trailing  "),
        QStringLiteral("C:\\Data\\Free\\"),
        QStringLiteral("\"quoted\" [section] #hash"),
        QStringLiteral("Zürich/Ölfeld/€"),
    };
    for (const QString& path : paths) {
        app::writeSetting(Setting::Text2, path);
        EXPECT_EQ(app::readSetting(Setting::Text2), path);
    }
}

TEST(Settings, WriteThatCannotReachTheDiskThrows)
{
    testsupport::TempSettings settings;
    // A plain file where the Marrowind folder belongs: no permission trick, so root fails too.
    std::ofstream(settings.folder() / "Marrowind") << "in the way";
    EXPECT_THROW(app::writeSetting(Setting::Text1, QStringLiteral("/x")), std::runtime_error);
}

}  // namespace
