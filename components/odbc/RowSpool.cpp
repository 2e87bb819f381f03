// The spool file's layout: per value one byte of kind, then what the kind holds: a 64-bit
// length and the bytes (text, binary, decimal), a 64-bit integer, a double, or the six date
// and time numbers. Written and read by this process only, in its own byte order.
#include "components/odbc/RowSpool.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <initializer_list>

#include "components/rows/DatabaseError.h"

namespace odbc {

namespace {

using Kind = vfp::Value::Kind;

constexpr std::size_t kBufferBytes = 1 << 18;  // stdio's default 4 KiB costs a call per row
constexpr std::size_t kReadPieceBytes = 1 << 20;
constexpr auto kLastKind = static_cast<std::uint8_t>(Kind::Boolean);

// Calls part(address, size) for each fixed-size member that a value of its kind holds, in
// the file's order; `Value` is const for writing.
template <typename Value, typename Part>
void fixedParts(Value& value, Part&& part)
{
    switch (value.kind) {
        case Kind::Integer:
        case Kind::Currency:
        case Kind::Boolean:
            part(&value.integer, sizeof value.integer);
            return;
        case Kind::Double:
            part(&value.real, sizeof value.real);
            return;
        case Kind::Date:
        case Kind::DateTime:
            for (auto* number :
                 {&value.year, &value.month, &value.day, &value.hour, &value.minute, &value.second})
                part(number, sizeof *number);
            return;
        default:
            return;
    }
}

bool holdsBytes(Kind kind)
{
    return kind == Kind::Text || kind == Kind::Binary || kind == Kind::Decimal;
}

}  // namespace

RowSpool::RowSpool(std::string context) : mContext(std::move(context)), mFile(std::tmpfile())
{
    if (!mFile)
        failed("cannot be made", errno);
    std::setvbuf(mFile.get(), nullptr, _IOFBF, kBufferBytes);
}

void RowSpool::write(const vfp::Value& value)
{
    const auto kind = static_cast<std::uint8_t>(value.kind);
    put(&kind, 1);
    if (holdsBytes(value.kind)) {
        const std::uint64_t size = value.bytes.size();
        put(&size, sizeof size);
        put(value.bytes.data(), value.bytes.size());
        return;
    }
    fixedParts(value, [this](const void* data, std::size_t size) { put(data, size); });
}

void RowSpool::rewind()
{
    if (std::fflush(mFile.get()) != 0 || std::fseek(mFile.get(), 0, SEEK_SET) != 0)
        failed("cannot be written", errno);
}

void RowSpool::read(vfp::Value& out)
{
    std::uint8_t kind = 0;
    get(&kind, 1);
    if (kind > kLastKind)
        failed("holds a value of no known kind");
    out.kind = static_cast<Kind>(kind);
    if (holdsBytes(out.kind)) {
        std::uint64_t size = 0;
        get(&size, sizeof size);
        // Never trust a length: the buffer grows a piece at a time, as far as the file goes.
        out.bytes.clear();
        while (size > 0) {
            const std::size_t n = std::min<std::uint64_t>(size, kReadPieceBytes);
            const std::size_t at = out.bytes.size();
            out.bytes.resize(at + n);
            get(out.bytes.data() + at, n);
            size -= n;
        }
        return;
    }
    fixedParts(out, [this](void* data, std::size_t size) { get(data, size); });
}

void RowSpool::put(const void* data, std::size_t size)
{
    if (size > 0 && std::fwrite(data, 1, size, mFile.get()) != size)
        failed("cannot be written", errno);
}

void RowSpool::get(void* data, std::size_t size)
{
    if (size == 0 || std::fread(data, 1, size, mFile.get()) == size)
        return;
    if (std::feof(mFile.get()))
        failed("ends before its last row");
    failed("cannot be read", errno);
}

void RowSpool::failed(const char* what, int error) const
{
    std::string reason = "the temporary file for its rows " + std::string(what);
    if (error != 0)
        reason += " (" + std::string(std::strerror(error)) + ")";
    throw rows::DatabaseError(mContext + ": " + reason + ".");
}

}  // namespace odbc
