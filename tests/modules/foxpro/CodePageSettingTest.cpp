// The code page of tables without a code-page mark, as a user names it: in the settings file,
// edited by hand, or on quorvane-export's command line.
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>

#include <gtest/gtest.h>

#include "modules/foxpro/CodePageSetting.h"
#include "tests/support/TempSettings.h"

namespace {

struct TextCase
{
    const char* name;
    const char* text;
    std::optional<int> codePage;
};

class CodePageText : public testing::TestWithParam<TextCase>
{
};

TEST_P(CodePageText, namesACodePageTheEngineReadsOrNone)
{
    EXPECT_EQ(foxpro::codePageFromText(QString::fromUtf8(GetParam().text)), GetParam().codePage);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CodePageText,
    testing::Values(TextCase{"us_dos", "437", 437}, TextCase{"international_dos", "850", 850},
                    TextCase{"russian_dos", "866", 866}, TextCase{"mazovia", "620", 620},
                    TextCase{"japanese", "932", 932},
                    TextCase{"mac_central_europe", "10029", 10029},
                    TextCase{"blanks_around", " 850\t", 850},
                    TextCase{"utf8_is_no_foxpro_page", "65001", std::nullopt},
                    TextCase{"unknown_number", "9999", std::nullopt},
                    TextCase{"zero", "0", std::nullopt}, TextCase{"negative", "-850", std::nullopt},
                    TextCase{"letter_o_for_zero", "85O", std::nullopt},
                    TextCase{"name_instead_of_number", "cp850", std::nullopt},
                    TextCase{"empty", "", std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

void writeSettingsFile(const testsupport::TempSettings& settings, const std::string& lines)
{
    std::filesystem::create_directories(settings.file().parent_path());
    std::ofstream(settings.file()) << "[Quorvane]\n" << lines;
}

TEST(CodePageSetting, absentOrBlankMeansWindows1252)
{
    testsupport::TempSettings settings;
    EXPECT_EQ(foxpro::readCodePageSetting(), 1252);
    writeSettingsFile(settings, "CodePage=\n");
    EXPECT_EQ(foxpro::readCodePageSetting(), 1252);
}

TEST(CodePageSetting, aHandEditedValueIsTaken)
{
    testsupport::TempSettings settings;
    writeSettingsFile(settings, "Text2=/data/dos\nCodePage=866\n");
    EXPECT_EQ(foxpro::readCodePageSetting(), 866);
}

TEST(CodePageSetting, aValueNamingNoCodePageSaysWhereWhatAndWhatMayStandThere)
{
    testsupport::TempSettings settings;
    writeSettingsFile(settings, "CodePage=85O\n");
    try {
        foxpro::readCodePageSetting();
        FAIL() << "85O was taken";
    } catch (const std::runtime_error& error) {
        const QString text = QString::fromUtf8(error.what());
        EXPECT_TRUE(text.startsWith(QStringLiteral("The setting CodePage in ") +
                                    QString::fromStdString(settings.file().string()) +
                                    QStringLiteral(" holds \"85O\"")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("read as Windows-1252"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("437, 620, 737, 850")) &&
                    text.contains(QStringLiteral("10007, 10029, or remove it.")))
            << text.toStdString();
    }
}

// The preview writes the page chosen; the windows and the batch command read it back. A page
// the engine cannot read never reaches the file.
TEST(CodePageSetting, eachOfferedPageIsWrittenAndReadBackAndNoOther)
{
    testsupport::TempSettings settings;
    for (const int codePage : foxpro::offeredCodePages()) {
        foxpro::writeCodePageSetting(codePage);
        EXPECT_EQ(foxpro::readCodePageSetting(), codePage);
    }
    foxpro::writeCodePageSetting(850);
    EXPECT_THROW(foxpro::writeCodePageSetting(65001), std::runtime_error);
    EXPECT_NE(settings.fileText().find("CodePage=850\n"), std::string::npos) << settings.fileText();
}

}  // namespace
