// The tables schema as rows of text.
#include "components/database/SchemaRowSource.h"

#include "components/database/Variant.h"
#include "components/rows/AdoType.h"

namespace database {

SchemaRowSource::SchemaRowSource(std::vector<CatalogEntry> entries) : mEntries(std::move(entries))
{}

std::vector<rows::Field> SchemaRowSource::describe() const
{
    std::vector<rows::Field> fields;
    fields.emplace_back(QStringLiteral("TABLE_NAME"), rows::adWChar);
    fields.emplace_back(QStringLiteral("TABLE_TYPE"), rows::adWChar);
    return fields;
}

long SchemaRowSource::recordCount() const
{
    return static_cast<long>(mEntries.size());
}

bool SchemaRowSource::next(std::vector<rows::Field>& fields)
{
    if (mNext >= mEntries.size())
        return false;
    const CatalogEntry& entry = mEntries[mNext++];
    Variant& name = fields.at(0).mutableValue();
    name.kind = Variant::Kind::Text;
    name.bytes = entry.name.toStdString();
    Variant& type = fields.at(1).mutableValue();
    type.kind = Variant::Kind::Text;
    type.bytes = entry.isView ? "VIEW" : "TABLE";
    return true;
}

}  // namespace database
