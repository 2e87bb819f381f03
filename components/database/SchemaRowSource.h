// The tables schema rowset (OpenSchema 20): one row per table and view.
#pragma once

#include <vector>

#include "components/database/Source.h"
#include "components/rows/RowSource.h"

namespace database {

class SchemaRowSource : public rows::RowSource
{
public:
    // Rows in the given order; columns "TABLE_NAME" and "TABLE_TYPE" ("TABLE" or "VIEW").
    explicit SchemaRowSource(std::vector<CatalogEntry> entries);

    std::vector<rows::Field> describe() const override;
    long recordCount() const override;
    bool next(std::vector<rows::Field>& fields) override;

private:
    std::vector<CatalogEntry> mEntries;
    std::size_t mNext = 0;
};

}  // namespace database
