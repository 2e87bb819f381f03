// A growable byte buffer that is written through raw pointers: reserve room, write, commit. It
// never zero-fills what it grows, so formatting a cell costs only the bytes it writes.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

namespace xlsx {

class ByteBuffer
{
public:
    ByteBuffer() = default;
    ByteBuffer(ByteBuffer&& other) noexcept { *this = std::move(other); }
    ByteBuffer& operator=(ByteBuffer&& other) noexcept
    {
        mData = std::move(other.mData);
        mSize = std::exchange(other.mSize, 0);
        mCapacity = std::exchange(other.mCapacity, 0);
        return *this;
    }

    // A pointer to the end of the content with room for at least n more bytes.
    char* reserve(std::size_t n)
    {
        if (mCapacity - mSize < n)
            grow(n);
        return mData.get() + mSize;
    }
    // Makes everything up to end (a pointer from reserve, moved forward) part of the content.
    void commit(char* end) { mSize = static_cast<std::size_t>(end - mData.get()); }
    void append(std::string_view bytes)
    {
        char* out = reserve(bytes.size());
        std::memcpy(out, bytes.data(), bytes.size());
        mSize += bytes.size();
    }
    // Keeps the first size bytes (size <= this->size()).
    void truncate(std::size_t size) { mSize = size; }
    void clear() { mSize = 0; }

    char* data() { return mData.get(); }
    const char* data() const { return mData.get(); }
    std::size_t size() const { return mSize; }
    bool empty() const { return mSize == 0; }
    std::string_view view() const { return {mData.get(), mSize}; }

private:
    void grow(std::size_t n);

    std::unique_ptr<char[]> mData;
    std::size_t mSize = 0;
    std::size_t mCapacity = 0;
};

// Copies text to out and returns the end of the copy.
inline char* put(char* out, std::string_view text)
{
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

}  // namespace xlsx
