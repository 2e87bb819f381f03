// Feeds bytes to the container reader: bytes 0-3 (little-endian) give the length of the
// .dbc part, the rest is its .dct memo. VfpError is the expected answer to bad input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "components/vfp/Container.h"
#include "components/vfp/VfpError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const std::size_t declared = std::size_t{data[0]} | (std::size_t{data[1]} << 8) |
                                 (std::size_t{data[2]} << 16) | (std::size_t{data[3]} << 24);
    const std::string rest(reinterpret_cast<const char*>(data + 4), size - 4);
    const std::size_t split = std::min(declared, rest.size());
    try {
        const vfp::Container container =
            vfp::Container::open(vfp::memorySource(rest.substr(0, split), "fuzz.dbc"),
                                 vfp::memorySource(rest.substr(split), "fuzz.dct"), {});
        for (const vfp::ContainerTable& table : container.tables())
            container.findTable(table.name);
        for (const vfp::ContainerView& view : container.views())
            container.findConnection(view.connectionName);
    } catch (const vfp::VfpError&) {
    }
    return 0;
}
