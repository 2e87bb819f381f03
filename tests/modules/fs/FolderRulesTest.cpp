// The small rules of the walk: which names are unusable, how the attribute word is read from
// the file system and its stored DOS attributes, and which words exclude a folder.
#include <gtest/gtest.h>

#include "modules/fs/AddFolder.h"
#include "modules/fs/FolderAttributes.h"
#include "tests/modules/fs/FolderTree.h"
#include "tests/support/TempDir.h"

namespace {

namespace stdfs = std::filesystem;

struct NameCase
{
    const char* name;
    const char16_t* folder;
    bool unusable;
};

class UnusableCharacters : public testing::TestWithParam<NameCase>
{
};

TEST_P(UnusableCharacters, followsTheAnsiCodes)
{
    EXPECT_EQ(fs::HasUnusableCharacters(QString::fromUtf16(GetParam().folder)),
              GetParam().unusable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnusableCharacters,
    testing::Values(NameCase{"empty", u"", false}, NameCase{"plain", u"Data 2021", false},
                    NameCase{"space_and_tilde_are_32_and_126", u" ~", false},
                    NameCase{"latin1_letters_above_159", u"café naïve ÿ", false},
                    NameCase{"no_break_space_is_160", u"\u00a0", false},
                    NameCase{"question_mark", u"what?", true},
                    NameCase{"tab_below_32", u"a\tb", true},
                    NameCase{"delete_is_127", u"a\u007fb", true},
                    NameCase{"euro_is_128", u"€uro", true},
                    NameCase{"en_dash_is_150", u"Q1 – sales", true},
                    NameCase{"curly_apostrophe_is_146", u"Bob’s", true},
                    NameCase{"y_diaeresis_upper_is_159", u"Ÿ", true},
                    NameCase{"c1_control_in_a_hole_of_the_page", u"\u0081", true},
                    NameCase{"outside_the_page_reads_as_question_mark", u"中文", true},
                    NameCase{"outside_the_basic_plane", u"\U0001F600", true},
                    NameCase{"replacement_of_invalid_utf8", u"bad\ufffd", true}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(StoredDosAttributes, readsSambaAndNtfsValues)
{
    using fs::dosAttributesFromSamba;
    EXPECT_EQ(dosAttributesFromSamba("0x16"), 22u);
    EXPECT_EQ(dosAttributesFromSamba(QByteArrayView("0x10\0\0\4\0\4\0\0\0\x11", 13)), 16u);
    EXPECT_EQ(dosAttributesFromSamba("0x2016"), 0x2016u);
    EXPECT_EQ(dosAttributesFromSamba(""), std::nullopt);
    EXPECT_EQ(dosAttributesFromSamba("0x"), std::nullopt);
    EXPECT_EQ(dosAttributesFromSamba("0xzz"), std::nullopt);
    EXPECT_EQ(dosAttributesFromSamba("22"), std::nullopt);
    EXPECT_EQ(dosAttributesFromSamba("0x123456789"), std::nullopt);
    EXPECT_EQ(fs::dosAttributesFromNtfs(QByteArrayView("\0\0\0\x16", 4)), 22u);
    EXPECT_EQ(fs::dosAttributesFromNtfs(QByteArrayView("\0\0\x04\x16", 4)), 1046u);
    EXPECT_EQ(fs::dosAttributesFromNtfs(QByteArrayView("\x16\0\0", 3)), std::nullopt);
}

TEST(AttributeWord, isComparedWholeAndTheRootIsAlwaysSearched)
{
    EXPECT_FALSE(fs::isSearchableFolder(false, 22));
    EXPECT_FALSE(fs::isSearchableFolder(false, 1046));
    EXPECT_TRUE(fs::isSearchableFolder(false, 54));    // + archive
    EXPECT_TRUE(fs::isSearchableFolder(false, 23));    // + read-only
    EXPECT_TRUE(fs::isSearchableFolder(false, 1040));  // a plain link
    EXPECT_TRUE(fs::isSearchableFolder(false, 18));    // hidden only
    EXPECT_TRUE(fs::isSearchableFolder(true, 22));
    EXPECT_TRUE(fs::isSearchableFolder(true, 1046));

    EXPECT_TRUE(fs::isRootFolder(QStringLiteral("/")));
    EXPECT_TRUE(fs::isRootFolder(QStringLiteral("//")));
    EXPECT_FALSE(fs::isRootFolder(QStringLiteral("/tmp/")));
    EXPECT_FALSE(fs::isRootFolder(QString()));
}

TEST(AttributeWord, isBuiltFromTheFolderItsNameAndItsStoredAttributes)
{
    testsupport::TempDir dir;
    fstest::makeFolders(dir.path(), {"plain", ".dot", "system", "archived", "nodirbit", "junk"});
    stdfs::create_directory_symlink("plain", dir.path() / "link");
    stdfs::create_directory_symlink("system", dir.path() / "junction");
    const auto word = [&](const char* name) {
        return fs::folderAttributes(fstest::entry(dir.path() / name));
    };
    EXPECT_EQ(word("plain"), 16u);
    EXPECT_EQ(word(".dot"), 18u);
    EXPECT_EQ(word("link"), 1040u);
    EXPECT_THROW(word("missing"), std::exception);

    if (!fstest::setDosAttributes(dir.path() / "system", "0x16"))
        GTEST_SKIP() << "this file system keeps no user extended attributes";
    ASSERT_TRUE(fstest::setDosAttributes(dir.path() / "archived", "0x36"));
    ASSERT_TRUE(fstest::setDosAttributes(dir.path() / "nodirbit", "0x6"));
    ASSERT_TRUE(fstest::setDosAttributes(dir.path() / "junk", "0x2016"));  // not indexed
    EXPECT_EQ(word("system"), 22u);
    EXPECT_EQ(word("archived"), 54u);
    EXPECT_EQ(word("nodirbit"), 22u);
    EXPECT_EQ(word("junk"), 22u);
    EXPECT_EQ(word("junction"), 1046u);
}

}  // namespace
