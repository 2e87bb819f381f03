// The PROPERTY memo of a database container row: a run of records, each
// [length uint32 LE][0x01][id uint16 BE][value], decoded into id/value pairs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vfp {

// Property ids used by the engine and its users (names as DBGETPROP knows them).
namespace PropertyId {
constexpr int Path = 1;         // Table: file, relative to the container's folder
constexpr int ObjectClass = 2;  // 1 table, 6 local view, 7 remote view
constexpr int Comment = 7;
constexpr int RuleExpression = 9;
constexpr int RuleText = 10;
constexpr int DefaultValue = 11;
constexpr int ParameterList = 12;  // View: "name,type;..." of its parameters
constexpr int DataSource = 29;     // Connection
constexpr int ConnectName = 32;    // remote View: the Connection row's name
constexpr int UpdateName = 35;     // view Field: "table.field"
constexpr int KeyField = 38;
constexpr int SourceType = 41;  // View: 1 local, 2 remote
constexpr int Sql = 42;         // View: its SELECT
constexpr int Tables = 43;      // View: source tables, comma separated
constexpr int Updatable = 45;
constexpr int Caption = 56;
constexpr int ConnectString = 66;   // Connection: the ODBC connect string
constexpr int ConnectTimeout = 67;  // Connection: seconds to wait for the login, 0 no limit
constexpr int QueryTimeout = 71;    // Connection: seconds to wait for a query, 0 no limit
constexpr int Password = 72;        // Connection
constexpr int UserId = 74;          // Connection
constexpr int DataType = 77;        // view Field: e.g. "N(5)"
}  // namespace PropertyId

struct Property
{
    enum class Kind : std::uint8_t {
        Text,     // value ended with its 0x00 terminator: text holds it decoded to UTF-8
        Number,   // 1, 2 or 4 bytes, big-endian signed: number
        Logical,  // never produced by the decoder (a 1-byte value is a Number 0/1); kept for
                  // writers
        Bytes,    // anything else: text holds the raw bytes
    };

    int id = 0;
    Kind kind = Kind::Bytes;
    std::string text;
    std::int64_t number = 0;
};

class PropertyList
{
public:
    PropertyList() = default;
    explicit PropertyList(std::vector<Property> items) : mItems(std::move(items)) {}

    const std::vector<Property>& items() const { return mItems; }
    // First property with this id, or null.
    const Property* find(int id) const;
    // Text of the property, or "" when it is absent or not text.
    std::string text(int id) const;
    // Number of the property, or nullopt when it is absent or not a number.
    std::optional<std::int64_t> number(int id) const;

private:
    std::vector<Property> mItems;
};

// Decodes a PROPERTY memo. Text values are decoded with codePage (the container's).
// Tolerant: decoding stops at the first record whose length is below 7 or runs past the
// memo's end, keeping the records before it; never reads outside memo.
PropertyList decodeProperties(std::string_view memo, int codePage);

}  // namespace vfp
