// Feeds bytes to the memo file reader: byte 0 picks the format, bytes 1-4 the block to read
// (little-endian), the rest is the memo file. The memo read is also decoded as a container
// PROPERTY memo. VfpError is the expected answer to bad input.
#include <cstddef>
#include <cstdint>
#include <string>

#include "components/vfp/MemoFile.h"
#include "components/vfp/Properties.h"
#include "components/vfp/VfpError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 5)
        return 0;
    const auto format = static_cast<vfp::MemoFormat>(data[0] % 3);
    const std::uint64_t block = std::uint64_t{data[1]} | (std::uint64_t{data[2]} << 8) |
                                (std::uint64_t{data[3]} << 16) | (std::uint64_t{data[4]} << 24);
    try {
        vfp::MemoFile memo(
            vfp::memorySource(std::string(reinterpret_cast<const char*>(data + 5), size - 5),
                              "fuzz.fpt"),
            format);
        std::string out;
        for (std::uint64_t next = block; next < block + 3; ++next) {
            if (memo.read(next, out) == vfp::MemoStatus::Ok)
                vfp::decodeProperties(out, 1252);
        }
    } catch (const vfp::VfpError&) {
    }
    return 0;
}
