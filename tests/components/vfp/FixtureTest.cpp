// Every real FoxPro table and container of the shared fixtures against the values an
// independent reader recorded beside it (.oracle.json, .catalog.json). Only what that reader
// does differently is normalised: it trims trailing blanks, writes numbers and dates its own
// way, ignores _NullFlags (the oracle lists null bits and varchar lengths separately), keeps
// milliseconds, and gives undecodable text as bytes or U+FFFD.
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <QCryptographicHash>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "components/vfp/CodePage.h"
#include "components/vfp/Container.h"
#include "components/vfp/RecordReader.h"
#include "tests/support/Fixtures.h"
#include "tests/support/TableBytes.h"

namespace {

using Kind = vfp::Value::Kind;
namespace fs = std::filesystem;

QJsonObject readJson(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return QJsonDocument::fromJson(QByteArray::fromStdString(bytes)).object();
}

std::vector<fs::path> filesEndingWith(const std::string& suffix)
{
    std::vector<fs::path> found;
    if (!testsupport::haveFixtures())
        return found;
    for (const auto& entry : fs::recursive_directory_iterator(testsupport::fixturesDir())) {
        const std::string name = entry.path().filename().string();
        if (name.size() > suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::string rightTrimmed(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    return text;
}

// Equal, where the oracle's U+FFFD stands for any one character it could not decode.
bool sameText(const std::string& ours, const std::string& oracle)
{
    const QString a = QString::fromStdString(rightTrimmed(ours));
    const QString b = QString::fromStdString(rightTrimmed(oracle));
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && b[i] != QChar::ReplacementCharacter)
            return false;
    return true;
}

bool sameBytes(const std::string& ours, const std::string& oracle)
{
    if (oracle.rfind("hex:", 0) == 0)
        return vfptest::hex(ours) == oracle.substr(4);
    if (oracle.rfind("bytes:", 0) == 0) {
        const QByteArray digest =
            QCryptographicHash::hash(QByteArray::fromStdString(ours), QCryptographicHash::Sha256);
        return oracle ==
               "bytes:" + std::to_string(ours.size()) + ":sha256:" + digest.toHex().toStdString();
    }
    return false;
}

// Currency text "12.3456" as ten-thousandths.
std::int64_t scaledCurrency(const std::string& text)
{
    const bool negative = !text.empty() && text[0] == '-';
    const std::size_t point = text.find('.');
    const std::string whole =
        text.substr(negative ? 1 : 0,
                    point == std::string::npos ? std::string::npos : point - (negative ? 1 : 0));
    std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    fraction.resize(4, '0');
    const std::int64_t value =
        std::stoll(whole.empty() ? "0" : whole) * 10000 + std::stoll(fraction);
    return negative ? -value : value;
}

std::string roundedToSecond(const std::string& oracle)
{
    // "YYYY-MM-DD HH:MM:SS[.ffffff]": dbfread keeps the stored milliseconds
    const QString text = QString::fromStdString(oracle.substr(0, 23));
    QDateTime moment =
        QDateTime::fromString(text, text.size() > 19 ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")
                                                     : QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    moment.setTimeSpec(Qt::UTC);
    moment = moment.addMSecs(500);
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString();
}

struct Context
{
    vfp::RecordReader& reader;
    int index;
    int codePage;
    bool nullByFlags;
    int varLength;  // -1 when the oracle gives none
};

// Why our value differs from the oracle's, or "" when it does not.
std::string compare(const vfp::Value& ours, const QJsonValue& oracleValue, const Context& context)
{
    const std::string shown = vfptest::describe(ours);
    if (context.nullByFlags)
        return ours.kind == Kind::Null ? "" : "null bit set, ours " + shown;
    if (oracleValue.isNull()) {
        const bool empty =
            (ours.kind == Kind::Text || ours.kind == Kind::Binary) && ours.bytes.empty();
        return ours.kind == Kind::Null || empty ? "" : "oracle null, ours " + shown;
    }
    std::string oracle = oracleValue.toString().toStdString();
    if (ours.kind == Kind::Null)
        return "ours null, oracle " + oracle;
    const auto differs = [&](bool same) {
        return same ? std::string() : "ours " + shown + ", oracle " + oracle;
    };
    const bool oracleBytes = oracle.rfind("hex:", 0) == 0 || oracle.rfind("bytes:", 0) == 0;
    switch (ours.kind) {
        case Kind::Text: {
            if (oracleBytes) {
                vfp::Value raw;
                context.reader.readBytes(context.index, raw);
                return differs(sameBytes(raw.bytes, oracle));
            }
            if (context.varLength >= 0)
                oracle = QString::fromStdString(oracle).left(context.varLength).toStdString();
            return differs(sameText(ours.bytes, oracle));
        }
        case Kind::Binary: {
            if (!oracleBytes) {
                // binary character fields (NOCPTRANS): the oracle decoded them as text
                std::string text;
                vfp::TextDecoder(context.codePage).decode(ours.bytes, text);
                if (context.varLength >= 0)
                    oracle = QString::fromStdString(oracle).left(context.varLength).toStdString();
                return differs(sameText(text, oracle));
            }
            if (context.varLength >= 0) {
                // the oracle holds the whole stored field; ours is its first varLength bytes
                return differs(oracle.rfind("hex:", 0) == 0 &&
                               oracle.substr(4, 2 * static_cast<std::size_t>(context.varLength)) ==
                                   vfptest::hex(ours.bytes));
            }
            return differs(sameBytes(ours.bytes, oracle));
        }
        case Kind::Decimal: {
            char* end = nullptr;
            const double value = std::strtod(ours.bytes.c_str(), &end);
            return differs(*end == '\0' &&
                           std::fabs(value - std::strtod(oracle.c_str(), nullptr)) <=
                               1e-9 * std::max(1.0, std::fabs(value)));
        }
        case Kind::Integer:
            return differs(std::to_string(ours.integer) == oracle);
        case Kind::Currency:
            return differs(ours.integer == scaledCurrency(oracle));
        case Kind::Double:
            return differs(ours.real == std::strtod(oracle.c_str(), nullptr));
        case Kind::Boolean:
            return differs((ours.integer != 0 ? "true" : "false") == oracle);
        case Kind::Date:
            return differs(shown == "date:" + oracle);
        case Kind::DateTime:
            return differs(shown == "datetime:" + roundedToSecond(oracle));
        default:
            return "unexpected kind " + shown;
    }
}

class FixtureTableTest : public testing::TestWithParam<fs::path>
{
};

TEST_P(FixtureTableTest, MatchesTheOracle)
{
    QUORVANE_REQUIRE_FIXTURES();
    const QJsonObject oracle = readJson(GetParam());
    const fs::path dbf =
        testsupport::fixture(oracle[QStringLiteral("file")].toString().toStdString());
    vfp::OpenOptions options;
    options.longNamesFromContainer = true;
    const vfp::Table table = vfp::Table::open(dbf, options);

    const QJsonArray fields = oracle[QStringLiteral("fields")].toArray();
    ASSERT_EQ(table.fields().size(), static_cast<std::size_t>(fields.size()));
    const QJsonArray longNames = oracle[QStringLiteral("long_field_names")].toArray();
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const QJsonObject field = fields[i].toObject();
        const vfp::FieldDescriptor& ours = table.fields()[static_cast<std::size_t>(i)];
        EXPECT_EQ(ours.headerName, field[QStringLiteral("name")].toString().toStdString());
        EXPECT_EQ(std::string(1, static_cast<char>(ours.type)),
                  field[QStringLiteral("type")].toString().toStdString());
        EXPECT_EQ(ours.length, field[QStringLiteral("length")].toInt()) << ours.name;
        if (!longNames.isEmpty()) {
            EXPECT_EQ(ours.name, longNames[i].toString().toStdString())
                << "long name from the container";
        }
    }
    EXPECT_EQ(table.headerRecordCount(),
              static_cast<std::uint32_t>(oracle[QStringLiteral("header_record_count")].toInt()));
    if (oracle[QStringLiteral("live_record_count")].isNull())
        return;  // the oracle could not read the records (a code page Python lacks)
    EXPECT_EQ(table.liveRecordCount(),
              static_cast<std::uint32_t>(oracle[QStringLiteral("live_record_count")].toInt()));

    const QJsonArray records = oracle[QStringLiteral("records")].toArray();
    const QJsonArray nulls = oracle[QStringLiteral("record_nulls")].toArray();
    const QJsonArray varLengths = oracle[QStringLiteral("record_varlength")].toArray();
    vfp::RecordReader reader(table);
    vfp::Value value;
    for (qsizetype r = 0; r < records.size(); ++r) {
        ASSERT_TRUE(reader.next()) << "record " << r;
        const QJsonArray expected = records[r].toArray();
        const QJsonArray nullFields = nulls.isEmpty() ? QJsonArray() : nulls[r].toArray();
        const QJsonObject lengths = varLengths.isEmpty() ? QJsonObject() : varLengths[r].toObject();
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const vfp::FieldDescriptor& field = table.fields()[static_cast<std::size_t>(i)];
            const QString header = QString::fromStdString(field.headerName);
            reader.read(static_cast<int>(i), value);
            const Context context{reader, static_cast<int>(i), table.codePage(),
                                  nullFields.contains(header),
                                  lengths.contains(header) ? lengths[header].toInt() : -1};
            const std::string why = compare(value, expected[i], context);
            EXPECT_TRUE(why.empty()) << "record " << r << " field " << field.name << ": " << why;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Real, FixtureTableTest, testing::ValuesIn(filesEndingWith(".oracle.json")),
                         [](const auto& row) {
                             std::string name =
                                 fs::relative(row.param, testsupport::fixturesDir()).string();
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

class FixtureContainerTest : public testing::TestWithParam<fs::path>
{
};

std::vector<std::string> strings(const QJsonArray& array)
{
    std::vector<std::string> out;
    for (const QJsonValue& value : array)
        out.push_back(value.toString().toStdString());
    return out;
}

TEST_P(FixtureContainerTest, MatchesTheCatalog)
{
    QUORVANE_REQUIRE_FIXTURES();
    const QJsonObject catalog = readJson(GetParam());
    const vfp::Container container = vfp::Container::open(
        testsupport::fixture(catalog[QStringLiteral("file")].toString().toStdString()));
    EXPECT_EQ(container.objects().size(),
              static_cast<std::size_t>(catalog[QStringLiteral("live_rows")].toInt()));
    std::size_t tables = 0, views = 0;
    for (const QJsonValue& entry : catalog[QStringLiteral("objects")].toArray()) {
        const QJsonObject object = entry.toObject();
        const std::string name = object[QStringLiteral("name")].toString().toStdString();
        if (object[QStringLiteral("type")].toString() == QStringLiteral("Table")) {
            ASSERT_LT(tables, container.tables().size());
            const vfp::ContainerTable& table = container.tables()[tables++];
            EXPECT_EQ(table.name, name);
            EXPECT_EQ(table.id, object[QStringLiteral("objectid")].toInt());
            EXPECT_EQ(table.storedPath, object[QStringLiteral("path")].toString().toStdString());
            EXPECT_EQ(table.longFieldNames,
                      strings(object[QStringLiteral("long_field_names")].toArray()))
                << name;
            const QJsonValue file = object[QStringLiteral("file_any_case")];
            EXPECT_EQ(table.exists, !file.isNull()) << name;
            if (!file.isNull()) {
                EXPECT_TRUE(
                    fs::equivalent(table.file, testsupport::fixture(file.toString().toStdString())))
                    << name;
            }
        } else if (object[QStringLiteral("type")].toString() == QStringLiteral("View")) {
            ASSERT_LT(views, container.views().size());
            const vfp::ContainerView& view = container.views()[views++];
            EXPECT_EQ(view.name, name);
            EXPECT_EQ(view.kind == vfp::ViewKind::Remote ? "remote" : "local",
                      object[QStringLiteral("view_kind")].toString().toStdString())
                << name;
            EXPECT_EQ(view.sql, object[QStringLiteral("sql")].toString().toStdString()) << name;
            EXPECT_EQ(view.tables, object[QStringLiteral("source_tables")].toString().toStdString())
                << name;
            EXPECT_EQ(view.connectionName,
                      object[QStringLiteral("connection")].toString().toStdString())
                << name;
            std::vector<std::string> fieldNames;
            for (const vfp::ViewField& field : view.fields)
                fieldNames.push_back(field.name);
            EXPECT_EQ(fieldNames, strings(object[QStringLiteral("long_field_names")].toArray()))
                << name;
        }
    }
    EXPECT_EQ(tables, container.tables().size());
    EXPECT_EQ(views, container.views().size());
}

INSTANTIATE_TEST_SUITE_P(Real, FixtureContainerTest,
                         testing::ValuesIn(filesEndingWith(".catalog.json")), [](const auto& row) {
                             std::string name = row.param.stem().string();
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

}  // namespace
