// Values too long for a view are never made. Where one would be born (REPLICATE(), SPACE(),
// PADL() and the other vfp_ functions, a memo or general field read from a table) a mark takes
// its place: a short blob no table holds, numbered as it is made. A mark that reaches a
// result column leaves that one cell unreadable, as a damaged value does; a mark that went
// into any other computation (a comparison, LEFT(), a sort key) would have made its result
// wrong, so the view fails as a whole once the marks made outnumber those that arrived.
#pragma once

#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace views {

class OverflowMarks
{
public:
    OverflowMarks();  // its marks carry 16 random bytes of its own
    OverflowMarks(const OverflowMarks&) = delete;
    OverflowMarks& operator=(const OverflowMarks&) = delete;

    // Makes a new mark the result of an SQLite function or virtual table column.
    void markResult(sqlite3_context* context);
    // True when value is a mark (one of ours: our functions pass it on unchanged).
    bool isMark(sqlite3_value* value) const;

    // True once a mark was made (since restart()): only then can a cell hold one.
    bool any() const { return !mArrived.empty(); }
    // For the reader of results: true when the bytes of a result cell are a mark, which is
    // then counted as arrived (a mark may arrive in several cells).
    bool arrived(std::string_view bytes);
    // True when the bytes hold a mark's random bytes, joined with others into a longer text.
    bool inside(std::string_view bytes) const;
    // True once every mark made has arrived in a cell.
    bool allArrived() const { return mArrivedCount == mArrived.size(); }
    // Forgets the marks made so far (those of the counting pass, which reads no cell).
    void restart();

private:
    static constexpr std::size_t kNonceSize = 16;
    static constexpr std::size_t kMarkSize = kNonceSize + sizeof(std::uint64_t);

    std::array<unsigned char, kNonceSize> mNonce{};
    std::vector<bool> mArrived;  // by number, in the order made
    std::size_t mArrivedCount = 0;
};

}  // namespace views
