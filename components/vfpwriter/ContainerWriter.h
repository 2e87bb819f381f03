// Writes a minimal Visual FoxPro database container (.dbc/.dct) with its member tables, long
// field names, local and remote views and connections; for tests and sample data.
//
//   vfpwriter::ContainerWriter dbc(dir / "shop.dbc");
//   vfpwriter::TableWriter orders = dbc.createTable("Orders", "orders.dbf",
//       {{"orderid", vfp::FieldType::Integer}, {"shippeddate", vfp::FieldType::Date}});
//   ... orders.append(...); orders.close();
//   dbc.addView("late_orders", "SELECT * FROM orders WHERE shippeddate > date()");
//   dbc.close();
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "components/vfp/Properties.h"
#include "components/vfpwriter/TableWriter.h"

namespace vfpwriter {

struct ObjectDefinition
{
    std::int32_t parentId = 1;
    std::string type;  // "Table", "View", "Field", "Connection" ...
    std::string name;
    std::vector<vfp::Property> properties;  // Text (written with its 0x00), Number (4 bytes),
                                            // Logical (1 byte), Bytes (as is)
    bool deleted = false;                   // written as a deleted row
};

// The login of a connection: properties written only where given.
struct ConnectionLogin
{
    std::string userId;
    std::string password;
    int connectTimeout = 0;  // seconds; 0 writes no ConnectTimeout
};

class ContainerWriter
{
public:
    // Creates the .dbc and .dct (replacing them) with the Database rows FoxPro starts with.
    explicit ContainerWriter(const std::filesystem::path& dbc, std::uint8_t codePageMark = 0x03);
    ~ContainerWriter();  // closes if still open, ignoring errors
    ContainerWriter(ContainerWriter&&) noexcept;
    ContainerWriter& operator=(ContainerWriter&&) noexcept;

    // Adds a row; returns its OBJECTID. For shapes the helpers below do not make.
    std::int32_t addObject(const ObjectDefinition& object);

    // Creates member table `relativePath` (relative to the container's folder, '/' or '\')
    // named `name`, and registers it with its fields. FieldDefinition::name is the long name (up to
    // 128 characters); the header gets the first 10 characters upper-cased (made unique).
    // The table carries the back-link to this container; missing folders are created.
    // Returns the open table writer.
    TableWriter createTable(const std::string& name, const std::string& relativePath,
                            std::vector<FieldDefinition> fields, WriteOptions options = {});
    // Registers an existing (or deliberately absent) table file; returns its OBJECTID.
    std::int32_t addTable(const std::string& name, const std::string& relativePath,
                          const std::vector<std::string>& longFieldNames);

    // A local view (or a remote one when connectionName is given); fields are the view's
    // columns (name, DataType text such as "N(5)", UpdateName "table.field").
    struct ViewColumn
    {
        std::string name;
        std::string dataType;
        std::string updateName;
    };
    std::int32_t addView(const std::string& name, const std::string& sql,
                         const std::vector<ViewColumn>& columns = {},
                         const std::string& connectionName = {}, const std::string& parameters = {},
                         const std::string& tables = {});
    // A connection to an ODBC data source; the login is written only where it is given.
    std::int32_t addConnection(const std::string& name, const std::string& dataSource,
                               const std::string& connectString = {},
                               const ConnectionLogin& login = {});

    // Writes the record count and closes the files. Throws VfpError when writing fails.
    void close();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

}  // namespace vfpwriter
