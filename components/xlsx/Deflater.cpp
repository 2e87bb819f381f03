// ISA-L's stream interface, called until the input is taken and, for a flush or the last block,
// until the output holds all of it.
#include "components/xlsx/Deflater.h"

#include <string>

#include <isa-l/igzip_lib.h>

#include "components/xlsx/XlsxError.h"

namespace xlsx {

namespace {

constexpr int kLevel = 1;
constexpr std::size_t kSpareOutput = 64 * 1024;  // stored blocks and flush markers at worst

}  // namespace

Deflater::Deflater()
    : mStream(std::make_unique<isal_zstream>()), mLevelBuffer(ISAL_DEF_LVL1_DEFAULT)
{
    restart();
}

Deflater::~Deflater() = default;

void Deflater::restart()
{
    isal_deflate_init(mStream.get());
    mStream->level = kLevel;
    mStream->level_buf = mLevelBuffer.data();
    mStream->level_buf_size = static_cast<std::uint32_t>(mLevelBuffer.size());
}

void Deflater::deflate(std::string_view input, Ending ending, ByteBuffer& out)
{
    // ISA-L counts in 32 bits: feed a huge input in slices.
    constexpr std::size_t kSlice = std::size_t(1) << 30;
    do {
        const std::string_view slice = input.substr(0, kSlice);
        input.remove_prefix(slice.size());
        const bool lastSlice = input.empty();
        mStream->next_in = reinterpret_cast<std::uint8_t*>(const_cast<char*>(slice.data()));
        mStream->avail_in = static_cast<std::uint32_t>(slice.size());
        mStream->flush = lastSlice && ending == Ending::Sync ? SYNC_FLUSH : NO_FLUSH;
        mStream->end_of_stream = lastSlice && ending == Ending::Final ? 1 : 0;
        for (;;) {
            const std::size_t room = slice.size() / 4 + kSpareOutput;
            char* target = out.reserve(room);
            mStream->next_out = reinterpret_cast<std::uint8_t*>(target);
            mStream->avail_out = static_cast<std::uint32_t>(room);
            const int result = isal_deflate(mStream.get());
            out.commit(target + (room - mStream->avail_out));
            if (result != COMP_OK)
                throw XlsxError("Compressing the workbook failed (ISA-L error " +
                                std::to_string(result) + ").");
            // ISA-L stops when the input is used up or the output is full; with room left,
            // everything asked for (a flush, the final block) has been written.
            const bool done =
                mStream->avail_in == 0 && mStream->avail_out > 0 &&
                (mStream->end_of_stream == 0 || mStream->internal_state.state == ZSTATE_END);
            if (done)
                break;
        }
    } while (!input.empty());
}

}  // namespace xlsx
