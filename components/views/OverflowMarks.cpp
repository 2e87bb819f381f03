// Marks in place of values too long for a view: 16 random bytes, then the mark's number.
#include "components/views/OverflowMarks.h"

#include <cstring>
#include <random>

namespace views {

OverflowMarks::OverflowMarks()
{
    std::random_device random;
    for (unsigned char& byte : mNonce)
        byte = static_cast<unsigned char>(random());
}

void OverflowMarks::markResult(sqlite3_context* context)
{
    std::array<unsigned char, kMarkSize> mark{};
    const std::uint64_t number = mArrived.size();
    std::memcpy(mark.data(), mNonce.data(), kNonceSize);
    std::memcpy(mark.data() + kNonceSize, &number, sizeof number);
    mArrived.push_back(false);
    sqlite3_result_blob(context, mark.data(), static_cast<int>(mark.size()), SQLITE_TRANSIENT);
}

bool OverflowMarks::isMark(sqlite3_value* value) const
{
    if (sqlite3_value_type(value) != SQLITE_BLOB ||
        sqlite3_value_bytes(value) != static_cast<int>(kMarkSize))
        return false;
    return std::memcmp(sqlite3_value_blob(value), mNonce.data(), kNonceSize) == 0;
}

bool OverflowMarks::arrived(std::string_view bytes)
{
    if (bytes.size() != kMarkSize || std::memcmp(bytes.data(), mNonce.data(), kNonceSize) != 0)
        return false;
    std::uint64_t number = 0;
    std::memcpy(&number, bytes.data() + kNonceSize, sizeof number);
    // The number is checked all the same: a cell holds data.
    if (number < mArrived.size() && !mArrived[number]) {
        mArrived[number] = true;
        ++mArrivedCount;
    }
    return true;
}

bool OverflowMarks::inside(std::string_view bytes) const
{
    return bytes.find(std::string_view(reinterpret_cast<const char*>(mNonce.data()), kNonceSize)) !=
           std::string_view::npos;
}

void OverflowMarks::restart()
{
    mArrived.clear();
    mArrivedCount = 0;
}

}  // namespace views
