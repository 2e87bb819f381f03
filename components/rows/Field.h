// One column of a recordset: its name, ADO type, decimals and the value in the current row.
#pragma once

#include <string>
#include <utility>

#include <QString>

#include "components/rows/DatabaseError.h"
#include "components/vfp/Value.h"

namespace rows {

class Field
{
public:
    Field(QString name, int type, int numericScale = 0)
        : mName(std::move(name)), mType(type), mNumericScale(numericScale)
    {}

    // The field name as the provider gives it: lower case; container tables give their long
    // names.
    const QString& name() const { return mName; }
    // The ADO type code (AdoType).
    int Type() const { return mType; }
    // ADO's NumericScale: the decimals the source declares for the column's numbers, 0 where
    // it declares none. A table field gives its descriptor's (numeric, float and double their
    // decimals, currency the four it holds); a local view's column those of the source field
    // or expression it was translated from, where the translator knows them; a remote view's
    // exact numeric column the scale the ODBC driver describes.
    int NumericScale() const { return mNumericScale; }
    // The value in the current row; Null is kept as Null. Throws DatabaseError when the
    // recordset stands past its last record (EOF), as ADO does: reading on would otherwise
    // repeat the last record; and when this field of the current record could not be read
    // (a damaged memo, say: the description names the record and field), while the record's
    // other fields still can be.
    const vfp::Value& Value() const
    {
        if (!mOnRecord)
            throw DatabaseError("The field " + mName.toStdString() +
                                " has no value: the recordset is past its last record.");
        if (mFailed)
            throw DatabaseError(mFailure);
        return mValue;
    }

    // Used by the row source when it reads a record: the value, or why it could not be read.
    vfp::Value& mutableValue() { return mValue; }
    void setReadable() { mFailed = false; }
    void setUnreadable(std::string description)
    {
        mFailed = true;
        mFailure = std::move(description);
    }
    // Used by the recordset when it moves.
    void setOnRecord(bool onRecord) { mOnRecord = onRecord; }

private:
    QString mName;
    int mType;
    int mNumericScale;
    vfp::Value mValue;
    std::string mFailure;
    bool mOnRecord = true;
    bool mFailed = false;
};

}  // namespace rows
