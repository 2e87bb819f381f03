// Memo file writing for TableWriter.
#include "components/vfpwriter/MemoWriter.h"

#include <cerrno>
#include <cstring>
#include <limits>
#include <string>

#include "components/vfp/Endian.h"
#include "components/vfp/VfpError.h"

namespace vfpwriter {
namespace {

constexpr std::uint32_t kHeaderBytes = 512;
constexpr std::uint32_t kMaxBlockSize = 65535;  // the header keeps it in 16 bits

std::string failure(const std::filesystem::path& path, const char* what)
{
    return path.filename().string() + " cannot be " + what + ": " + std::strerror(errno) + " (" +
           path.string() + ").";
}

}  // namespace

MemoWriter::MemoWriter(const std::filesystem::path& path, std::uint32_t blockSize)
    : mPath(path),
      mBlockSize(blockSize),
      mNextBlock((kHeaderBytes + blockSize - 1) / std::max<std::uint32_t>(1, blockSize))
{
    if (blockSize < 1 || blockSize > kMaxBlockSize)
        throw vfp::VfpError(path.filename().string() + ": memo block size " +
                            std::to_string(blockSize) + " is outside 1 to 65535.");
    mFile = std::fopen(path.c_str(), "wb");
    if (!mFile)
        throw vfp::VfpError(failure(path, "created"));
    // the header fills whole blocks, so the first memo starts on a block boundary
    const std::string header(static_cast<std::size_t>(mNextBlock * mBlockSize), '\0');
    std::fwrite(header.data(), 1, header.size(), mFile);
}

MemoWriter::~MemoWriter()
{
    if (mFile)
        std::fclose(mFile);
}

std::uint32_t MemoWriter::append(std::string_view data, std::uint32_t type)
{
    const std::uint64_t bytes = 8 + data.size();
    const std::uint64_t blocks = (bytes + mBlockSize - 1) / mBlockSize;
    if (data.size() > std::numeric_limits<std::uint32_t>::max() ||
        mNextBlock + blocks > std::numeric_limits<std::uint32_t>::max())
        throw vfp::VfpError(mPath.filename().string() +
                            " is full: a memo pointer cannot address more blocks.");
    char head[8];
    vfp::endian::putBe32(head, type);
    vfp::endian::putBe32(head + 4, static_cast<std::uint32_t>(data.size()));
    std::fwrite(head, 1, sizeof head, mFile);
    std::fwrite(data.data(), 1, data.size(), mFile);
    static const char zeros[512] = {};
    for (std::uint64_t pad = blocks * mBlockSize - bytes; pad > 0;) {
        const std::size_t chunk =
            static_cast<std::size_t>(std::min<std::uint64_t>(pad, sizeof zeros));
        std::fwrite(zeros, 1, chunk, mFile);
        pad -= chunk;
    }
    const auto block = static_cast<std::uint32_t>(mNextBlock);
    mNextBlock += blocks;
    return block;
}

void MemoWriter::close()
{
    if (!mFile)
        return;
    // bytes 0-3: next free block; bytes 6-7: block size; both big-endian
    char head[8] = {};
    vfp::endian::putBe32(head, static_cast<std::uint32_t>(mNextBlock));
    vfp::endian::putBe16(head + 6, static_cast<std::uint16_t>(mBlockSize));
    const bool ok = std::fseek(mFile, 0, SEEK_SET) == 0 &&
                    std::fwrite(head, 1, sizeof head, mFile) == sizeof head && !std::ferror(mFile);
    const bool closed = std::fclose(mFile) == 0;
    mFile = nullptr;
    if (!ok || !closed)
        throw vfp::VfpError(failure(mPath, "written"));
}

}  // namespace vfpwriter
