// Reads integers from byte buffers one byte at a time: little-endian for table headers and
// records, big-endian for memo file headers. Never casts a struct over a buffer.
#pragma once

#include <cstdint>
#include <cstring>

namespace vfp::endian {

inline std::uint16_t le16(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

inline std::uint32_t le32(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t{b[0]} | (std::uint32_t{b[1]} << 8) | (std::uint32_t{b[2]} << 16) |
           (std::uint32_t{b[3]} << 24);
}

inline std::uint64_t le64(const char* p)
{
    return std::uint64_t{le32(p)} | (std::uint64_t{le32(p + 4)} << 32);
}

inline std::uint16_t be16(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint16_t>((b[0] << 8) | b[1]);
}

inline std::uint32_t be32(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) |
           std::uint32_t{b[3]};
}

inline double leDouble(const char* p)
{
    const std::uint64_t bits = le64(p);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline void putLe16(char* p, std::uint16_t v)
{
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>(v >> 8);
}

inline void putLe32(char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void putLe64(char* p, std::uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void putBe16(char* p, std::uint16_t v)
{
    p[0] = static_cast<char>(v >> 8);
    p[1] = static_cast<char>(v & 0xFF);
}

inline void putBe32(char* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>((v >> (8 * (3 - i))) & 0xFF);
}

}  // namespace vfp::endian
