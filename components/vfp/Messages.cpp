// The engine's error and note texts.
#include "components/vfp/Messages.h"

namespace vfp::message {
namespace {

std::string number(std::uint64_t n)
{
    return std::to_string(n);
}

}  // namespace

std::string tooShortForHeader(const std::string& file, std::uint64_t size, std::uint64_t needed)
{
    return file + " is not a readable table: it has " + number(size) + " bytes, fewer than the " +
           number(needed) + " its header needs; the file was probably cut short while copying.";
}

std::string noTerminator(const std::string& file, int headerLength)
{
    return file + " is not a readable table: its field list runs past the " + number(headerLength) +
           "-byte header without the 0x0D byte that ends it.";
}

std::string noFields(const std::string& file)
{
    return file + " is not a readable table: its header lists no fields.";
}

std::string unknownType(const std::string& file, const std::string& field, char type)
{
    const auto byte = static_cast<unsigned char>(type);
    const std::string shown =
        byte >= 0x20 && byte < 0x7F ? std::string("'") + type + "'" : "byte " + number(byte);
    return file + ": field " + field + " has type " + shown +
           ", which is not a FoxPro field type; the table cannot be read.";
}

std::string badWidth(const std::string& file, const std::string& field, char type, int width)
{
    return file + ": field " + field + " of type '" + std::string(1, type) + "' has width " +
           number(static_cast<std::uint64_t>(width)) +
           ", which that type cannot have; the header is damaged.";
}

std::string fieldPastRecord(const std::string& file, const std::string& field, int offset,
                            int width, int recordLength)
{
    return file + ": field " + field + " (offset " + number(static_cast<std::uint64_t>(offset)) +
           ", width " + number(static_cast<std::uint64_t>(width)) + ") ends past the " +
           number(static_cast<std::uint64_t>(recordLength)) +
           "-byte record; the header is damaged.";
}

std::string headerLengthTooSmall(const std::string& file, int headerLength, int needed)
{
    return file + ": the header length " + number(static_cast<std::uint64_t>(headerLength)) +
           " is shorter than its field list (" + number(static_cast<std::uint64_t>(needed)) +
           " bytes); the header is damaged.";
}

std::string fileShrank(const std::string& file)
{
    return file +
           " became shorter while it was read; another program may be writing it. Try again once "
           "it is done.";
}

std::string noteRecordsMissing(const std::string& file, std::uint32_t header, std::uint32_t present)
{
    return file + ": the header counts " + number(header) + " records but the file holds " +
           number(present) + " whole records; reading " + number(present) + ".";
}

std::string noteRecordLengthRepaired(const std::string& file, int stored, int used)
{
    return file + ": the header's record length " + number(static_cast<std::uint64_t>(stored)) +
           " disagrees with its fields; the file size confirms " +
           number(static_cast<std::uint64_t>(used)) + ", which is used.";
}

std::string noteNoTerminator(const std::string& file)
{
    return file + ": the field list lacks its 0x0D end byte; it ends where the header ends.";
}

std::string noteNoNullFlags(const std::string& file)
{
    return file +
           ": fields are marked nullable or variable-length but the table has no _NullFlags field;"
           " no value is read as NULL and variable-length values fill their fields.";
}

std::string noteNullFlagsShort(const std::string& file, int needed, int present)
{
    return file + ": _NullFlags has " + number(static_cast<std::uint64_t>(present)) +
           " bits but the fields need " + number(static_cast<std::uint64_t>(needed)) +
           "; fields without a bit are never NULL.";
}

std::string noteMemoMissing(const std::string& file, const std::string& memo)
{
    return file + ": its memo file " + memo + " is missing; memo fields cannot be read.";
}

std::string noteContainer(const std::string& file, const std::string& why)
{
    return file + ": the header names a database container, but " + why +
           "; the header's field names are used.";
}

std::string memoMissing(const std::string& field, const std::string& memo, const std::string& table)
{
    return field + " cannot be read: " + memo + " is missing; it belongs next to " + table + ".";
}

std::string memoUnreadable(const std::string& field, std::uint32_t record, const std::string& memo,
                           MemoStatus status, std::uint64_t block, std::uint64_t memoSize)
{
    std::string why;
    switch (status) {
        case MemoStatus::HeaderDamaged:
            why = "its header is cut short";
            break;
        case MemoStatus::PointerPastEnd:
            why = "the memo pointer (block " + number(block) + ") points past its end (" +
                  number(memoSize) + " bytes)";
            break;
        case MemoStatus::LengthPastEnd:
            why = "the memo at block " + number(block) +
                  " claims more bytes than the file holds (" + number(memoSize) + " bytes)";
            break;
        case MemoStatus::Shrunk:
            why = "it became shorter while it was read";
            break;
        case MemoStatus::Ok:
            break;
    }
    return field + " of record " + number(std::uint64_t{record} + 1) + " cannot be read from " +
           memo + ": " + why +
           ". The memo file is damaged or belongs to another copy of the table.";
}

std::string memoPointerNotANumber(const std::string& field, std::uint32_t record,
                                  const std::string& table)
{
    return field + " of record " + number(std::uint64_t{record} + 1) + " in " + table +
           " cannot be read: its memo pointer is not a number; the record is damaged.";
}

std::string noCurrentRecord(const std::string& table)
{
    return table + ": no record is current; call next() before reading values.";
}

std::string containerFieldMissing(const std::string& file, const std::string& field)
{
    return file + " is not a database container: it has no " + field + " field.";
}

std::string memberMissing(const std::string& table, const std::string& stored,
                          const std::string& container, const std::string& expected)
{
    return table + " cannot be opened: " + stored + " is missing; " + container +
           " expects it at " + expected + ".";
}

}  // namespace vfp::message
