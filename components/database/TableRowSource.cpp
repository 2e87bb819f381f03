// A table as a row source: values are decoded straight into the recordset's fields, whose
// buffers are reused from row to row.
#include "components/database/TableRowSource.h"

#include "components/rows/AdoType.h"
#include "components/rows/EngineCall.h"

namespace database {

TableRowSource::TableRowSource(const vfp::Table& table)
    : mTable(table), mReader(rows::fromEngine([&] { return vfp::RecordReader(table); }))
{}

std::vector<rows::Field> TableRowSource::describe() const
{
    std::vector<rows::Field> fields;
    fields.reserve(mTable.fields().size());
    for (const vfp::FieldDescriptor& field : mTable.fields())
        fields.emplace_back(QString::fromUtf8(field.name).toLower(), rows::adoTypeOf(field),
                            rows::numericScaleOf(field));
    return fields;
}

long TableRowSource::recordCount() const
{
    return static_cast<long>(rows::fromEngine([&] { return mTable.liveRecordCount(); }));
}

// A field that cannot be read (a memo pointer past the end of the memo file, say) leaves the
// record's other fields readable: only that field's value fails when it is taken.
bool TableRowSource::next(std::vector<rows::Field>& fields)
{
    if (!rows::fromEngine([&] { return mReader.next(); }))
        return false;
    const int count = static_cast<int>(fields.size());
    for (int i = 0; i < count; ++i) {
        rows::Field& field = fields[static_cast<std::size_t>(i)];
        try {
            mReader.read(i, field.mutableValue());
            field.setReadable();
        } catch (const vfp::VfpError& error) {
            field.setUnreadable(error.what());
        }
    }
    return true;
}

}  // namespace database
