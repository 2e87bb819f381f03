// Streaming table writer: the header is written at once with a record count of 0, records
// are appended through a stdio buffer, and close() patches the count.
#include "components/vfpwriter/TableWriter.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>

#include "components/text/AsciiCase.h"
#include "components/vfp/CodePage.h"
#include "components/vfp/Endian.h"
#include "components/vfp/VfpError.h"
#include "components/vfpwriter/FieldEncode.h"
#include "components/vfpwriter/MemoWriter.h"

namespace vfpwriter {
namespace {

constexpr int kMaxRecordBytes = 65500;  // FoxPro's limit for one record
constexpr int kMaxFields = 255;         // including _NullFlags
constexpr int kMaxNameBytes = 10;
constexpr int kBacklinkBytes = 263;
constexpr std::size_t kStdioBuffer = std::size_t{1} << 20;

struct Layout
{
    FieldDefinition definition;
    int offset = 0;
    int nullBit = -1;
    int varLengthBit = -1;
};

int defaultWidth(vfp::FieldType type)
{
    switch (type) {
        case vfp::FieldType::Date:
        case vfp::FieldType::DateTime:
        case vfp::FieldType::Double:
        case vfp::FieldType::Currency:
            return 8;
        case vfp::FieldType::Integer:
        case vfp::FieldType::Memo:
        case vfp::FieldType::General:
        case vfp::FieldType::Blob:
        case vfp::FieldType::Picture:
            return 4;
        case vfp::FieldType::Logical:
            return 1;
        default:
            return 10;
    }
}

bool widthAllowed(vfp::FieldType type, int width)
{
    switch (type) {
        case vfp::FieldType::Character:
        case vfp::FieldType::Varchar:
        case vfp::FieldType::Varbinary:
            return width >= 1 && width <= 254;
        case vfp::FieldType::Numeric:
        case vfp::FieldType::Float:
            return width >= 1 && width <= 20;
        case vfp::FieldType::NullFlags:
            return false;
        default:
            return width == defaultWidth(type);
    }
}

// Field flag byte as Visual FoxPro writes it: 0x04 also on the fixed binary types.
std::uint8_t flagsFor(const FieldDefinition& definition)
{
    std::uint8_t flags = definition.nullable ? vfp::FieldFlag::Nullable : 0;
    switch (definition.type) {
        case vfp::FieldType::Character:
        case vfp::FieldType::Varchar:
        case vfp::FieldType::Memo:
            if (definition.binary)
                flags |= vfp::FieldFlag::Binary;
            break;
        case vfp::FieldType::Integer:
            flags |= vfp::FieldFlag::Binary |
                     (definition.autoIncrement ? vfp::FieldFlag::AutoIncrement : 0);
            break;
        case vfp::FieldType::DateTime:
        case vfp::FieldType::Currency:
        case vfp::FieldType::Double:
        case vfp::FieldType::Varbinary:
        case vfp::FieldType::Blob:
            flags |= vfp::FieldFlag::Binary;
            break;
        default:
            break;
    }
    return flags;
}

}  // namespace

struct TableWriter::Impl
{
    std::filesystem::path path;
    std::string name;
    WriteOptions options;
    int codePage = 1252;
    encode::Context encoding;
    std::vector<Layout> fields;
    int nullFlagsOffset = -1;
    int nullFlagsLength = 0;
    int recordLength = 1;
    int headerLength = 0;
    std::FILE* file = nullptr;
    std::optional<MemoWriter> memo;
    std::uint32_t count = 0;
    std::string record;
    std::vector<std::string> stored;  // per field, the bytes prepared for this record

    ~Impl()
    {
        if (file)
            std::fclose(file);
    }

    [[noreturn]] void fail(const char* what) const
    {
        throw vfp::VfpError(name + " cannot be " + what + ": " + std::strerror(errno) + " (" +
                            path.string() + ").");
    }

    void layOut(std::vector<FieldDefinition> definitions)
    {
        if (definitions.empty())
            throw vfp::VfpError(name + ": a table needs at least one field.");
        int bits = 0;
        int offset = 1;
        for (FieldDefinition& definition : definitions) {
            if (definition.length == 0)
                definition.length = defaultWidth(definition.type);
            if (definition.type == vfp::FieldType::Currency)
                definition.decimals = 4;
            const bool nameOk =
                !definition.name.empty() && definition.name.size() <= kMaxNameBytes &&
                std::all_of(definition.name.begin(), definition.name.end(), [](char c) {
                    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
                });
            if (!nameOk)
                throw vfp::VfpError(encode::fieldError(
                    name, definition.name, "needs a name of 1 to 10 letters, digits or '_'."));
            for (const Layout& earlier : fields)
                if (text::equalsIgnoringAsciiCase(earlier.definition.name, definition.name))
                    throw vfp::VfpError(
                        encode::fieldError(name, definition.name, "appears twice."));
            if (!widthAllowed(definition.type, definition.length))
                throw vfp::VfpError(encode::fieldError(
                    name, definition.name,
                    "cannot have width " + std::to_string(definition.length) + "."));
            Layout layout{definition, offset};
            if (definition.type == vfp::FieldType::Varchar ||
                definition.type == vfp::FieldType::Varbinary)
                layout.varLengthBit = bits++;
            if (definition.nullable)
                layout.nullBit = bits++;
            offset += definition.length;
            fields.push_back(std::move(layout));
        }
        if (bits > 0) {
            nullFlagsOffset = offset;
            nullFlagsLength = (bits + 7) / 8;
            offset += nullFlagsLength;
        }
        recordLength = offset;
        const int fieldCount = static_cast<int>(fields.size()) + (bits > 0 ? 1 : 0);
        if (fieldCount > kMaxFields || recordLength > kMaxRecordBytes)
            throw vfp::VfpError(
                name + ": " + std::to_string(fieldCount) + " fields of " +
                std::to_string(recordLength) +
                " bytes are more than a table can hold (255 fields, 65,500 bytes).");
        headerLength = 32 + 32 * fieldCount + 1 + kBacklinkBytes;
        stored.resize(fields.size());
    }

    std::string header() const
    {
        const bool wide = std::any_of(fields.begin(), fields.end(), [](const Layout& f) {
            return f.definition.type == vfp::FieldType::Varchar ||
                   f.definition.type == vfp::FieldType::Varbinary ||
                   f.definition.type == vfp::FieldType::Blob;
        });
        const bool hasMemo = std::any_of(fields.begin(), fields.end(), [](const Layout& f) {
            return encode::isMemoType(f.definition.type);
        });
        const bool isContainer = text::lowerAscii(path.extension().string()) == ".dbc";
        std::string bytes(static_cast<std::size_t>(headerLength), '\0');
        bytes[0] = static_cast<char>(options.version != 0 ? options.version : wide ? 0x32 : 0x30);
        const auto today = std::chrono::year_month_day(
            std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
        bytes[1] = static_cast<char>(static_cast<int>(today.year()) %
                                     100);  // FoxPro keeps the year mod 100
        bytes[2] = static_cast<char>(static_cast<unsigned>(today.month()));
        bytes[3] = static_cast<char>(static_cast<unsigned>(today.day()));
        vfp::endian::putLe16(bytes.data() + 8, static_cast<std::uint16_t>(headerLength));
        vfp::endian::putLe16(bytes.data() + 10, static_cast<std::uint16_t>(recordLength));
        bytes[28] = static_cast<char>((hasMemo ? 0x02 : 0) | (isContainer ? 0x04 : 0));
        bytes[29] = static_cast<char>(options.codePageMark);
        std::size_t at = 32;
        const auto descriptor = [&](const std::string& fieldName, char type, int offset, int length,
                                    int decimals, std::uint8_t flags, bool autoIncrement) {
            char* d = bytes.data() + at;
            std::memcpy(d, fieldName.data(), fieldName.size());
            d[11] = type;
            vfp::endian::putLe32(d + 12, static_cast<std::uint32_t>(offset));
            d[16] = static_cast<char>(length);
            d[17] = static_cast<char>(decimals);
            d[18] = static_cast<char>(flags);
            if (autoIncrement) {
                vfp::endian::putLe32(d + 19, 1);  // next value
                d[23] = 1;                        // step
            }
            at += 32;
        };
        for (const Layout& f : fields)
            descriptor(f.definition.name, static_cast<char>(f.definition.type), f.offset,
                       f.definition.length, f.definition.decimals, flagsFor(f.definition),
                       f.definition.autoIncrement);
        if (nullFlagsOffset > 0)
            descriptor("_NullFlags", '0', nullFlagsOffset, nullFlagsLength, 0,
                       vfp::FieldFlag::System | vfp::FieldFlag::Binary, false);
        bytes[at] = 0x0D;
        const std::string link =
            vfp::encodeText(options.backlink, codePage).substr(0, kBacklinkBytes);
        std::memcpy(bytes.data() + at + 1, link.data(), link.size());
        return bytes;
    }

    void setBit(int bit)
    {
        record[static_cast<std::size_t>(nullFlagsOffset + bit / 8)] |=
            static_cast<char>(1 << (bit % 8));
    }

    // Blank bytes of a field: spaces for text-like fields, zeros for binary ones.
    static char blankByte(vfp::FieldType type)
    {
        switch (type) {
            case vfp::FieldType::Character:
            case vfp::FieldType::Varchar:
            case vfp::FieldType::Varbinary:
            case vfp::FieldType::Numeric:
            case vfp::FieldType::Float:
            case vfp::FieldType::Date:
            case vfp::FieldType::Logical:
                return ' ';
            default:
                return '\0';
        }
    }

    void fill(const Layout& f, const vfp::Value& value, const std::string& bytes)
    {
        const FieldDefinition& definition = f.definition;
        char* at = record.data() + f.offset;
        const auto width = static_cast<std::size_t>(definition.length);
        std::memset(at, blankByte(definition.type), width);
        if (value.kind == vfp::Value::Kind::Null) {
            setBit(f.nullBit);
            return;
        }
        // an Empty value arrives here with no bytes: blank, and V/Q of length 0
        switch (definition.type) {
            case vfp::FieldType::Character:
                std::memcpy(at, bytes.data(), bytes.size());
                break;
            case vfp::FieldType::Varchar:
            case vfp::FieldType::Varbinary:
                std::memcpy(at, bytes.data(), bytes.size());
                if (bytes.size() < width) {
                    // shorter than the field: the length goes in the last byte
                    at[width - 1] = static_cast<char>(bytes.size());
                    setBit(f.varLengthBit);
                }
                break;
            case vfp::FieldType::Numeric:
            case vfp::FieldType::Float:
                std::memcpy(at + (width - bytes.size()), bytes.data(), bytes.size());
                break;
            case vfp::FieldType::Memo:
            case vfp::FieldType::General:
            case vfp::FieldType::Blob:
            case vfp::FieldType::Picture:
                if (!bytes.empty()) {
                    const std::uint32_t type = definition.type == vfp::FieldType::General   ? 2
                                               : definition.type == vfp::FieldType::Picture ? 0
                                                                                            : 1;
                    vfp::endian::putLe32(at, memo->append(bytes, type));
                }
                break;
            default:
                std::memcpy(at, bytes.data(), bytes.size());
        }
    }
};

TableWriter::TableWriter(const std::filesystem::path& dbf, std::vector<FieldDefinition> fields,
                         const WriteOptions& options)
    : d(std::make_unique<Impl>())
{
    d->path = dbf;
    d->name = dbf.filename().string();
    d->options = options;
    const int marked = vfp::codePageForMark(options.codePageMark);
    d->codePage = marked != 0 && vfp::isSupportedCodePage(marked) ? marked : 1252;
    d->encoding = {d->name, d->codePage, options.datetimeOneMsShort};
    d->layOut(std::move(fields));
    const bool hasMemo = std::any_of(d->fields.begin(), d->fields.end(), [](const Layout& f) {
        return encode::isMemoType(f.definition.type);
    });

    d->file = std::fopen(dbf.c_str(), "wb");
    if (!d->file)
        d->fail("created");
    std::setvbuf(d->file, nullptr, _IOFBF, kStdioBuffer);
    const std::string header = d->header();
    std::fwrite(header.data(), 1, header.size(), d->file);
    if (hasMemo) {
        const std::string extension = d->path.extension().string();
        const bool upper =
            !extension.empty() && std::isupper(static_cast<unsigned char>(extension.back()));
        const std::string memoExtension = text::lowerAscii(extension) == ".dbc" ? ".dct" : ".fpt";
        std::filesystem::path memoPath = dbf;
        memoPath.replace_extension(upper ? (memoExtension == ".dct" ? ".DCT" : ".FPT")
                                         : memoExtension);
        d->memo.emplace(memoPath, options.memoBlockSize);
    }
    d->record.resize(static_cast<std::size_t>(d->recordLength));
}

TableWriter::~TableWriter()
{
    if (d && d->file) {
        try {
            close();
        } catch (const vfp::VfpError&) {
            // the caller did not ask to see the failure (it did not call close)
        }
    }
}

TableWriter::TableWriter(TableWriter&&) noexcept = default;
TableWriter& TableWriter::operator=(TableWriter&&) noexcept = default;

void TableWriter::append(const std::vector<vfp::Value>& values, bool deleted)
{
    if (!d->file)
        throw vfp::VfpError(d->name + " is already closed.");
    if (values.size() != d->fields.size())
        throw vfp::VfpError(d->name + ": a record needs " + std::to_string(d->fields.size()) +
                            " values, not " + std::to_string(values.size()) + ".");
    for (std::size_t i = 0; i < values.size(); ++i)
        encode::fieldBytes(d->fields[i].definition, values[i], d->encoding, d->stored[i]);
    std::fill(d->record.begin(), d->record.end(), '\0');
    d->record[0] = deleted ? '*' : ' ';
    for (std::size_t i = 0; i < values.size(); ++i)
        d->fill(d->fields[i], values[i], d->stored[i]);
    if (std::fwrite(d->record.data(), 1, d->record.size(), d->file) != d->record.size())
        d->fail("written");
    ++d->count;
}

std::uint32_t TableWriter::recordCount() const
{
    return d->count;
}

void TableWriter::close()
{
    if (!d->file)
        return;
    // 0x1A ends the records; bytes 4-7 of the header hold the count, little-endian
    char count[4];
    vfp::endian::putLe32(count, d->count);
    const bool ok = std::fputc(0x1A, d->file) != EOF && std::fseek(d->file, 4, SEEK_SET) == 0 &&
                    std::fwrite(count, 1, sizeof count, d->file) == sizeof count &&
                    !std::ferror(d->file);
    const bool closed = std::fclose(d->file) == 0;
    d->file = nullptr;
    if (!ok || !closed)
        d->fail("written");
    if (d->memo)
        d->memo->close();
}

}  // namespace vfpwriter
