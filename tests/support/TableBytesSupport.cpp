// Test byte builders; see TableBytes.h.
#include "tests/support/TableBytes.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace vfptest {

void TableBytes::add(const std::vector<std::string>& fieldBytes, bool deleted)
{
    std::string record(1, deleted ? '*' : ' ');
    for (const std::string& bytes : fieldBytes)
        record += bytes;
    records.push_back(record);
}

int TableBytes::headerLength() const
{
    const bool visual = version == 0x30 || version == 0x31 || version == 0x32;
    return 32 + 32 * static_cast<int>(fields.size()) + 1 + (visual ? 263 : 0);
}

int TableBytes::recordLength() const
{
    int length = 1;
    for (const RawField& field : fields)
        length += field.length;
    return length;
}

std::string TableBytes::build() const
{
    std::string out(32, '\0');
    out[0] = static_cast<char>(version);
    out[1] = 24;
    out[2] = 1;
    out[3] = 2;
    std::memcpy(out.data() + 4, le32(static_cast<std::uint32_t>(records.size())).data(), 4);
    std::memcpy(out.data() + 8, le16(static_cast<std::uint16_t>(headerLength())).data(), 2);
    std::memcpy(out.data() + 10, le16(static_cast<std::uint16_t>(recordLength())).data(), 2);
    out[29] = static_cast<char>(codePageMark);
    int offset = 1;
    for (const RawField& field : fields) {
        std::string descriptor(32, '\0');
        std::memcpy(descriptor.data(), field.name.data(),
                    std::min<std::size_t>(field.name.size(), 11));
        descriptor[11] = field.type;
        std::memcpy(descriptor.data() + 12, le32(static_cast<std::uint32_t>(offset)).data(), 4);
        descriptor[16] = static_cast<char>(field.length & 0xFF);
        descriptor[17] = static_cast<char>(field.decimals);
        descriptor[18] = static_cast<char>(field.flags);
        out += descriptor;
        offset += field.length;
    }
    out += '\x0D';
    if (headerLength() > static_cast<int>(out.size())) {
        std::string link = backlink;
        link.resize(263, '\0');
        out += link;
    }
    for (const std::string& record : records)
        out += record;
    out += '\x1A';
    return out;
}

std::string fptBytes(std::uint16_t blockSize,
                     const std::vector<std::pair<std::uint32_t, std::string>>& memos,
                     std::vector<std::uint32_t>& pointers)
{
    const std::uint32_t size = blockSize == 0 ? 1 : blockSize;
    std::string out(512, '\0');
    while (out.size() % size != 0)
        out += '\0';
    pointers.clear();
    for (const auto& [type, data] : memos) {
        pointers.push_back(static_cast<std::uint32_t>(out.size() / size));
        out += be32(type) + be32(static_cast<std::uint32_t>(data.size())) + data;
        while (out.size() % size != 0)
            out += '\0';
    }
    const std::string next = be32(static_cast<std::uint32_t>(out.size() / size));
    std::memcpy(out.data(), next.data(), 4);
    out[6] = static_cast<char>(blockSize >> 8);
    out[7] = static_cast<char>(blockSize & 0xFF);
    return out;
}

std::string le16(std::uint16_t v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string le32(std::uint32_t v)
{
    std::string out;
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

std::string le64(std::uint64_t v)
{
    return le32(static_cast<std::uint32_t>(v)) + le32(static_cast<std::uint32_t>(v >> 32));
}

std::string be32(std::uint32_t v)
{
    std::string out;
    for (int i = 3; i >= 0; --i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

std::string dateTime(std::uint32_t julianDay, std::uint32_t milliseconds)
{
    return le32(julianDay) + le32(milliseconds);
}

std::string right(const std::string& text, int width)
{
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

std::string left(const std::string& text, int width)
{
    return text + std::string(static_cast<std::size_t>(width) - text.size(), ' ');
}

std::string hex(const std::string& bytes)
{
    std::string out;
    char digits[3];
    for (const char c : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(c));
        out += digits;
    }
    return out;
}

std::string describe(const vfp::Value& value)
{
    using Kind = vfp::Value::Kind;
    char text[64];
    switch (value.kind) {
        case Kind::Empty:
            return "empty";
        case Kind::Null:
            return "null";
        case Kind::Text:
            return "text:" + value.bytes;
        case Kind::Binary:
            return "bin:" + hex(value.bytes);
        case Kind::Decimal:
            return "dec:" + value.bytes;
        case Kind::Integer:
            return "int:" + std::to_string(value.integer);
        case Kind::Currency:
            return "cy:" + std::to_string(value.integer);
        case Kind::Double: {
            const auto end = std::to_chars(text, text + sizeof text, value.real).ptr;
            return "double:" + std::string(text, end);
        }
        case Kind::Date:
            std::snprintf(text, sizeof text, "date:%04d-%02d-%02d", value.year, value.month,
                          value.day);
            return text;
        case Kind::DateTime:
            std::snprintf(text, sizeof text, "datetime:%04d-%02d-%02d %02d:%02d:%02d", value.year,
                          value.month, value.day, value.hour, value.minute, value.second);
            return text;
        case Kind::Boolean:
            return value.integer ? "bool:true" : "bool:false";
    }
    return "?";
}

}  // namespace vfptest
