// One column of a recordset: its name, ADO type and the value in the current row.
#pragma once

#include <QString>

#include "components/database/Variant.h"

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
    // The value in the current row; Null is kept as Null.
    const Variant& Value() const { return mValue; }

    // Used by the recordset when it moves.
    Variant& mutableValue() { return mValue; }

private:
    QString mName;
    int mType;
    Variant mValue;
};

}  // namespace database
