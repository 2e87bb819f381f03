// Feeds bytes to the container reader: bytes 0-3 (little-endian) give the length of the
// .dbc part, the rest is its .dct memo. VfpError is the expected answer to bad input; a table or
// view its own name does not find, or an object missing from its parent's children, aborts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
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
        // Every object is found by its name and among its parent's children.
        for (const vfp::ContainerTable& table : container.tables())
            if (container.findTable(table.name) == nullptr)
                std::abort();
        for (const vfp::ContainerView& view : container.views()) {
            if (container.findView(view.name) == nullptr)
                std::abort();
            container.findConnection(view.connectionName);
        }
        for (const vfp::ContainerObject& object : container.objects()) {
            const auto siblings = container.children(object.parentId);
            if (std::find(siblings.begin(), siblings.end(), &object) == siblings.end())
                std::abort();
        }
    } catch (const vfp::VfpError&) {
    }
    return 0;
}
