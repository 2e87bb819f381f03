// Writes Visual FoxPro free tables and container member tables (.dbf with .fpt), streaming:
// records are appended one by one and the header's record count is patched at close, so a
// table of millions of records is written with flat memory. Used by tests, benchmarks and
// the build's sample generator (library quorvane_vfpwriter).
//
//   vfpwriter::TableWriter writer(dir / "orders.dbf",
//                           {{"ID", vfp::FieldType::Integer},
//                            {"NAME", vfp::FieldType::Character, 30},
//                            {"NOTES", vfp::FieldType::Memo, 0, 0, /*nullable*/ true}});
//   writer.append(values);            // one vfp::Value per field
//   writer.close();                   // patches the count; throws on failure
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "components/vfp/FieldDescriptor.h"
#include "components/vfp/Value.h"

namespace vfpwriter {

struct FieldDefinition
{
    std::string name;  // header name: 1-10 ASCII letters, digits or '_' (container members:
                       // see ContainerWriter, which takes long names)
    vfp::FieldType type = vfp::FieldType::Character;
    int length = 0;    // 0 = the type's width: D/T/B/Y 8, I/M/G/W/P 4, L 1, C/V/Q 10, N/F 10
    int decimals = 0;  // N, F, B; Y always gets 4
    bool nullable = false;
    bool binary = false;         // C, V, M: bytes without code-page translation
    bool autoIncrement = false;  // I only; values are written as given
};

struct WriteOptions
{
    std::uint8_t codePageMark = 0x03;  // 0x03 = Windows-1252; 0 writes an unmarked table
    std::uint32_t memoBlockSize = 64;  // bytes per memo block, 1 to 65535
    std::string backlink;              // container path relative to the table, '\' separators
    std::uint8_t version = 0;          // 0: 0x32 when V, Q or W fields exist, else 0x30
    // VFP stores date-time milliseconds one short of the second (…19.999); set to write that way.
    bool datetimeOneMsShort = false;
};

class TableWriter
{
public:
    // Creates (or replaces) the table file, and its .fpt when a field needs one. Throws
    // VfpError for an invalid field list (bad name or width, duplicate names, record over
    // 65,500 bytes, more than 255 fields) or when the file cannot be created.
    TableWriter(const std::filesystem::path& dbf, std::vector<FieldDefinition> fields,
                const WriteOptions& options = {});
    ~TableWriter();  // closes if still open, ignoring errors: call close() to see them
    TableWriter(TableWriter&&) noexcept;
    TableWriter& operator=(TableWriter&&) noexcept;

    // Appends one record, values in field order (as many as fields). Accepted kinds:
    //   any field: Null (field must be nullable), Empty (blank bytes: spaces, zeros, pointer 0)
    //   C, V, M: Text (UTF-8, encoded to the code page; characters it lacks become '?') or
    //            Binary (stored as is); C is padded with spaces, V/Q shorter than the field
    //            get their length bit and length byte
    //   Q, G, W, P: Binary     N, F: Decimal (text right-justified as given), Integer, Double
    //   I: Integer   B: Double or Integer   Y: Currency (x 10,000) or Integer
    //   D: Date   T: DateTime   L: Boolean
    // Throws VfpError naming the field when a value does not fit or has the wrong kind; the
    // record is then not written.
    void append(const std::vector<vfp::Value>& values, bool deleted = false);
    std::uint32_t recordCount() const;

    // Writes the end-of-file mark and the record count, and closes the files.
    // Throws VfpError when writing fails.
    void close();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace vfpwriter
