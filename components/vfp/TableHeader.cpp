// Reading and checking a table header: the 32 fixed bytes, the field descriptors up to the
// 0x0D byte, the record layout against the file size, _NullFlags bits and the back-link.
#include <algorithm>

#include "components/vfp/CodePage.h"
#include "components/vfp/Endian.h"
#include "components/vfp/Messages.h"
#include "components/vfp/Table.h"
#include "components/vfp/TableState.h"
#include "components/vfp/VfpError.h"

namespace vfp {
namespace {

constexpr int kFixedHeaderBytes = 32;
constexpr int kDescriptorBytes = 32;
constexpr int kNameBytes = 11;
constexpr int kBacklinkBytes = 263;  // VFP tables keep the container path after the 0x0D
constexpr char kTerminator = 0x0D;

bool isVisualFoxPro(std::uint8_t version)
{
    return version == 0x30 || version == 0x31 || version == 0x32;
}

// Checks the width each type allows; throws for a type FoxPro does not have.
void checkType(const TableState& state, const FieldDescriptor& field, char letter)
{
    bool widthOk = field.length > 0;
    switch (letter) {
        case 'C':
        case 'V':
        case 'Q':
        case 'N':
        case 'F':
        case '0':
            break;
        case 'D':
        case 'T':
        case 'Y':
            widthOk = field.length == 8;
            break;
        case 'I':
            widthOk = field.length == 4;
            break;
        case 'L':
            widthOk = field.length == 1;
            break;
        case 'B':
            widthOk = field.length == 8 || field.length == 10;
            break;
        case 'M':
        case 'G':
        case 'W':
        case 'P':
            widthOk = field.length == 4 || field.length == 10;
            break;
        default:
            throw VfpError(message::unknownType(state.displayName, field.headerName, letter));
    }
    if (!widthOk)
        throw VfpError(
            message::badWidth(state.displayName, field.headerName, letter, field.length));
}

// How a non-null value of the field decodes; memo fields 4 bytes wide hold a binary block
// number, 10 bytes wide (FoxPro 2, dBase) the block number in ASCII digits.
void classify(FieldDescriptor& field)
{
    const bool binaryFlag = (field.flags & FieldFlag::Binary) != 0;
    switch (field.type) {
        // On character and varchar fields the flag means "never translate between code pages"
        // (NOCPTRANS), not binary data: FoxPro shows their text in the table's code page.
        case FieldType::Character:
        case FieldType::Varchar:
            field.isBinary = false;
            break;
        case FieldType::Memo:
            field.isBinary = binaryFlag;
            break;
        case FieldType::Varbinary:
        case FieldType::General:
        case FieldType::Blob:
        case FieldType::Picture:
            field.isBinary = true;
            break;
        case FieldType::Double:
            field.isBinary = field.length == 10;  // dBase binary memo
            break;
        default:
            break;
    }
    field.isMemo = field.type == FieldType::Memo || field.type == FieldType::General ||
                   field.type == FieldType::Blob || field.type == FieldType::Picture ||
                   (field.type == FieldType::Double && field.length == 10);
    switch (field.type) {
        case FieldType::Numeric:
        case FieldType::Float:
            field.kind = Value::Kind::Decimal;
            break;
        case FieldType::Integer:
            field.kind = Value::Kind::Integer;
            break;
        case FieldType::Currency:
            field.kind = Value::Kind::Currency;
            break;
        case FieldType::Date:
            field.kind = Value::Kind::Date;
            break;
        case FieldType::DateTime:
            field.kind = Value::Kind::DateTime;
            break;
        case FieldType::Logical:
            field.kind = Value::Kind::Boolean;
            break;
        case FieldType::Double:
            field.kind = field.isBinary ? Value::Kind::Binary : Value::Kind::Double;
            break;
        default:
            field.kind = field.isBinary ? Value::Kind::Binary : Value::Kind::Text;
            break;
    }
}

std::string decodeName(const char* raw, TextDecoder& decoder)
{
    // bytes after the first NUL may be garbage
    std::size_t length = 0;
    while (length < kNameBytes && raw[length] != '\0')
        ++length;
    while (length > 0 && raw[length - 1] == ' ')
        --length;
    std::string name;
    decoder.decode(std::string_view(raw, length), name);
    return name;
}

// Fields start right after the deletion byte and follow each other; the stored displacement
// is ignored (some writers leave it 0).
std::vector<FieldDescriptor> readDescriptors(TableState& state, const std::string& header,
                                             TextDecoder& decoder, int& terminatorAt)
{
    std::vector<FieldDescriptor> fields;
    int position = kFixedHeaderBytes;
    bool terminated = false;
    while (position < state.headerLength) {
        if (header[static_cast<std::size_t>(position)] == kTerminator) {
            terminated = true;
            break;
        }
        if (position + kDescriptorBytes > state.headerLength)
            throw VfpError(message::noTerminator(state.displayName, state.headerLength));
        const char* raw = header.data() + position;
        FieldDescriptor field;
        field.headerName = decodeName(raw, decoder);
        const char letter = raw[11];
        field.length = static_cast<unsigned char>(raw[16]);
        field.decimals = static_cast<unsigned char>(raw[17]);
        field.flags = static_cast<std::uint8_t>(raw[18]);
        if (letter == 'C') {
            // FoxPro 2 and Clipper keep the high byte of wide character fields in the decimals
            field.length += 256 * field.decimals;
            field.decimals = 0;
        }
        checkType(state, field, letter);
        field.type = static_cast<FieldType>(letter);
        fields.push_back(std::move(field));
        position += kDescriptorBytes;
    }
    if (fields.empty())
        throw VfpError(message::noFields(state.displayName));
    if (!terminated)
        state.notes.push_back(message::noteNoTerminator(state.displayName));
    terminatorAt = position;
    return fields;
}

// Settles the record length: the header's value unless the file size shows the field list
// is right and the header wrong.
void settleRecordLength(TableState& state, const std::vector<FieldDescriptor>& fields,
                        std::uint64_t fileSize)
{
    int sum = 1;
    for (const FieldDescriptor& field : fields)
        sum += field.length;
    if (sum == state.recordLength)
        return;
    const std::uint64_t payload = fileSize - static_cast<std::uint64_t>(state.headerLength);
    const auto fits = [&](int length) {
        const std::uint64_t need =
            std::uint64_t{state.headerRecordCount} * static_cast<std::uint64_t>(length);
        return state.headerRecordCount > 0 && length > 0 &&
               (payload == need || payload == need + 1);
    };
    if ((fits(sum) && !fits(state.recordLength)) ||
        (sum > state.recordLength && state.headerRecordCount == 0)) {
        state.notes.push_back(
            message::noteRecordLengthRepaired(state.displayName, state.recordLength, sum));
        state.recordLength = sum;
        return;
    }
    if (sum > state.recordLength) {
        int offset = 1;
        for (const FieldDescriptor& field : fields) {
            if (offset + field.length > state.recordLength)
                throw VfpError(message::fieldPastRecord(state.displayName, field.headerName, offset,
                                                        field.length, state.recordLength));
            offset += field.length;
        }
    }
}

// Bits are handed out walking the user fields in order: a V or Q field takes a length bit,
// then a nullable field takes a null bit. Fields that are neither take none.
void assignNullBits(TableState& state)
{
    int bits = 0;
    for (FieldDescriptor& field : state.fields) {
        if (field.type == FieldType::Varchar || field.type == FieldType::Varbinary)
            field.varLengthBit = bits++;
        if (field.flags & FieldFlag::Nullable)
            field.nullBit = bits++;
    }
    if (bits == 0)
        return;
    const int available = state.nullFlagsOffset < 0 ? 0 : 8 * state.nullFlagsLength;
    if (available == 0)
        state.notes.push_back(message::noteNoNullFlags(state.displayName));
    else if (bits > available)
        state.notes.push_back(message::noteNullFlagsShort(state.displayName, bits, available));
    for (FieldDescriptor& field : state.fields) {
        if (field.varLengthBit >= available)
            field.varLengthBit = -1;
        if (field.nullBit >= available)
            field.nullBit = -1;
    }
}

int chooseCodePage(TableState& state, const OpenOptions& options)
{
    if (options.codePage != 0 && isSupportedCodePage(options.codePage))
        return options.codePage;
    const int marked = codePageForMark(state.codePageMark);
    if (marked != 0 && isSupportedCodePage(marked))
        return marked;
    return isSupportedCodePage(options.defaultCodePage) ? options.defaultCodePage
                                                        : kDefaultCodePage;
}

}  // namespace

void readHeader(TableState& state, const OpenOptions& options)
{
    const ByteSource& source = *state.dbf;
    const std::uint64_t size = source.size();
    if (size < kFixedHeaderBytes)
        throw VfpError(message::tooShortForHeader(state.displayName, size, kFixedHeaderBytes));
    char fixed[kFixedHeaderBytes];
    if (source.readAt(0, fixed, sizeof fixed) != sizeof fixed)
        throw VfpError(message::fileShrank(state.displayName));

    // byte 0 version; 4-7 record count; 8-9 header length; 10-11 record length; 29 code page
    state.version = static_cast<std::uint8_t>(fixed[0]);
    state.headerRecordCount = endian::le32(fixed + 4);
    state.headerLength = endian::le16(fixed + 8);
    state.recordLength = endian::le16(fixed + 10);
    state.codePageMark = static_cast<std::uint8_t>(fixed[29]);
    state.codePage = chooseCodePage(state, options);
    if (static_cast<std::uint64_t>(state.headerLength) > size)
        throw VfpError(message::tooShortForHeader(state.displayName, size,
                                                  static_cast<std::uint64_t>(state.headerLength)));

    std::string header(static_cast<std::size_t>(state.headerLength), '\0');
    if (source.readAt(0, header.data(), header.size()) != header.size())
        throw VfpError(message::fileShrank(state.displayName));

    TextDecoder decoder(state.codePage);
    int terminatorAt = 0;
    std::vector<FieldDescriptor> all = readDescriptors(state, header, decoder, terminatorAt);
    settleRecordLength(state, all, size);

    int offset = 1;
    for (FieldDescriptor& field : all) {
        field.offset = offset;
        offset += field.length;
        if (field.type == FieldType::NullFlags) {
            if (state.nullFlagsOffset < 0) {
                state.nullFlagsOffset = field.offset;
                state.nullFlagsLength = field.length;
            }
            continue;
        }
        classify(field);
        state.hasMemoFields = state.hasMemoFields || field.isMemo;
        state.fields.push_back(std::move(field));
    }
    assignNullBits(state);

    if (options.longFieldNames.size() == state.fields.size())
        for (std::size_t i = 0; i < state.fields.size(); ++i)
            state.fields[i].name = options.longFieldNames[i];
    else
        for (FieldDescriptor& field : state.fields)
            field.name = field.headerName;

    if (isVisualFoxPro(state.version) && terminatorAt + 1 + kBacklinkBytes <= state.headerLength) {
        const char* link = header.data() + terminatorAt + 1;
        const std::size_t length = std::find(link, link + kBacklinkBytes, '\0') - link;
        decoder.decode(std::string_view(link, length), state.backlink);
    }

    const std::uint64_t whole = (size - static_cast<std::uint64_t>(state.headerLength)) /
                                static_cast<std::uint64_t>(state.recordLength);
    state.recordCount =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(state.headerRecordCount, whole));
    if (state.recordCount < state.headerRecordCount)
        state.notes.push_back(message::noteRecordsMissing(
            state.displayName, state.headerRecordCount, state.recordCount));
}

}  // namespace vfp
