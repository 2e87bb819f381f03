// The package file, written at explicit offsets through a descriptor its owner opened and holds:
// never opened again by name, so nothing swapped in at that name meanwhile is ever written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace xlsx {

class OutputFile
{
public:
    // descriptor: open for reading and writing; name: how messages show the file.
    OutputFile(int descriptor, std::string name) : mDescriptor(descriptor), mName(std::move(name))
    {}

    // Each throws FileError naming the file and the system's reason when the system refuses.
    void writeAt(std::uint64_t offset, const char* data, std::size_t size) const;
    // Copies size bytes from offset `from` to offset `to` (the ranges may overlap).
    void move(std::uint64_t from, std::uint64_t size, std::uint64_t to) const;
    void truncate(std::uint64_t size) const;

    const std::string& name() const { return mName; }
    [[noreturn]] void fail(int error) const;

private:
    void readAt(std::uint64_t offset, char* data, std::size_t size) const;

    int mDescriptor;
    std::string mName;
};

}  // namespace xlsx
