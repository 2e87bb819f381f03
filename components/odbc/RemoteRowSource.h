// The rows of a remote view as the recordset reads them: read back from the spool file the
// server's result was copied into.
#pragma once

#include <memory>
#include <vector>

#include "components/odbc/RowSpool.h"
#include "components/rows/RowSource.h"

namespace database::odbc {

class RemoteRowSource : public RowSource
{
public:
    // `spool` holds `count` rows of fields.size() values each, rewound.
    RemoteRowSource(std::vector<Field> fields, std::unique_ptr<RowSpool> spool, long count);

    std::vector<Field> describe() const override;
    long recordCount() const override;
    bool next(std::vector<Field>& fields) override;

private:
    std::vector<Field> mFields;
    std::unique_ptr<RowSpool> mSpool;
    long mCount;
    long mRead = 0;
    vfp::Value mSkipped;  // values of columns the caller's fields do not hold
};

}  // namespace database::odbc
