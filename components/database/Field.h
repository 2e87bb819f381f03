// One column of a recordset: its name, ADO type and the value in the current row.
#pragma once

#include <QString>

#include "components/database/Variant.h"
#include "components/rows/DatabaseError.h"

namespace database {

class Field
{
public:
    Field(QString name, int type) : mName(std::move(name)), mType(type) {}

    // The field name as the provider gives it: lower case; container tables give their long
    // names.
    const QString& name() const { return mName; }
    // The ADO type code (AdoType).
    int Type() const { return mType; }
    // The value in the current row; Null is kept as Null. Throws DatabaseError when the
    // recordset stands past its last record (EOF), as ADO does: reading on would otherwise
    // repeat the last record.
    const Variant& Value() const
    {
        if (!mOnRecord)
            throw DatabaseError("The field " + mName.toStdString() +
                                " has no value: the recordset is past its last record.");
        return mValue;
    }

    // Used by the recordset when it moves.
    Variant& mutableValue() { return mValue; }
    void setOnRecord(bool onRecord) { mOnRecord = onRecord; }

private:
    QString mName;
    int mType;
    Variant mValue;
    bool mOnRecord = true;
};

}  // namespace database
