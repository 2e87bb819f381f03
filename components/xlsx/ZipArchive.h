// The zip container of a package, written by hand: each entry's data is deflated elsewhere and
// its local header is written last, into room left for it in front of the data, so an entry
// never has to be held back or copied. Zip64 records appear where sizes or offsets pass 4 GiB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "components/xlsx/ByteBuffer.h"

namespace xlsx {

class OutputFile;

struct ZipEntry
{
    std::string name;                  // ASCII part name, e.g. "xl/worksheets/sheet1.xml"
    std::uint64_t offset = 0;          // of the local header in the file
    std::uint64_t compressedSize = 0;  // deflated bytes after the local header
    std::uint64_t size = 0;            // bytes once inflated
    std::uint32_t crc = 0;             // CRC-32 of the inflated bytes
};

// Bytes of a local header without padding; zip64 when the entry's sizes need it.
std::size_t localHeaderSize(std::size_t nameLength, bool zip64);
bool needsZip64Sizes(const ZipEntry& entry);

// Appends entry's local header, followed by padding extra bytes (0, or 4 to 65,535 less the
// zip64 field) in an extra field readers skip.
void appendLocalHeader(ByteBuffer& out, const ZipEntry& entry, std::size_t padding);

// Padding that fills `room` bytes of local header for entry; -1 when no padding can (room too
// small, or 1 to 3 bytes over, which no extra field is short enough to fill).
long paddingFor(const ZipEntry& entry, std::size_t room);

class ZipArchive
{
public:
    explicit ZipArchive(const OutputFile& file) : mFile(file) {}

    // Where the next entry starts.
    std::uint64_t end() const { return mEnd; }
    // Records an entry written in full at entry.offset, its data ending at dataEnd, where the
    // archive now ends.
    void add(const ZipEntry& entry, std::uint64_t dataEnd);
    // Replaces the entry named entry.name (same offset) with new sizes and CRC.
    void update(const ZipEntry& entry);
    // Writes an entry whose data is at hand, with its local header, at the end.
    void write(const ZipEntry& entry, std::string_view deflated);
    // Writes the central directory and the end records, and cuts the file there.
    void finish();

private:
    const OutputFile& mFile;
    std::vector<ZipEntry> mEntries;
    std::uint64_t mEnd = 0;
};

}  // namespace xlsx
