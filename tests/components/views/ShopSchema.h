// The columns of the shop container's tables, shared by the view tests (which fill them, see
// ViewTestSupport.h) and the view SQL fuzz target (which leaves them empty).
#pragma once

#include <vector>

#include "components/vfpwriter/TableWriter.h"

namespace viewtest {

inline std::vector<vfpwriter::FieldDefinition> peopleFields()
{
    using vfp::FieldType;
    return {{"id", FieldType::Integer},
            {"name", FieldType::Character, 10},
            {"first", FieldType::Character, 8},
            {"last", FieldType::Character, 10},
            {"born", FieldType::Date, 0, 0, true},
            {"stamp", FieldType::DateTime},
            {"member", FieldType::Logical},
            {"balance", FieldType::Currency},
            {"rate", FieldType::Numeric, 6, 2, true},
            {"notes", FieldType::Memo}};
}

inline std::vector<vfpwriter::FieldDefinition> ordersFields()
{
    using vfp::FieldType;
    return {{"id", FieldType::Integer},
            {"person", FieldType::Integer},
            {"amount", FieldType::Currency},
            {"day", FieldType::Date},
            {"code", FieldType::Character, 5}};
}

}  // namespace viewtest
