// Decoding of a container row's PROPERTY memo. A value's size alone cannot tell a 4-byte
// number from three characters and their 0x00, so properties known to hold text are read as
// text whatever their size.
#include "components/vfp/Properties.h"

#include <algorithm>

#include "components/vfp/CodePage.h"
#include "components/vfp/Endian.h"

namespace vfp {
namespace {

constexpr std::size_t kRecordHeadBytes = 7;  // length (4, LE), 0x01, id (2, BE)

// Character properties by id (DBGETPROP's names): Path, Comment, RuleExpression, RuleText,
// DefaultValue, ParameterList, ChildTag, the three triggers, RelatedTable, RelatedTag,
// PrimaryKey, DataSource, ConnectName, UpdateName, SQL, Tables, DisplayClass,
// DisplayClassLibrary, InputMask, Format, Caption, ConnectString, Password, UserId,
// DataType, Database, DBCEventFileName.
constexpr int kTextIds[] = {1,  7,  9,  10, 11, 12, 13, 14, 15, 16, 18, 19, 20, 29, 32,
                            35, 42, 43, 50, 51, 54, 55, 56, 66, 72, 74, 77, 79, 86};

bool isTextId(int id)
{
    return std::find(std::begin(kTextIds), std::end(kTextIds), id) != std::end(kTextIds);
}

std::int64_t bigEndianSigned(std::string_view value)
{
    switch (value.size()) {
        case 1:
            return static_cast<std::int8_t>(value[0]);
        case 2:
            return static_cast<std::int16_t>(endian::be16(value.data()));
        default:
            return static_cast<std::int32_t>(endian::be32(value.data()));
    }
}

}  // namespace

const Property* PropertyList::find(int id) const
{
    const auto found =
        std::find_if(mItems.begin(), mItems.end(), [id](const Property& p) { return p.id == id; });
    return found == mItems.end() ? nullptr : &*found;
}

std::string PropertyList::text(int id) const
{
    const Property* property = find(id);
    return property && property->kind == Property::Kind::Text ? property->text : std::string();
}

std::optional<std::int64_t> PropertyList::number(int id) const
{
    const Property* property = find(id);
    if (!property ||
        (property->kind != Property::Kind::Number && property->kind != Property::Kind::Logical))
        return std::nullopt;
    return property->number;
}

PropertyList decodeProperties(std::string_view memo, int codePage)
{
    TextDecoder decoder(codePage);
    std::vector<Property> items;
    std::size_t position = 0;
    while (memo.size() - position >= kRecordHeadBytes) {
        const std::uint32_t length = endian::le32(memo.data() + position);
        if (length < kRecordHeadBytes || length > memo.size() - position)
            break;
        Property property;
        property.id = endian::be16(memo.data() + position + 5);
        const std::string_view value =
            memo.substr(position + kRecordHeadBytes, length - kRecordHeadBytes);
        const bool terminated = !value.empty() && value.back() == '\0';
        if (isTextId(property.id) ||
            (terminated && value.size() != 1 && value.size() != 2 && value.size() != 4)) {
            property.kind = Property::Kind::Text;
            decoder.decode(terminated ? value.substr(0, value.size() - 1) : value, property.text);
        } else if (value.size() == 1 || value.size() == 2 || value.size() == 4) {
            property.kind = Property::Kind::Number;
            property.number = bigEndianSigned(value);
        } else {
            property.kind = Property::Kind::Bytes;
            property.text.assign(value);
        }
        items.push_back(std::move(property));
        position += length;
    }
    return PropertyList(std::move(items));
}

}  // namespace vfp
