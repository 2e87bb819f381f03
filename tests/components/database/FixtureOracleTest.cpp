// Every real fixture table read through a recordset, compared with the values an independent
// reader recorded beside it (<table>.oracle.json). Only what that reader does differently is
// normalised: it trims trailing blanks of character fields, ignores null flags and varchar
// lengths (given separately), writes numbers as Python floats, and keeps date-time
// milliseconds that we round to the second.
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include "components/rows/DatabaseError.h"
#include "components/vfp/CodePage.h"
#include "tests/support/Fixtures.h"
#include "tests/support/TableSupport.h"

namespace {

namespace fs = std::filesystem;

QString fromPath(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

std::vector<std::string> oracleFiles()
{
    std::vector<std::string> files;
    std::error_code error;
    if (!testsupport::haveFixtures())
        return {"(no fixtures)"};
    for (fs::recursive_directory_iterator it(testsupport::fixturesDir(), error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() > 12 && name.ends_with(".oracle.json"))
            files.push_back(it->path().lexically_relative(testsupport::fixturesDir()).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

QJsonObject readJson(const fs::path& path)
{
    QFile file(fromPath(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

QString rightTrimmed(QString text)
{
    while (!text.isEmpty() && (text.back() == QLatin1Char(' ') || text.back() == QChar(0)))
        text.chop(1);
    return text;
}

// Equal, where the oracle's U+FFFD (a byte its codec could not decode) matches any character.
bool sameText(const QString& ours, const QString& oracle)
{
    if (ours.size() != oracle.size())
        return false;
    for (qsizetype i = 0; i < ours.size(); ++i) {
        if (ours[i] != oracle[i] && oracle[i] != QChar(0xFFFD))
            return false;
    }
    return true;
}

// "hex:<digits>" or "bytes:<length>:sha256:<digest>" against raw bytes; varLength cuts the
// oracle's bytes (which include a varbinary's filler and length byte).
bool sameBytes(const std::string& bytes, const QString& oracle, int varLength)
{
    const QByteArray ours = QByteArray::fromStdString(bytes);
    if (oracle.startsWith(QLatin1String("hex:"))) {
        QByteArray expected = QByteArray::fromHex(oracle.mid(4).toLatin1());
        if (varLength >= 0)
            expected.truncate(varLength);
        return ours == expected;
    }
    const QStringList parts = oracle.split(QLatin1Char(':'));
    return parts.size() == 4 && parts[0] == QLatin1String("bytes") &&
           parts[1].toLongLong() == ours.size() &&
           QCryptographicHash::hash(ours, QCryptographicHash::Sha256).toHex() ==
               parts[3].toLatin1();
}

// "YYYY-MM-DD HH:MM:SS[.ffffff]" rounded to the nearest second.
QString roundedDateTime(const QString& oracle)
{
    QDateTime when = QDateTime::fromString(oracle.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    when.setTimeSpec(Qt::UTC);
    if (oracle.size() > 20 && oracle.mid(20, 1).toInt() >= 5)
        when = when.addSecs(1);
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

struct FieldInfo
{
    QString name;  // header name, as the oracle's maps use it
    char type;
    int codePage;
};

// Why our value differs from the oracle's, or "" when it matches.
std::string compareCell(const FieldInfo& field, const QJsonValue& oracle,
                        const database::Variant& ours, bool nullBit, int varLength)
{
    using Kind = database::Variant::Kind;
    const QString text = QString::fromStdString(database::toText(ours));
    if (nullBit)
        return ours.isNull() ? "" : "null flag set but value " + text.toStdString();
    if (oracle.isNull())
        return ours.isNull() || rightTrimmed(text).isEmpty() ? "" : "expected blank";
    const QString expected =
        oracle.isBool() ? (oracle.toBool() ? QStringLiteral("True") : QStringLiteral("False"))
                        : oracle.toString();
    if (expected.startsWith(QLatin1String("hex:")) ||
        expected.startsWith(QLatin1String("bytes:"))) {
        std::string bytes = ours.bytes;
        if (ours.kind == Kind::Text)  // a memo the oracle kept as bytes: back to its code page
            bytes = vfp::encodeText(ours.bytes, field.codePage);
        return sameBytes(bytes, expected, varLength) ? "" : "bytes differ";
    }
    if ((field.type == 'C' || field.type == 'V') && ours.kind != Kind::Text)
        return "a character field read as bytes";  // the binary flag only stops translation
    if (ours.kind == Kind::Binary) {               // the oracle decodes binary memos all the same
        vfp::TextDecoder decoder(field.codePage);
        std::string decoded;
        decoder.decode(ours.bytes, decoded);
        const QString ourText = QString::fromStdString(decoded);
        const QString cut = varLength >= 0 ? expected.left(varLength) : expected;
        return sameText(rightTrimmed(ourText), rightTrimmed(cut)) ? "" : "text differs";
    }
    switch (field.type) {
        case 'C':
        case 'V': {
            const QString cut = varLength >= 0 ? expected.left(varLength) : expected;
            return sameText(rightTrimmed(text), rightTrimmed(cut)) ? "" : "text differs";
        }
        case 'L':
            return text.compare(expected, Qt::CaseInsensitive) == 0 ? "" : "logical differs";
        case 'N':
        case 'F':
        case 'B':
        case 'I':
        case 'Y': {
            bool oursOk = false, oracleOk = false;
            const double a = text.toDouble(&oursOk), b = expected.toDouble(&oracleOk);
            return oursOk && oracleOk && a == b ? "" : "number differs";
        }
        case 'T':
            return text == roundedDateTime(expected) ? "" : "date-time differs";
        default:
            return sameText(text, expected) ? "" : "value differs";
    }
}

class FixtureOracleTest : public testing::TestWithParam<std::string>
{
};

TEST_P(FixtureOracleTest, ReadsWhatTheOracleRecorded)
{
    QUORVANE_REQUIRE_FIXTURES();
    const QJsonObject oracle = readJson(testsupport::fixture(GetParam()));
    ASSERT_FALSE(oracle.isEmpty()) << "unreadable oracle";
    const fs::path table =
        testsupport::fixture(oracle[QLatin1String("file")].toString().toStdString());
    if (oracle[QLatin1String("records")].isNull())
        GTEST_SKIP() << "the oracle could not read this table; see UnreadByTheOracle";

    std::vector<FieldInfo> fields;
    const int codePage = oracle[QLatin1String("code_page")].toInt(1252);
    for (const QJsonValue field : oracle[QLatin1String("fields")].toArray()) {
        const QJsonObject f = field.toObject();
        fields.push_back({f[QLatin1String("name")].toString(),
                          f[QLatin1String("type")].toString().toLatin1().at(0),
                          codePage == 0 ? 1252 : codePage});
    }
    std::vector<std::string> expectedNames;
    const QJsonArray names = oracle.contains(QLatin1String("long_field_names"))
                                 ? oracle[QLatin1String("long_field_names")].toArray()
                                 : oracle[QLatin1String("field_names")].toArray();
    for (const QJsonValue name : names)
        expectedNames.push_back(name.toString().toLower().toStdString());

    // The table's folder as a free-table source; a container member also through its container.
    std::vector<std::pair<fs::path, QString>> ways = {
        {table.parent_path(), fromPath(table.stem())}};
    if (oracle[QLatin1String("container_table_name")].isString())
        ways.emplace_back(
            testsupport::fixture(oracle[QLatin1String("container")].toString().toStdString()),
            oracle[QLatin1String("container_table_name")].toString());

    for (const auto& [source, name] : ways) {
        SCOPED_TRACE(source.string() + " / " + name.toStdString());
        database::Connection connection;
        connection.Open(dbtest::connectionString(source));
        database::Recordset records;
        records.Open(QStringLiteral("SELECT * FROM `") + name + QLatin1Char('`'), connection);
        EXPECT_EQ(records.RecordCount(), oracle[QLatin1String("live_record_count")].toInt());
        ASSERT_EQ(static_cast<std::size_t>(records.FieldCount()), fields.size());
        for (int k = 0; k < records.FieldCount(); ++k)
            EXPECT_EQ(records.Fields(k).name().toStdString(),
                      expectedNames[static_cast<std::size_t>(k)]);

        const QJsonArray rows = oracle[QLatin1String("records")].toArray();
        const QJsonArray nulls = oracle[QLatin1String("record_nulls")].toArray();
        const QJsonArray varLengths = oracle[QLatin1String("record_varlength")].toArray();
        for (qsizetype r = 0; r < rows.size(); ++r, records.MoveNext()) {
            ASSERT_FALSE(records.Eof()) << "record " << r;
            const QJsonArray row = rows[r].toArray();
            const QJsonArray rowNulls = nulls[r].toArray();
            const QJsonObject rowLengths = varLengths[r].toObject();
            for (int k = 0; k < records.FieldCount(); ++k) {
                const FieldInfo& field = fields[static_cast<std::size_t>(k)];
                const std::string problem = compareCell(
                    field, row[k], records.Fields(k).Value(),
                    rowNulls.contains(QJsonValue(field.name)),
                    rowLengths.contains(field.name) ? rowLengths[field.name].toInt() : -1);
                EXPECT_EQ(problem, "")
                    << "record " << r << " field " << field.name.toStdString() << ": ours \""
                    << database::toText(records.Fields(k).Value()) << "\", oracle "
                    << QJsonDocument(QJsonArray{row[k]})
                           .toJson(QJsonDocument::Compact)
                           .toStdString();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureOracleTest, testing::ValuesIn(oracleFiles()),
                         [](const testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param.substr(0, param.param.size() - 12);
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             }
                             return name;
                         });

// Tables the oracle could not read at all: read by us, checked against their stored bytes.
TEST(UnreadByTheOracle, MazoviaTableDecodesCodePage620)
{
    QUORVANE_REQUIRE_FIXTURES();
    const dbtest::ReadTable table =
        dbtest::readTable(testsupport::fixture("infused-dbf"), QStringLiteral("mazovia"));
    EXPECT_EQ(table.names, (std::vector<std::string>{"a1", "a2"}));
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0], (dbtest::Row{"2020-01-04", "English"}));
    // Stored 0x98 ... 0x9E: upper and lower S with acute accent in Mazovia.
    EXPECT_TRUE(QString::fromStdString(table.rows[1][1]).startsWith(QStringLiteral("Ś")));
    EXPECT_TRUE(QString::fromStdString(table.rows[1][1]).endsWith(QStringLiteral("ś")));
}

// Container catalogues: the tables rowset holds the container's live tables, then its views,
// each group in name order ignoring case (the order of the container's index).
TEST(FixtureCatalogs, SchemaListsWhatTheCatalogHolds)
{
    QUORVANE_REQUIRE_FIXTURES();
    for (const char* catalog : {"infused-dbf/foxprodb/FOXPRO-DB-TEST.catalog.json",
                                "go-dbase/database/EXPENSES.catalog.json",
                                "XSharpPublic/VfpTestData/northwind.catalog.json"}) {
        SCOPED_TRACE(catalog);
        const QJsonObject json = readJson(testsupport::fixture(catalog));
        std::vector<std::pair<QString, QString>> objects;  // type, name
        for (const QJsonValue object : json[QLatin1String("objects")].toArray()) {
            const QString type = object[QLatin1String("type")].toString().toUpper();
            if (type == QLatin1String("TABLE") || type == QLatin1String("VIEW"))
                objects.emplace_back(type, object[QLatin1String("name")].toString());
        }
        std::stable_sort(objects.begin(), objects.end(), [](const auto& a, const auto& b) {
            if (a.first != b.first)
                return a.first == QLatin1String("TABLE");
            return a.second.compare(b.second, Qt::CaseInsensitive) < 0;
        });
        std::vector<std::string> expected;
        for (const auto& [type, name] : objects)
            expected.push_back((type + QLatin1Char(' ') + name).toStdString());

        database::Connection connection;
        connection.Open(dbtest::connectionString(
            testsupport::fixture(json[QLatin1String("file")].toString().toStdString())));
        const auto schema = connection.OpenSchema(database::adSchemaTables);
        std::vector<std::string> listed;
        for (; !schema->Eof(); schema->MoveNext())
            listed.push_back(
                database::toText(schema->Fields(QStringLiteral("TABLE_TYPE")).Value()) + " " +
                database::toText(schema->Fields(QStringLiteral("TABLE_NAME")).Value()));
        EXPECT_EQ(listed, expected);
    }
}

}  // namespace
