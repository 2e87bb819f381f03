// One column of a recordset: its name, ADO type, how it is declared and the value in the
// current row.
#pragma once

#include <string>
#include <utility>

#include <QString>

#include "components/rows/DatabaseError.h"
#include "components/vfp/Value.h"

namespace rows {

// ADO's field attribute bits the component reports (Field::Attributes).
enum FieldAttribute : long {
    adFldIsNullable = 0x20,  // the field accepts Null
    adFldMayBeNull = 0x40,   // Null may be read from it
};

// How a field is declared, in ADO's terms.
struct FieldShape
{
    long DefinedSize = 0;  // the declared width in bytes: C(20) 20, N(10,2) 10, I 4, a memo's
                           // pointer 4 (10 in FoxPro 2 tables); 0 when the source does not say
    int NumericScale = 0;  // the declared decimals: N(10,2) 2, B(4) 4, currency 4; else 0
    long Attributes = adFldIsNullable | adFldMayBeNull;  // a source that does not say: Null
};

class Field
{
public:
    Field(QString name, int type, FieldShape shape = {})
        : mName(std::move(name)), mType(type), mShape(shape)
    {}

    // The field name as the provider gives it: lower case; container tables give their long
    // names.
    const QString& name() const { return mName; }
    // The ADO type code (AdoType).
    int Type() const { return mType; }
    long DefinedSize() const { return mShape.DefinedSize; }
    // ADO's NumericScale: the decimals the source declares for the column's numbers, 0 where
    // it declares none. A table field gives its descriptor's (numeric, float and double their
    // decimals, currency the four it holds); a local view's column those of the source field
    // or expression it was translated from, where the translator knows them; a remote view's
    // exact numeric column the scale the ODBC driver describes.
    int NumericScale() const { return mShape.NumericScale; }
    long Attributes() const { return mShape.Attributes; }
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
    FieldShape mShape;
    vfp::Value mValue;
    std::string mFailure;
    bool mOnRecord = true;
    bool mFailed = false;
};

}  // namespace rows
