// Rows of one FoxPro table, read by the engine record by record; deleted records are skipped.
#pragma once

#include <memory>

#include <QString>

#include "components/rows/RowSource.h"
#include "components/vfp/RecordReader.h"
#include "components/vfp/Table.h"

namespace database {

class TableRowSource : public rows::RowSource
{
public:
    // Takes an opened table. Field names are the table's (long names included) in lower case.
    explicit TableRowSource(const vfp::Table& table);

    std::vector<rows::Field> describe() const override;
    long recordCount() const override;
    bool next(std::vector<rows::Field>& fields) override;

private:
    vfp::Table mTable;
    vfp::RecordReader mReader;
};

// Fields of a table as describe() gives them.
std::vector<rows::Field> describeTable(const vfp::Table& table);

// Decodes the current record of reader into fields (as describeTable gives them). A field that
// cannot be read (a memo pointer past the end of the memo file, say) is marked unreadable and
// leaves the record's other fields readable.
void readRecord(vfp::RecordReader& reader, std::vector<rows::Field>& fields);

}  // namespace database
