// Growth of ByteBuffer: at least doubling, so appends stay amortised constant.
#include "components/xlsx/ByteBuffer.h"

#include <algorithm>

namespace xlsx {

void ByteBuffer::grow(std::size_t n)
{
    constexpr std::size_t kFirstCapacity = 4096;
    const std::size_t capacity = std::max({kFirstCapacity, mCapacity * 2, mSize + n});
    std::unique_ptr<char[]> data(new char[capacity]);
    if (mSize > 0)
        std::memcpy(data.get(), mData.get(), mSize);
    mData = std::move(data);
    mCapacity = capacity;
}

}  // namespace xlsx
