// Value builders, table writers and the read-back helper of the tests.
#include "tests/support/TableSupport.h"

#include <QFile>

namespace dbtest {

namespace {

vfp::Value of(vfp::Value::Kind kind)
{
    vfp::Value value;
    value.kind = kind;
    return value;
}

vfp::Value withBytes(vfp::Value::Kind kind, std::string bytes)
{
    vfp::Value value = of(kind);
    value.bytes = std::move(bytes);
    return value;
}

vfp::Value withInteger(vfp::Value::Kind kind, std::int64_t number)
{
    vfp::Value value = of(kind);
    value.integer = number;
    return value;
}

}  // namespace

void writeTable(const std::filesystem::path& dir, const std::string& name,
                std::vector<vfpwriter::FieldDefinition> fields,
                const std::vector<std::vector<vfp::Value>>& records)
{
    vfpwriter::TableWriter writer(dir / (name + ".dbf"), std::move(fields));
    for (const auto& record : records)
        writer.append(record);
    writer.close();
}

void writeNamesTable(const std::filesystem::path& dir, const std::string& name, int records)
{
    std::vector<std::vector<vfp::Value>> rows;
    for (int r = 1; r <= records; ++r)
        rows.push_back({text("r" + std::to_string(r))});
    writeTable(dir, name, {{"NAME", vfp::FieldType::Varchar, 10}}, rows);
}

vfp::Value null()
{
    return of(vfp::Value::Kind::Null);
}
vfp::Value text(std::string utf8)
{
    return withBytes(vfp::Value::Kind::Text, std::move(utf8));
}
vfp::Value binary(std::string bytes)
{
    return withBytes(vfp::Value::Kind::Binary, std::move(bytes));
}
vfp::Value decimal(std::string digits)
{
    return withBytes(vfp::Value::Kind::Decimal, std::move(digits));
}
vfp::Value integer(std::int64_t value)
{
    return withInteger(vfp::Value::Kind::Integer, value);
}
vfp::Value currency(std::int64_t scaled)
{
    return withInteger(vfp::Value::Kind::Currency, scaled);
}
vfp::Value boolean(bool value)
{
    return withInteger(vfp::Value::Kind::Boolean, value ? 1 : 0);
}

vfp::Value real(double value)
{
    vfp::Value v = of(vfp::Value::Kind::Double);
    v.real = value;
    return v;
}

vfp::Value date(int year, int month, int day)
{
    vfp::Value v = of(vfp::Value::Kind::Date);
    v.year = year;
    v.month = month;
    v.day = day;
    return v;
}

vfp::Value dateTime(int year, int month, int day, int hour, int minute, int second)
{
    vfp::Value v = date(year, month, day);
    v.kind = vfp::Value::Kind::DateTime;
    v.hour = hour;
    v.minute = minute;
    v.second = second;
    return v;
}

QString connectionString(const std::filesystem::path& source)
{
    const QString path = QFile::decodeName(QByteArray::fromStdString(source.string()));
    const bool container = path.endsWith(QLatin1String(".dbc"), Qt::CaseInsensitive);
    return QStringLiteral("Provider=vfpoledb.1;Data Source=") + path +
           (container ? QStringLiteral(";Collating Sequence=machine;")
                      : QStringLiteral(";Collating Sequence=general;"));
}

ReadTable readTable(const std::filesystem::path& source, const QString& name, bool allowItsServer)
{
    database::Connection connection;
    connection.Open(connectionString(source));
    if (allowItsServer)
        connection.allowRemoteServers({connection.remoteUse(name).server});
    database::Recordset records;
    records.Open(QStringLiteral("SELECT * FROM `") + name + QLatin1Char('`'), connection, 3, 1);
    ReadTable table;
    table.count = records.RecordCount();
    for (int k = 0; k < records.FieldCount(); ++k) {
        table.names.push_back(records.Fields(k).name().toStdString());
        table.types.push_back(records.Fields(k).Type());
        table.scales.push_back(records.Fields(k).NumericScale());
    }
    for (; !records.Eof(); records.MoveNext()) {
        Row row;
        for (int k = 0; k < records.FieldCount(); ++k) {
            const database::Variant& value = records.Fields(k).Value();
            row.push_back(value.isNull() ? "<null>" : database::toText(value));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

}  // namespace dbtest
