// Zip records as APPNOTE 6.3 describes them, little-endian. Every entry is deflated (method 8),
// dated 1980-01-01 00:00 (a package has no file times), with no data descriptor: the local
// header is written once sizes and CRC are known.
#include "components/xlsx/ZipArchive.h"

#include <algorithm>

#include "components/xlsx/OutputFile.h"

namespace xlsx {

namespace {

constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint16_t kVersion = 20;       // deflate
constexpr std::uint16_t kVersionZip64 = 45;  // zip64 fields
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kDosTime = 0;
constexpr std::uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;  // 1980-01-01
constexpr std::uint16_t kZip64Field = 0x0001;
constexpr std::uint16_t kPaddingField = 0xD935;  // the padding field Android's zipalign writes
constexpr std::uint32_t kMax32 = 0xFFFFFFFF;
constexpr std::uint16_t kMax16 = 0xFFFF;
constexpr std::size_t kLocalFixed = 30;
constexpr std::size_t kFieldHeader = 4;
constexpr std::size_t kMaxExtra = 0xFFFF;

class Record
{
public:
    explicit Record(ByteBuffer& out) : mOut(out) {}
    Record& u16(std::uint16_t v) { return bytes(v, 2); }
    Record& u32(std::uint32_t v) { return bytes(v, 4); }
    Record& u64(std::uint64_t v) { return bytes(v, 8); }
    Record& text(std::string_view s)
    {
        mOut.append(s);
        return *this;
    }
    Record& zeros(std::size_t n)
    {
        char* p = mOut.reserve(n);
        std::fill(p, p + n, '\0');
        mOut.commit(p + n);
        return *this;
    }

private:
    Record& bytes(std::uint64_t v, int n)
    {
        char* p = mOut.reserve(8);
        for (int i = 0; i < n; ++i)
            p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        mOut.commit(p + n);
        return *this;
    }
    ByteBuffer& mOut;
};

std::uint32_t low32(std::uint64_t v, bool overflow)
{
    return overflow ? kMax32 : static_cast<std::uint32_t>(v);
}

}  // namespace

bool needsZip64Sizes(const ZipEntry& entry)
{
    return entry.size >= kMax32 || entry.compressedSize >= kMax32;
}

std::size_t localHeaderSize(std::size_t nameLength, bool zip64)
{
    return kLocalFixed + nameLength + (zip64 ? kFieldHeader + 16 : 0);
}

long paddingFor(const ZipEntry& entry, std::size_t room)
{
    const bool zip64 = needsZip64Sizes(entry);
    const std::size_t header = localHeaderSize(entry.name.size(), zip64);
    if (room < header)
        return -1;
    const std::size_t padding = room - header;
    const std::size_t limit = kMaxExtra - (zip64 ? kFieldHeader + 16 : 0);
    if (padding == 0 || (padding >= kFieldHeader && padding <= limit))
        return static_cast<long>(padding);
    return -1;
}

void appendLocalHeader(ByteBuffer& out, const ZipEntry& entry, std::size_t padding)
{
    const bool zip64 = needsZip64Sizes(entry);
    const std::size_t extra = (zip64 ? kFieldHeader + 16 : 0) + padding;
    Record r(out);
    r.u32(kLocalSignature).u16(zip64 ? kVersionZip64 : kVersion).u16(0).u16(kDeflated);
    r.u16(kDosTime).u16(kDosDate).u32(entry.crc);
    r.u32(low32(entry.compressedSize, zip64)).u32(low32(entry.size, zip64));
    r.u16(static_cast<std::uint16_t>(entry.name.size())).u16(static_cast<std::uint16_t>(extra));
    r.text(entry.name);
    if (zip64)
        r.u16(kZip64Field).u16(16).u64(entry.size).u64(entry.compressedSize);
    if (padding > 0)
        r.u16(kPaddingField)
            .u16(static_cast<std::uint16_t>(padding - kFieldHeader))
            .zeros(padding - kFieldHeader);
}

void ZipArchive::add(const ZipEntry& entry, std::uint64_t dataEnd)
{
    mEntries.push_back(entry);
    mEnd = dataEnd;
}

void ZipArchive::update(const ZipEntry& entry)
{
    for (ZipEntry& known : mEntries) {
        if (known.name == entry.name)
            known = entry;
    }
}

void ZipArchive::write(const ZipEntry& entry, std::string_view deflated)
{
    ZipEntry placed = entry;
    placed.offset = mEnd;
    placed.compressedSize = deflated.size();
    ByteBuffer record;
    appendLocalHeader(record, placed, 0);
    record.append(deflated);
    mFile.writeAt(placed.offset, record.data(), record.size());
    mEntries.push_back(placed);
    mEnd += record.size();
}

void ZipArchive::finish()
{
    ByteBuffer directory;
    for (const ZipEntry& entry : mEntries) {
        const bool bigSize = entry.size >= kMax32;
        const bool bigCompressed = entry.compressedSize >= kMax32;
        const bool bigOffset = entry.offset >= kMax32;
        const std::uint16_t zip64Length =
            static_cast<std::uint16_t>(8 * (int(bigSize) + int(bigCompressed) + int(bigOffset)));
        const bool zip64 = zip64Length > 0;
        Record r(directory);
        r.u32(kCentralSignature).u16(kVersionZip64).u16(zip64 ? kVersionZip64 : kVersion);
        r.u16(0).u16(kDeflated).u16(kDosTime).u16(kDosDate).u32(entry.crc);
        r.u32(low32(entry.compressedSize, bigCompressed)).u32(low32(entry.size, bigSize));
        r.u16(static_cast<std::uint16_t>(entry.name.size()));
        r.u16(zip64 ? static_cast<std::uint16_t>(kFieldHeader + zip64Length) : 0);
        r.u16(0).u16(0).u16(0).u32(0).u32(low32(entry.offset, bigOffset));
        r.text(entry.name);
        if (zip64) {
            r.u16(kZip64Field).u16(zip64Length);
            if (bigSize)
                r.u64(entry.size);
            if (bigCompressed)
                r.u64(entry.compressedSize);
            if (bigOffset)
                r.u64(entry.offset);
        }
    }
    const std::uint64_t start = mEnd;
    const std::uint64_t length = directory.size();
    const std::uint64_t count = mEntries.size();
    const bool zip64 = count >= kMax16 || start >= kMax32 || length >= kMax32;
    Record r(directory);
    if (zip64) {
        const std::uint64_t zip64End = start + length;
        r.u32(kZip64EndSignature).u64(44).u16(kVersionZip64).u16(kVersionZip64).u32(0).u32(0);
        r.u64(count).u64(count).u64(length).u64(start);
        r.u32(kZip64LocatorSignature).u32(0).u64(zip64End).u32(1);
    }
    const auto count16 = static_cast<std::uint16_t>(zip64 ? kMax16 : count);
    r.u32(kEndSignature).u16(0).u16(0).u16(count16).u16(count16);
    r.u32(low32(length, zip64)).u32(low32(start, zip64)).u16(0);
    mFile.writeAt(start, directory.data(), directory.size());
    mEnd = start + directory.size();
    mFile.truncate(mEnd);
}

}  // namespace xlsx
