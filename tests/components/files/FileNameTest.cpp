// File names as bytes and as text: every name comes back as the very bytes it was read from,
// and what is shown is valid text.
#include <gtest/gtest.h>

#include "components/files/FileName.h"

namespace {

struct NameCase
{
    const char* name;
    QByteArray bytes;
    QString shown;
};

void PrintTo(const NameCase& c, std::ostream* out)
{
    *out << c.name;
}

class FileNameCodec : public testing::TestWithParam<NameCase>
{
};

TEST_P(FileNameCodec, BytesComeBackExactlyAndShowAsValidText)
{
    const QString text = files::fileNameText(GetParam().bytes);
    EXPECT_EQ(files::fileNameBytes(text), GetParam().bytes);
    EXPECT_EQ(files::shownFileName(text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileNameCodec,
    testing::Values(
        NameCase{"ascii", "orders.dbf", QStringLiteral("orders.dbf")},
        NameCase{"utf8", "Z\xC3\xBCrich \xE6\x97\xA5.dbf", QStringLiteral("Zürich 日.dbf")},
        NameCase{"four_byte_character", "\xF0\x9F\x98\x80.dbf", QStringLiteral("😀.dbf")},
        NameCase{"latin1_byte", "caf\xE9.dbf", QStringLiteral("caf\uFFFD.dbf")},
        NameCase{"dos_bytes", "\x8E\x99.DBF", QStringLiteral("\uFFFD\uFFFD.DBF")},
        NameCase{"cut_sequence_at_the_end", "ab\xE6\x97", QStringLiteral("ab\uFFFD\uFFFD")},
        NameCase{"overlong_slash", "a\xC0\xAF", QStringLiteral("a\uFFFD\uFFFD")}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FileNameCodec, TextTypedByAUserIsPlainUtf8)
{
    EXPECT_EQ(files::fileNameBytes(QStringLiteral("/data/Zürich")),
              QByteArray("/data/Z\xC3\xBCrich"));
    // a lone surrogate that stands for no byte cannot come from a name: written as U+FFFD
    EXPECT_EQ(files::fileNameBytes(QString(QChar(0xD800))), QByteArray("\xEF\xBF\xBD"));
}

}  // namespace
