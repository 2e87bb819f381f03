// Memo file reading. Every pointer and length is checked against the file size before a byte
// is read; reads go through a 64 KiB window because memos of neighbouring records usually lie
// next to each other.
#include "components/vfp/MemoFile.h"

#include <algorithm>
#include <cstring>

#include "components/vfp/Endian.h"

namespace vfp {
namespace {

constexpr std::size_t kWindowBytes = 64 * 1024;
constexpr std::uint32_t kDbtBlockBytes = 512;  // dBase III blocks; dBase IV default
constexpr char kDbtEnd = 0x1A;                 // dBase III memo text ends at this byte
constexpr std::size_t kBlockHeadBytes = 8;     // FPT and dBase IV blocks start with 8 bytes
// a dBase III memo whose 0x1A end byte is lost would otherwise run to the end of the file
// for every record that points into it
constexpr std::uint64_t kMaxUnterminatedMemo = 4 << 20;

}  // namespace

MemoFile::MemoFile(std::shared_ptr<ByteSource> source, MemoFormat format)
    : mSource(std::move(source)), mFormat(format), mSize(mSource->size())
{
    char head[22] = {};
    const std::size_t got = mSource->readAt(0, head, sizeof head);
    switch (mFormat) {
        case MemoFormat::Fpt:
            // bytes 6-7: block size, big-endian; SET BLOCKSIZE TO 0 gives 1-byte blocks, and some
            // writers store that as 0
            mHeaderComplete = got >= 8;
            mBlockSize = mHeaderComplete ? std::max<std::uint32_t>(1, endian::be16(head + 6)) : 1;
            break;
        case MemoFormat::Dbt3:
            mHeaderComplete = true;
            mBlockSize = kDbtBlockBytes;
            break;
        case MemoFormat::Dbt4:
            // bytes 20-21: block length, little-endian; 0 in files of dBase III heritage
            mHeaderComplete = got >= 22;
            mBlockSize = mHeaderComplete && endian::le16(head + 20) != 0 ? endian::le16(head + 20)
                                                                         : kDbtBlockBytes;
            break;
    }
}

MemoStatus MemoFile::read(std::uint64_t block, std::string& out)
{
    out.clear();
    if (block == 0)
        return MemoStatus::Ok;
    if (!mHeaderComplete)
        return MemoStatus::HeaderDamaged;
    const std::uint64_t offset = block * mBlockSize;  // block < 2^32 and size < 2^16: no overflow
    MemoStatus status = MemoStatus::Ok;
    switch (mFormat) {
        case MemoFormat::Fpt:
            status = readFpt(offset, out);
            break;
        case MemoFormat::Dbt3:
            status = readToTerminator(offset, out);
            break;
        case MemoFormat::Dbt4:
            status = readDbt4(offset, out);
            break;
    }
    if (status != MemoStatus::Ok)
        out.clear();
    return status;
}

MemoStatus MemoFile::readHead(std::uint64_t offset, char* head)
{
    if (offset + kBlockHeadBytes > mSize)
        return MemoStatus::PointerPastEnd;
    return fetch(offset, kBlockHeadBytes, head) ? MemoStatus::Ok : MemoStatus::Shrunk;
}

MemoStatus MemoFile::readFpt(std::uint64_t offset, std::string& out)
{
    // block head: bytes 0-3 type (0 picture, 1 text, 2 object), bytes 4-7 length, big-endian;
    // binary or text is the table field's business, not the block type's
    char head[kBlockHeadBytes];
    if (const MemoStatus status = readHead(offset, head); status != MemoStatus::Ok)
        return status;
    const std::uint32_t length = endian::be32(head + 4);
    if (length > mSize - offset - sizeof head)
        return MemoStatus::LengthPastEnd;
    out.resize(length);
    return fetch(offset + sizeof head, length, out.data()) ? MemoStatus::Ok : MemoStatus::Shrunk;
}

MemoStatus MemoFile::readDbt4(std::uint64_t offset, std::string& out)
{
    // block head FF FF 08 00, then the length little-endian, counting these 8 bytes
    char head[kBlockHeadBytes];
    if (const MemoStatus status = readHead(offset, head); status != MemoStatus::Ok)
        return status;
    if (static_cast<unsigned char>(head[0]) != 0xFF || static_cast<unsigned char>(head[1]) != 0xFF)
        return readToTerminator(offset, out);
    const std::uint32_t length = endian::le32(head + 4);
    const std::uint32_t data =
        length >= sizeof head ? length - static_cast<std::uint32_t>(sizeof head) : 0;
    if (data > mSize - offset - sizeof head)
        return MemoStatus::LengthPastEnd;
    out.resize(data);
    return fetch(offset + sizeof head, data, out.data()) ? MemoStatus::Ok : MemoStatus::Shrunk;
}

MemoStatus MemoFile::readToTerminator(std::uint64_t offset, std::string& out)
{
    if (offset >= mSize)
        return MemoStatus::PointerPastEnd;
    char chunk[kDbtBlockBytes];
    const std::uint64_t stop = std::min(mSize, offset + kMaxUnterminatedMemo);
    while (offset < stop) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(sizeof chunk, stop - offset));
        if (!fetch(offset, want, chunk))
            return MemoStatus::Shrunk;
        const char* end = std::find(chunk, chunk + want, kDbtEnd);
        out.append(chunk, static_cast<std::size_t>(end - chunk));
        if (end != chunk + want)
            break;
        offset += want;
    }
    return MemoStatus::Ok;
}

bool MemoFile::fetch(std::uint64_t offset, std::size_t n, char* into)
{
    if (n > kWindowBytes)
        return mSource->readAt(offset, into, n) == n;
    if (offset < mWindowOffset || offset + n > mWindowOffset + mWindowLength) {
        mWindow.resize(kWindowBytes);
        mWindowOffset = offset;
        mWindowLength = mSource->readAt(
            offset, mWindow.data(),
            static_cast<std::size_t>(std::min<std::uint64_t>(kWindowBytes, mSize - offset)));
        if (mWindowLength < n)
            return false;
    }
    std::memcpy(into, mWindow.data() + (offset - mWindowOffset), n);
    return true;
}

}  // namespace vfp
