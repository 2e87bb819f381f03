// The rows of a remote view as the recordset reads them: read back from the spool file the
// server's result was copied into.
#pragma once

#include <memory>
#include <vector>

#include "components/odbc/RowSpool.h"
#include "components/rows/RowSource.h"

namespace odbc {

class RemoteRowSource : public rows::RowSource
{
public:
    // `spool` holds `count` rows of fields.size() values each, rewound.
    RemoteRowSource(std::vector<rows::Field> fields, std::unique_ptr<RowSpool> spool, long count);

    std::vector<rows::Field> describe() const override;
    long recordCount() const override;
    bool next(std::vector<rows::Field>& fields) override;

private:
    std::vector<rows::Field> mFields;
    std::unique_ptr<RowSpool> mSpool;
    long mCount;
    long mRead = 0;
    vfp::Value mSkipped;  // values of columns the caller's fields do not hold
};

}  // namespace odbc
