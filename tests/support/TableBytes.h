// Test-only builders of raw table and memo bytes, written from the format's byte layout and
// independent of the engine's writer, so reader and writer cannot share a mistake.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "components/vfp/Value.h"

namespace vfptest {

struct RawField
{
    std::string name;
    char type = 'C';
    int length = 1;
    int decimals = 0;
    std::uint8_t flags = 0;
};

// A table: 32-byte header, 32-byte descriptors (displacements filled in), 0x0D, and for
// Visual FoxPro versions the 263-byte back-link; then records and a 0x1A.
struct TableBytes
{
    std::vector<RawField> fields;
    std::uint8_t version = 0x30;
    std::uint8_t codePageMark = 0x03;
    std::string backlink;              // written when version is 0x30-0x32
    std::vector<std::string> records;  // each starts with its deletion byte

    // Adds a record from the field bytes, in order (deletion byte added here).
    void add(const std::vector<std::string>& fieldBytes, bool deleted = false);
    int headerLength() const;
    int recordLength() const;
    std::string build() const;
};

// A .fpt: 512-byte header (big-endian next free block and block size) and one block per memo.
// Returns the bytes; pointers receives each memo's block number.
std::string fptBytes(std::uint16_t blockSize,
                     const std::vector<std::pair<std::uint32_t, std::string>>& memos,
                     std::vector<std::uint32_t>& pointers);

std::string le16(std::uint16_t v);
std::string le32(std::uint32_t v);
std::string le64(std::uint64_t v);
std::string be32(std::uint32_t v);
// The 8 bytes of a date-time field: Julian day and milliseconds.
std::string dateTime(std::uint32_t julianDay, std::uint32_t milliseconds);
// Text right-justified (numbers) or left-justified and space-padded to width.
std::string right(const std::string& text, int width);
std::string left(const std::string& text, int width);
// Lower-case hexadecimal of bytes.
std::string hex(const std::string& bytes);

// A compact, unambiguous text of a value for comparisons: "null", "text:ab ", "bin:6162",
// "dec:12.5", "int:7", "cy:12345", "double:2.3", "date:2013-05-03",
// "datetime:2013-05-03 16:46:20", "bool:true", "empty".
std::string describe(const vfp::Value& value);

}  // namespace vfptest
