// Sequential record reading through one large pread buffer, and field decoding into reused
// Value buffers. A record is deleted when its first byte is '*'; any other byte counts as live.
#include "components/vfp/RecordReader.h"

#include <algorithm>
#include <optional>

#include "components/vfp/CodePage.h"
#include "components/vfp/Endian.h"
#include "components/vfp/FieldDecode.h"
#include "components/vfp/Messages.h"
#include "components/vfp/TableState.h"
#include "components/vfp/VfpError.h"

namespace vfp {
namespace {

constexpr char kDeleted = '*';

std::string_view withoutTrailingNuls(std::string_view bytes)
{
    // padding written by other programs; FoxPro pads with spaces, which are kept
    while (!bytes.empty() && bytes.back() == '\0')
        bytes.remove_suffix(1);
    return bytes;
}

std::string_view trimmed(std::string_view bytes)
{
    while (!bytes.empty() && (bytes.front() == ' ' || bytes.front() == '\0'))
        bytes.remove_prefix(1);
    while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\0'))
        bytes.remove_suffix(1);
    return bytes;
}

}  // namespace

struct RecordReader::Impl
{
    explicit Impl(const Table& t) : table(t), state(t.state()), decoder(t.codePage()) {}

    Table table;
    const TableState& state;
    TextDecoder decoder;
    std::optional<MemoFile> memo;
    std::string buffer;
    std::uint32_t perBuffer = 1;
    std::uint32_t bufferStart = 0;
    std::uint32_t bufferCount = 0;
    std::int64_t position = -1;  // current physical record; -1 before the first
    bool current = false;
    std::string raw;  // memo bytes before decoding

    const char* recordAt(std::uint32_t n)
    {
        if (n < bufferStart || n >= bufferStart + bufferCount) {
            const auto length = static_cast<std::size_t>(state.recordLength);
            bufferStart = n;
            bufferCount = std::min(perBuffer, state.recordCount - n);
            const std::size_t bytes = bufferCount * length;
            const std::uint64_t offset =
                static_cast<std::uint64_t>(state.headerLength) + std::uint64_t{n} * length;
            if (state.dbf->readAt(offset, buffer.data(), bytes) != bytes) {
                bufferCount = 0;
                throw VfpError(message::fileShrank(state.displayName));
            }
        }
        return buffer.data() + static_cast<std::size_t>(n - bufferStart) *
                                   static_cast<std::size_t>(state.recordLength);
    }

    const char* currentRecord()
    {
        if (!current)
            throw VfpError(message::noCurrentRecord(state.displayName));
        return recordAt(static_cast<std::uint32_t>(position));
    }

    // decodeText false (readBytes): text fields give their stored bytes
    void text(const FieldDescriptor& field, std::string_view bytes, Value& out, bool decodeText)
    {
        if (field.isBinary || !decodeText) {
            out.kind = Value::Kind::Binary;
            out.bytes.assign(bytes);
        } else {
            out.kind = Value::Kind::Text;
            decoder.decode(bytes, out.bytes);
        }
    }

    std::uint64_t memoBlock(const FieldDescriptor& field, const char* bytes)
    {
        if (field.length == 4)
            return endian::le32(bytes);
        // FoxPro 2 and dBase: the block number in ASCII digits, blank when there is no memo
        const std::string_view digits =
            trimmed(std::string_view(bytes, static_cast<std::size_t>(field.length)));
        std::uint64_t block = 0;
        for (const char c : digits) {
            if (c < '0' || c > '9')
                throw VfpError(message::memoPointerNotANumber(
                    field.name, static_cast<std::uint32_t>(position), state.displayName));
            block = block * 10 + static_cast<std::uint64_t>(c - '0');
        }
        return block;
    }

    void memoValue(const FieldDescriptor& field, const char* bytes, Value& out, bool decodeText)
    {
        const std::uint64_t block = memoBlock(field, bytes);
        const bool binary = field.isBinary || !decodeText;
        out.kind = binary ? Value::Kind::Binary : Value::Kind::Text;
        if (block == 0) {
            out.bytes.clear();
            return;
        }
        if (!state.memo)
            throw VfpError(message::memoMissing(field.name, state.memoName, state.displayName));
        if (!memo)
            memo.emplace(state.memo, state.memoFormat);
        std::string& target = binary ? out.bytes : raw;
        const MemoStatus status = memo->read(block, target);
        if (status != MemoStatus::Ok)
            throw VfpError(message::memoUnreadable(field.name, static_cast<std::uint32_t>(position),
                                                   state.memoName, status, block, memo->size()));
        if (!binary)
            decoder.decode(raw, out.bytes);
    }

    bool bitSet(const char* record, int bit) const
    {
        const auto byte = static_cast<unsigned char>(record[state.nullFlagsOffset + bit / 8]);
        return (byte >> (bit % 8)) & 1;
    }

    void decodeField(const FieldDescriptor& field, const char* record, Value& out, bool decodeText)
    {
        if (field.nullBit >= 0 && bitSet(record, field.nullBit)) {
            out.kind = Value::Kind::Null;
            return;
        }
        const char* bytes = record + field.offset;
        const auto width = static_cast<std::size_t>(field.length);
        switch (field.type) {
            case FieldType::Character:
                text(field, withoutTrailingNuls(std::string_view(bytes, width)), out, decodeText);
                break;
            case FieldType::Varchar:
            case FieldType::Varbinary: {
                std::size_t length = width;
                if (field.varLengthBit >= 0 && bitSet(record, field.varLengthBit))
                    length = std::min<std::size_t>(static_cast<unsigned char>(bytes[width - 1]),
                                                   width - 1);
                text(field, std::string_view(bytes, length), out, decodeText);
                break;
            }
            case FieldType::Numeric:
            case FieldType::Float:
                if (decode::numeric(std::string_view(bytes, width), out) ==
                    decode::Numeric::NotANumber) {
                    out.kind = Value::Kind::Decimal;
                    decoder.decode(trimmed(std::string_view(bytes, width)), out.bytes);
                }
                break;
            case FieldType::Integer:
                out.kind = Value::Kind::Integer;
                out.integer = static_cast<std::int32_t>(endian::le32(bytes));
                break;
            case FieldType::Currency:
                out.kind = Value::Kind::Currency;
                out.integer = static_cast<std::int64_t>(endian::le64(bytes));
                break;
            case FieldType::Double:
                if (field.isMemo) {
                    memoValue(field, bytes, out, decodeText);
                } else {
                    out.kind = Value::Kind::Double;
                    out.real = endian::leDouble(bytes);
                }
                break;
            case FieldType::Date:
                if (!decode::date(std::string_view(bytes, width), out)) {
                    out.kind = Value::Kind::Text;
                    decoder.decode(trimmed(std::string_view(bytes, width)), out.bytes);
                }
                break;
            case FieldType::DateTime:
                if (!decode::dateTime(std::string_view(bytes, width), out)) {
                    out.kind = Value::Kind::Binary;
                    out.bytes.assign(bytes, width);
                }
                break;
            case FieldType::Logical:
                decode::logical(bytes[0], out);
                break;
            case FieldType::Memo:
            case FieldType::General:
            case FieldType::Blob:
            case FieldType::Picture:
                memoValue(field, bytes, out, decodeText);
                break;
            case FieldType::NullFlags:
                break;
        }
    }
};

RecordReader::RecordReader(const Table& table, std::size_t bufferBytes)
    : d(std::make_unique<Impl>(table))
{
    const auto length = static_cast<std::size_t>(d->state.recordLength);
    d->perBuffer = static_cast<std::uint32_t>(std::clamp<std::size_t>(
        bufferBytes / length, 1, std::max<std::uint32_t>(1, d->state.recordCount)));
    d->buffer.resize(d->perBuffer * length);
}

RecordReader::~RecordReader() = default;
RecordReader::RecordReader(RecordReader&&) noexcept = default;
RecordReader& RecordReader::operator=(RecordReader&&) noexcept = default;

bool RecordReader::next()
{
    const std::uint32_t count = d->state.recordCount;
    auto n = static_cast<std::uint32_t>(std::max<std::int64_t>(0, d->position + 1));
    for (; n < count; ++n) {
        if (d->recordAt(n)[0] != kDeleted) {
            d->position = n;
            d->current = true;
            return true;
        }
    }
    d->position = count;
    d->current = false;
    return false;
}

void RecordReader::rewind()
{
    d->position = -1;
    d->current = false;
}

bool RecordReader::seek(std::uint32_t n)
{
    d->current = seekStored(n) && !isDeleted();
    return d->current;
}

bool RecordReader::seekStored(std::uint32_t n)
{
    d->position = n;
    d->current = false;
    if (n >= d->state.recordCount)
        return false;
    d->recordAt(n);  // a file cut short is found here, not at the first field
    d->current = true;
    return true;
}

bool RecordReader::isDeleted() const
{
    return d->current && d->recordAt(static_cast<std::uint32_t>(d->position))[0] == kDeleted;
}

std::uint32_t RecordReader::recordNumber() const
{
    return static_cast<std::uint32_t>(std::max<std::int64_t>(0, d->position));
}

void RecordReader::read(int index, Value& out)
{
    const char* record = d->currentRecord();
    d->decodeField(d->state.fields.at(static_cast<std::size_t>(index)), record, out, true);
}

void RecordReader::readBytes(int index, Value& out)
{
    const char* record = d->currentRecord();
    d->decodeField(d->state.fields.at(static_cast<std::size_t>(index)), record, out, false);
}

void RecordReader::readAll(std::vector<Value>& out)
{
    const char* record = d->currentRecord();
    const auto& fields = d->state.fields;
    out.resize(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i)
        d->decodeField(fields[i], record, out[i], true);
}

const Table& RecordReader::table() const
{
    return d->table;
}

}  // namespace vfp
