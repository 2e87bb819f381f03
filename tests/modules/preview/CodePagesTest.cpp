// The code pages the preview offers for tables without a mark: each one reads the text written
// in it, double-byte pages included, and a table whose header names its code page keeps it
// whatever the choice.
#include <filesystem>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "components/vfpwriter/TableWriter.h"
#include "modules/foxpro/CodePageSetting.h"
#include "modules/preview/Preview.h"
#include "tests/support/TableSupport.h"
#include "tests/support/TempDir.h"

namespace {

struct Sample
{
    std::string stored;  // the bytes, from the code page's published chart
    std::string shown;   // UTF-8
};

// A word in the script of each offered page.
const std::map<int, Sample> kSamples{
    {1252, {"M\xfcller", "Müller"}},
    {850, {"M\x81ller", "Müller"}},
    {437,
     {"\xab \x81"
      "ber",
      "½ über"}},
    {852,
     {"\x9d\xa2"
      "d\xab",
      "Łódź"}},
    {866, {"\x8c\xae\xe1\xaa\xa2\xa0", "Москва"}},
    {1250,
     {"\xa3\xf3"
      "d\x9f",
      "Łódź"}},
    {1251, {"\xcc\xee\xf1\xea\xe2\xe0", "Москва"}},
    {1253, {"\xc1\xe8\xde\xed\xe1", "Αθήνα"}},
    {1254, {"\xddstanbul", "İstanbul"}},
    {1257, {"R\xeega", "Rīga"}},
    {874, {"\xe4\xb7\xc2", "ไทย"}},
    {932, {"\x93\x8c\x8b\x9e", "東京"}},
    {936, {"\xb1\xb1\xbe\xa9", "北京"}},
    {949, {"\xbc\xad\xbf\xef", "서울"}},
    {950, {"\xbbO\xa5_", "臺北"}},
};

void writeWord(const std::filesystem::path& dir, const std::string& bytes, std::uint8_t mark)
{
    vfpwriter::WriteOptions options;
    options.codePageMark = mark;
    vfpwriter::TableWriter writer(dir / "word.dbf", {{"WORD", vfp::FieldType::Character, 12}},
                                  options);
    writer.append({dbtest::binary(bytes)});
    writer.close();
}

preview::PreviewRequest wordRequest(const std::filesystem::path& dir, int codePage)
{
    return {{false, {}, QString::fromStdString(dir.string()), codePage},
            {QStringLiteral("word"), QStringLiteral("word")}};
}

TEST(OfferedCodePages, EachReadsTheTextWrittenInIt)
{
    for (const int codePage : foxpro::offeredCodePages()) {
        const auto sample = kSamples.find(codePage);
        ASSERT_NE(sample, kSamples.end()) << codePage << " is offered without a sample to read";
        testsupport::TempDir dir;
        writeWord(dir.path(), sample->second.stored, 0);
        const preview::Preview shown(wordRequest(dir.path(), codePage));
        ASSERT_NE(shown.records(), nullptr) << codePage << ": " << shown.status().toStdString();
        EXPECT_EQ(shown.records()->index(0, 0).data().toString().toStdString(),
                  sample->second.shown + std::string(12 - sample->second.stored.size(), ' '))
            << codePage;
        ASSERT_TRUE(shown.codePage());
        EXPECT_EQ(shown.codePage()->codePage, codePage);
        EXPECT_FALSE(shown.codePage()->marked) << codePage;
    }
    EXPECT_EQ(foxpro::offeredCodePages().size(), kSamples.size());
}

TEST(OfferedCodePages, AMarkedTableKeepsItsOwnWhateverIsChosen)
{
    testsupport::TempDir dir;
    writeWord(dir.path(), kSamples.at(866).stored, 0x65);  // marked 866
    const preview::Preview shown(wordRequest(dir.path(), 850));
    EXPECT_EQ(shown.records()->index(0, 0).data().toString().trimmed(), QStringLiteral("Москва"));
    ASSERT_TRUE(shown.codePage());
    EXPECT_EQ(shown.codePage()->codePage, 866);
    EXPECT_TRUE(shown.codePage()->marked);
}

}  // namespace
