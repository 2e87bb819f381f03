// The description of one field of a table, as read from its 32-byte header descriptor.
#pragma once

#include <cstdint>
#include <string>

#include "components/vfp/Value.h"

namespace vfp {

// Field types by their header letter.
enum class FieldType : char {
    Character = 'C',
    Varchar = 'V',
    Varbinary = 'Q',
    Memo = 'M',
    General = 'G',  // OLE object in the memo file
    Blob = 'W',
    Picture = 'P',
    Numeric = 'N',
    Float = 'F',
    Integer = 'I',
    Double = 'B',  // in dBase files (not FoxPro) 'B' is a binary memo: see isMemo
    Currency = 'Y',
    Date = 'D',
    DateTime = 'T',
    Logical = 'L',
    NullFlags = '0',  // the hidden _NullFlags field; never among Table::fields()
};

// Bits of the descriptor's flag byte (offset 18).
namespace FieldFlag {
constexpr std::uint8_t System = 0x01;         // hidden system field (_NullFlags)
constexpr std::uint8_t Nullable = 0x02;       // may hold NULL (needs a _NullFlags bit)
constexpr std::uint8_t Binary = 0x04;         // no code-page translation (C, V, M)
constexpr std::uint8_t AutoIncrement = 0x08;  // autoincrementing integer
}  // namespace FieldFlag

struct FieldDescriptor
{
    std::string name;  // long name from the container when it has one, else headerName (UTF-8)
    std::string headerName;  // the header's name: up to 10 ASCII characters, as stored
    FieldType type = FieldType::Character;
    int offset = 0;  // position in the record; the deletion byte is offset 0
    int length = 0;  // bytes in the record
    int decimals = 0;
    std::uint8_t flags = 0;  // FieldFlag bits as stored
    bool isMemo = false;     // value lives in the memo file (M, G, W, P; dBase B)
    bool isBinary = false;   // value is bytes, never decoded: Q, G, W, P, dBase B, and M with
                             // FieldFlag::Binary (on C and V the flag only says "no code-page
                             // translation": they stay text)
    Value::Kind kind = Value::Kind::Text;  // what a non-null value of this field decodes to
    int nullBit = -1;       // bit in _NullFlags saying NULL, or -1 when the field cannot be NULL
    int varLengthBit = -1;  // V/Q: bit in _NullFlags saying "shorter than the field", else -1

    bool isNullable() const { return nullBit >= 0; }
};

}  // namespace vfp
