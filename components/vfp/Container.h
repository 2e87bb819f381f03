// A Visual FoxPro database container (.dbc with its .dct memo): the tree of objects it keeps
// and, from it, its tables (with their files and long field names), views and connections.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "components/vfp/ByteSource.h"
#include "components/vfp/Properties.h"
#include "components/vfp/Table.h"

namespace vfp {

// One live row of the container table, in container (record) order.
struct ContainerObject
{
    std::int32_t id = 0;        // OBJECTID
    std::int32_t parentId = 0;  // PARENTID: 1 for top-level objects
    std::string type;           // OBJECTTYPE without trailing blanks: "Database", "Table", "View",
                                // "Field", "Index", "Relation", "Connection"
    std::string name;           // OBJECTNAME without trailing blanks, UTF-8
    PropertyList properties;    // decoded PROPERTY memo
    std::uint32_t recordNumber = 0;  // physical record number in the .dbc (0-based)
};

struct ContainerTable
{
    std::int32_t id = 0;
    std::string name;        // as stored, e.g. "OrderDetails" (may differ from the file name)
    std::string storedPath;  // Path property as stored, e.g. "data\orderdetails.dbf"
    // The file: storedPath under the container's folder, each part matched ignoring case.
    // When nothing matches, the path as stored (with '/' separators) and exists == false.
    std::filesystem::path file;
    bool exists = false;
    std::vector<std::string> longFieldNames;  // Field children in container order
};

enum class ViewKind : std::uint8_t { Local = 1, Remote = 2 };

struct ViewField
{
    std::string name;         // long field name of the view's column
    PropertyList properties;  // UpdateName (35), DataType (77), Caption (56), KeyField (38) ...
};

struct ContainerView
{
    std::int32_t id = 0;
    std::string name;
    ViewKind kind = ViewKind::Local;  // SourceType (41); Local when absent
    std::string sql;                  // Sql (42)
    std::string tables;               // Tables (43), e.g. "northwind!orders,northwind!customers"
    std::string connectionName;       // ConnectName (32), remote views
    std::string parameters;           // ParameterList (12), "" when it has none
    std::vector<ViewField> fields;    // Field children in container order
    PropertyList properties;
};

struct ContainerConnection
{
    std::int32_t id = 0;
    std::string name;
    std::string dataSource;     // DataSource (29): an ODBC data source name
    std::string connectString;  // ConnectString (66)
    std::string userId;         // UserId (74)
    std::string password;       // Password (72), as stored
    PropertyList properties;    // ConnectTimeout (67), QueryTimeout (71) ...
};

struct ContainerState;

class Container
{
public:
    // Opens a .dbc and its .dct memo (same base name, case ignored) and reads its object tree.
    // Deleted rows are skipped; children need not follow their parent. Member tables are not
    // opened here (see openTable). defaultCodePage: the code page of the container's own table
    // and of every member table that carries no code-page mark (OpenOptions::defaultCodePage).
    // Throws VfpError naming the file when the .dbc is not a readable table, lacks
    // OBJECTID/PARENTID/OBJECTTYPE/OBJECTNAME/PROPERTY fields, or its .dct is missing or
    // damaged.
    static Container open(const std::filesystem::path& dbc, int defaultCodePage = kDefaultCodePage);
    // The same over byte sources (tests, fuzzing); folder resolves the tables' paths and may
    // be empty (then no table exists).
    static Container open(std::shared_ptr<ByteSource> dbc, std::shared_ptr<ByteSource> dct,
                          const std::filesystem::path& folder);

    const std::filesystem::path& path() const;
    const std::string& displayName() const;

    const std::vector<ContainerObject>& objects() const;  // every live row, container order
    // Live rows whose PARENTID is parentId, in container order.
    std::vector<const ContainerObject*> children(std::int32_t parentId) const;

    const std::vector<ContainerTable>& tables() const;  // container order
    const std::vector<ContainerView>& views() const;    // container order
    const std::vector<ContainerConnection>& connections() const;

    // By name ignoring case (Unicode case folding); null when absent.
    const ContainerTable* findTable(std::string_view name) const;
    const ContainerView* findView(std::string_view name) const;
    const ContainerConnection* findConnection(std::string_view name) const;

    // Opens a member table with its long field names, in the container's default code page
    // when it carries no mark (options.defaultCodePage is not used). Throws VfpError when the
    // file is missing ("Orders cannot be opened: orders.dbf is missing; northwind.dbc expects it
    // at /data/orders.dbf") or damaged.
    Table openTable(const ContainerTable& table, OpenOptions options = {}) const;

    // The container table whose file is `dbf` (same file on disk), or null. Used to give a
    // back-linked table its long field names.
    const ContainerTable* tableForFile(const std::filesystem::path& dbf) const;

private:
    explicit Container(std::shared_ptr<const ContainerState> state);
    std::shared_ptr<const ContainerState> mState;
};

}  // namespace vfp
