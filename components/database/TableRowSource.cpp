// A table as a row source: values are decoded straight into the recordset's fields, whose
// buffers are reused from row to row.
#include "components/database/TableRowSource.h"

#include "components/rows/AdoType.h"
#include "components/rows/EngineCall.h"

namespace database {

TableRowSource::TableRowSource(const vfp::Table& table)
    : mTable(table), mReader(rows::fromEngine([&] { return vfp::RecordReader(table); }))
{}

std::vector<rows::Field> describeTable(const vfp::Table& table)
{
    std::vector<rows::Field> fields;
    fields.reserve(table.fields().size());
    for (const vfp::FieldDescriptor& field : table.fields())
        fields.emplace_back(QString::fromUtf8(field.name).toLower(), rows::adoTypeOf(field),
                            rows::shapeOf(field));
    return fields;
}

void readRecord(vfp::RecordReader& reader, std::vector<rows::Field>& fields)
{
    const int count = static_cast<int>(fields.size());
    for (int i = 0; i < count; ++i) {
        rows::Field& field = fields[static_cast<std::size_t>(i)];
        try {
            reader.read(i, field.mutableValue());
            field.setReadable();
        } catch (const vfp::VfpError& error) {
            field.setUnreadable(error.what());
        }
    }
}

std::vector<rows::Field> TableRowSource::describe() const
{
    return describeTable(mTable);
}

long TableRowSource::recordCount() const
{
    return static_cast<long>(rows::fromEngine([&] { return mTable.liveRecordCount(); }));
}

bool TableRowSource::next(std::vector<rows::Field>& fields)
{
    if (!rows::fromEngine([&] { return mReader.next(); }))
        return false;
    readRecord(mReader, fields);
    return true;
}

}  // namespace database
