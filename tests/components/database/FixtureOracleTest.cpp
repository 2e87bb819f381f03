// Every real fixture table and container against the values an independent reader recorded
// beside it (<table>.oracle.json, <container>.catalog.json): the engine's field descriptors and
// container catalogue, and every value read through a recordset. Only what that reader does
// differently is normalised: it trims trailing blanks of character fields, ignores null flags
// and varchar lengths (given separately), writes numbers as Python floats, and keeps date-time
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
#include "components/vfp/Container.h"
#include "components/vfp/Table.h"
#include "tests/support/Fixtures.h"
#include "tests/support/TableSupport.h"

namespace {

namespace fs = std::filesystem;

QString fromPath(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

// The fixture files whose names end in suffix, relative to the fixtures folder and sorted; one
// placeholder when there are no fixtures, so the tests can say they skip.
std::vector<std::string> fixtureFiles(const std::string& suffix)
{
    std::vector<std::string> files;
    std::error_code error;
    if (!testsupport::haveFixtures())
        return {"(no fixtures)" + suffix};
    for (fs::recursive_directory_iterator it(testsupport::fixturesDir(), error), end;
         !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() > suffix.size() && name.ends_with(suffix))
            files.push_back(it->path().lexically_relative(testsupport::fixturesDir()).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// A test name made of a fixture file's path without its suffix.
struct FixtureName
{
    std::size_t suffixLength;
    std::string operator()(const testing::TestParamInfo<std::string>& param) const
    {
        std::string name = param.param.substr(0, param.param.size() - suffixLength);
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        }
        return name;
    }
};

std::vector<std::string> strings(const QJsonArray& array)
{
    std::vector<std::string> out;
    for (const QJsonValue& value : array)
        out.push_back(value.toString().toStdString());
    return out;
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

    // The engine's field descriptors, as the header stores them, with the container's long
    // names; the record count the header claims, deleted records included.
    vfp::OpenOptions options;
    options.longNamesFromContainer = true;
    const vfp::Table engineTable = vfp::Table::open(table, options);
    const QJsonArray descriptors = oracle[QLatin1String("fields")].toArray();
    ASSERT_EQ(engineTable.fields().size(), static_cast<std::size_t>(descriptors.size()));
    const QJsonArray longNames = oracle[QLatin1String("long_field_names")].toArray();
    for (qsizetype i = 0; i < descriptors.size(); ++i) {
        const QJsonObject field = descriptors[i].toObject();
        const vfp::FieldDescriptor& ours = engineTable.fields()[static_cast<std::size_t>(i)];
        EXPECT_EQ(ours.headerName, field[QLatin1String("name")].toString().toStdString());
        EXPECT_EQ(std::string(1, static_cast<char>(ours.type)),
                  field[QLatin1String("type")].toString().toStdString());
        EXPECT_EQ(ours.length, field[QLatin1String("length")].toInt()) << ours.name;
        if (!longNames.isEmpty()) {
            EXPECT_EQ(ours.name, longNames[i].toString().toStdString()) << "long name";
        }
    }
    EXPECT_EQ(engineTable.headerRecordCount(),
              static_cast<std::uint32_t>(oracle[QLatin1String("header_record_count")].toInt()));
    if (oracle[QLatin1String("records")].isNull())
        GTEST_SKIP() << "the oracle could not read the records; see UnreadByTheOracle";

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

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureOracleTest,
                         testing::ValuesIn(fixtureFiles(".oracle.json")),
                         FixtureName{std::string(".oracle.json").size()});

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

// Each container's catalogue as the engine reads it: every table with its id, stored path, long
// field names and file (found whatever the case of its name), every view with its kind, SQL,
// source tables, connection and field names. Then the tables rowset: the live tables, then the
// views, each group in name order ignoring case (the order of the container's index).
class FixtureCatalogTest : public testing::TestWithParam<std::string>
{
};

TEST_P(FixtureCatalogTest, EngineAndSchemaListWhatTheCatalogHolds)
{
    QUORVANE_REQUIRE_FIXTURES();
    const QJsonObject catalog = readJson(testsupport::fixture(GetParam()));
    ASSERT_FALSE(catalog.isEmpty()) << "unreadable catalogue";
    const fs::path dbc =
        testsupport::fixture(catalog[QLatin1String("file")].toString().toStdString());
    const vfp::Container container = vfp::Container::open(dbc);
    EXPECT_EQ(container.objects().size(),
              static_cast<std::size_t>(catalog[QLatin1String("live_rows")].toInt()));
    std::size_t tables = 0, views = 0;
    std::vector<std::pair<QString, QString>> objects;  // type, name
    for (const QJsonValue entry : catalog[QLatin1String("objects")].toArray()) {
        const QJsonObject object = entry.toObject();
        const QString type = object[QLatin1String("type")].toString().toUpper();
        const std::string name = object[QLatin1String("name")].toString().toStdString();
        if (type == QLatin1String("TABLE")) {
            ASSERT_LT(tables, container.tables().size());
            const vfp::ContainerTable& table = container.tables()[tables++];
            EXPECT_EQ(table.name, name);
            EXPECT_EQ(table.id, object[QLatin1String("objectid")].toInt());
            EXPECT_EQ(table.storedPath, object[QLatin1String("path")].toString().toStdString());
            EXPECT_EQ(table.longFieldNames,
                      strings(object[QLatin1String("long_field_names")].toArray()))
                << name;
            const QJsonValue file = object[QLatin1String("file_any_case")];
            EXPECT_EQ(table.exists, !file.isNull()) << name;
            if (!file.isNull()) {
                EXPECT_TRUE(
                    fs::equivalent(table.file, testsupport::fixture(file.toString().toStdString())))
                    << name;
            }
        } else if (type == QLatin1String("VIEW")) {
            ASSERT_LT(views, container.views().size());
            const vfp::ContainerView& view = container.views()[views++];
            EXPECT_EQ(view.name, name);
            EXPECT_EQ(view.kind == vfp::ViewKind::Remote ? "remote" : "local",
                      object[QLatin1String("view_kind")].toString().toStdString())
                << name;
            EXPECT_EQ(view.sql, object[QLatin1String("sql")].toString().toStdString()) << name;
            EXPECT_EQ(view.tables, object[QLatin1String("source_tables")].toString().toStdString())
                << name;
            EXPECT_EQ(view.connectionName,
                      object[QLatin1String("connection")].toString().toStdString())
                << name;
            std::vector<std::string> fieldNames;
            for (const vfp::ViewField& field : view.fields)
                fieldNames.push_back(field.name);
            EXPECT_EQ(fieldNames, strings(object[QLatin1String("long_field_names")].toArray()))
                << name;
        } else {
            continue;
        }
        objects.emplace_back(type, object[QLatin1String("name")].toString());
    }
    EXPECT_EQ(tables, container.tables().size());
    EXPECT_EQ(views, container.views().size());

    std::stable_sort(objects.begin(), objects.end(), [](const auto& a, const auto& b) {
        if (a.first != b.first)
            return a.first == QLatin1String("TABLE");
        return a.second.compare(b.second, Qt::CaseInsensitive) < 0;
    });
    std::vector<std::string> expected;
    for (const auto& [type, name] : objects)
        expected.push_back((type + QLatin1Char(' ') + name).toStdString());
    database::Connection connection;
    connection.Open(dbtest::connectionString(dbc));
    const auto schema = connection.OpenSchema(database::adSchemaTables);
    std::vector<std::string> listed;
    for (; !schema->Eof(); schema->MoveNext())
        listed.push_back(database::toText(schema->Fields(QStringLiteral("TABLE_TYPE")).Value()) +
                         " " +
                         database::toText(schema->Fields(QStringLiteral("TABLE_NAME")).Value()));
    EXPECT_EQ(listed, expected);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureCatalogTest,
                         testing::ValuesIn(fixtureFiles(".catalog.json")),
                         FixtureName{std::string(".catalog.json").size()});

}  // namespace
