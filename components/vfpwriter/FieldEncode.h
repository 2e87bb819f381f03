// Encoding of values into field bytes for the table writer: the mirror of FieldDecode.
#pragma once

#include <string>

#include "components/vfpwriter/TableWriter.h"

namespace vfpwriter::encode {

struct Context
{
    std::string table;  // file name for messages
    int codePage = 1252;
    bool datetimeOneMsShort = false;
};

// True for the types whose value lives in the memo file.
bool isMemoType(vfp::FieldType type);

// "<table>: field <field> <problem>", the writer's messages.
std::string fieldError(const std::string& table, const std::string& field,
                       const std::string& problem);

// The bytes a field so defined holds for value: text encoded to the code page, numbers as
// right-justified text (placed by the writer), binary types little-endian, memos as their
// data (written to the memo file by the writer). Null and Empty give no bytes. Throws
// VfpError naming the field when the value has a kind the field cannot take, does not fit
// its width, or is Null in a field that is not nullable.
void fieldBytes(const FieldDefinition& definition, const vfp::Value& value, const Context& context,
                std::string& out);

}  // namespace vfpwriter::encode
