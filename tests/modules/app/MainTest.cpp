// The application title rule and the file tests that never fail.
#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "modules/app/Main.h"
#include "tests/support/TempDir.h"

namespace {

struct TitleCase
{
    const char* name;
    QString product;
    QString title;
};

class AppTitleRule : public testing::TestWithParam<TitleCase>
{
};

TEST_P(AppTitleRule, CutsAtSpaces)
{
    EXPECT_EQ(app::appTitleFor(GetParam().product), GetParam().title);
}

// 40 characters: "Marrowind FoxPro Table Copier Deluxe Pro" (9+1+6+1+5+1+6+1+6+1+3).
INSTANTIATE_TEST_SUITE_P(
    Names, AppTitleRule,
    testing::Values(TitleCase{"single_word_stays_whole", QStringLiteral("Quorvane"),
                              QStringLiteral("Quorvane")},
                    TitleCase{"short_name_loses_last_word", QStringLiteral("Quorvane Table Copier"),
                              QStringLiteral("Quorvane Table")},
                    TitleCase{"two_words_keep_first", QStringLiteral("A B"), QStringLiteral("A")},
                    TitleCase{"exactly_40_after_first_cut_stays",
                              QStringLiteral("Marrowind FoxPro Table Copier Deluxe Pro 2021"),
                              QStringLiteral("Marrowind FoxPro Table Copier Deluxe Pro")},
                    TitleCase{"41_after_first_cut_loses_another_word",
                              QStringLiteral("Marrowind FoxPro Table Copier Deluxe Prox 2021"),
                              QStringLiteral("Marrowind FoxPro Table Copier Deluxe")},
                    TitleCase{
                        "one_long_word_after_cut_ends",
                        QStringLiteral("Supercalifragilisticexpialidocious-Unbreakable-Name v2"),
                        QStringLiteral("Supercalifragilisticexpialidocious-Unbreakable-Name")},
                    TitleCase{"trailing_space_cuts_nothing_but_it", QStringLiteral("Quorvane "),
                              QStringLiteral("Quorvane")}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(AppTitle, SetAppTitleKeepsTheProductName)
{
    app::SetAppTitle();
    EXPECT_EQ(app::AppTitle(), QStringLiteral("Quorvane"));
}

TEST(FileTests, AnswerWithoutFailing)
{
    testsupport::TempDir dir;
    const auto file = dir.write("orders.dbf", "x");
    const auto folder = dir.path() / "Free Tables";
    std::filesystem::create_directory(folder);
    std::filesystem::create_symlink(dir.path() / "gone", dir.path() / "dangling");
    const auto q = [](const std::filesystem::path& p) {
        return QString::fromStdString(p.string());
    };

    struct Case
    {
        const char* name;
        QString path;
        bool exists;
        std::optional<bool> folder;
    };
    const Case cases[] = {
        {"existing_file", q(file), true, false},
        {"existing_folder", q(folder), true, true},
        {"missing_path", q(dir.path() / "missing.dbc"), false, std::nullopt},
        {"empty_text", QString(), false, std::nullopt},
        {"dangling_link", q(dir.path() / "dangling"), false, std::nullopt},
        {"file_used_as_folder", q(file) + QStringLiteral("/x"), false, std::nullopt},
        {"embedded_nul", q(file) + QChar(0) + QStringLiteral("x"), false, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::FileExists(c.path), c.exists) << c.name;
        EXPECT_EQ(app::IsFolder(c.path), c.folder) << c.name;
    }
}

}  // namespace
