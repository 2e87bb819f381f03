// Writing a database container: the .dbc is a table of object rows (written with
// TableWriter), each row's properties encoded into its PROPERTY memo.
#include "components/vfpwriter/ContainerWriter.h"

#include <algorithm>
#include <optional>
#include <set>
#include <system_error>

#include "components/text/AsciiCase.h"
#include "components/vfp/CodePage.h"
#include "components/vfp/Endian.h"
#include "components/vfp/VfpError.h"

namespace vfpwriter {
namespace {

constexpr int kObjectNameBytes = 128;  // OBJECTNAME width: FoxPro's longest name
constexpr std::uint8_t kClassTable = 1, kClassLocalView = 6, kClassRemoteView = 7;

std::vector<FieldDefinition> containerFields()
{
    return {{"OBJECTID", vfp::FieldType::Integer},
            {"PARENTID", vfp::FieldType::Integer},
            {"OBJECTTYPE", vfp::FieldType::Character, 10},
            {"OBJECTNAME", vfp::FieldType::Character, kObjectNameBytes},
            {"PROPERTY", vfp::FieldType::Memo, 0, 0, false, true},
            {"CODE", vfp::FieldType::Memo, 0, 0, false, true},
            {"RIINFO", vfp::FieldType::Character, 6},
            {"USER", vfp::FieldType::Memo}};
}

// One property record: length (LE, counting its 7 head bytes), 0x01, id (BE), value.
void appendProperty(std::string& memo, const vfp::Property& property, int codePage)
{
    std::string value;
    switch (property.kind) {
        case vfp::Property::Kind::Text:
            value = vfp::encodeText(property.text, codePage);
            value.push_back('\0');
            break;
        case vfp::Property::Kind::Number:
            value.resize(4);
            vfp::endian::putBe32(value.data(), static_cast<std::uint32_t>(property.number));
            break;
        case vfp::Property::Kind::Logical:
            value.assign(1, static_cast<char>(property.number));
            break;
        case vfp::Property::Kind::Bytes:
            value = property.text;
            break;
    }
    char head[7];
    vfp::endian::putLe32(head, static_cast<std::uint32_t>(value.size() + sizeof head));
    head[4] = 0x01;
    vfp::endian::putBe16(head + 5, static_cast<std::uint16_t>(property.id));
    memo.append(head, sizeof head);
    memo += value;
}

vfp::Property text(int id, std::string value)
{
    return {id, vfp::Property::Kind::Text, std::move(value), 0};
}
vfp::Property number(int id, std::int64_t value)
{
    return {id, vfp::Property::Kind::Number, {}, value};
}
vfp::Property byteNumber(int id, std::int64_t value)
{
    return {id, vfp::Property::Kind::Logical, {}, value};
}

// Header names: the long name's first 10 characters upper-cased, a digit suffix on clashes.
std::vector<std::string> headerNames(const std::vector<FieldDefinition>& fields)
{
    std::set<std::string> taken;
    std::vector<std::string> names;
    for (const FieldDefinition& field : fields) {
        const std::string base = text::upperAscii(field.name.substr(0, 10));
        std::string candidate = base;
        for (int n = 1; taken.count(candidate) != 0; ++n) {
            const std::string suffix = std::to_string(n);
            candidate = base.substr(0, 10 - suffix.size()) + suffix;
        }
        taken.insert(candidate);
        names.push_back(candidate);
    }
    return names;
}

std::string windowsSeparators(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

}  // namespace

struct ContainerWriter::Impl
{
    std::filesystem::path path;
    int codePage = 1252;
    std::optional<TableWriter> table;
    std::int32_t nextId = 1;
};

ContainerWriter::ContainerWriter(const std::filesystem::path& dbc, std::uint8_t codePageMark)
    : d(std::make_unique<Impl>())
{
    d->path = dbc;
    const int marked = vfp::codePageForMark(codePageMark);
    d->codePage = marked != 0 && vfp::isSupportedCodePage(marked) ? marked : 1252;
    WriteOptions options;
    options.codePageMark = codePageMark;
    d->table.emplace(dbc, containerFields(), options);
    // the rows every new container starts with; row 1 carries the container's version
    addObject({1, "Database", "Database", {number(24, 10)}});
    for (const char* name : {"TransactionLog", "StoredProceduresSource", "StoredProceduresObject",
                             "StoredProceduresDependencies"})
        addObject({1, "Database", name, {}});
}

ContainerWriter::~ContainerWriter() = default;
ContainerWriter::ContainerWriter(ContainerWriter&&) noexcept = default;
ContainerWriter& ContainerWriter::operator=(ContainerWriter&&) noexcept = default;

std::int32_t ContainerWriter::addObject(const ObjectDefinition& object)
{
    if (!d->table)
        throw vfp::VfpError(d->path.filename().string() + " is already closed.");
    const std::int32_t id = d->nextId++;
    std::string memo;
    for (const vfp::Property& property : object.properties)
        appendProperty(memo, property, d->codePage);
    std::vector<vfp::Value> row(8);
    row[0].kind = vfp::Value::Kind::Integer;
    row[0].integer = id;
    row[1].kind = vfp::Value::Kind::Integer;
    row[1].integer = object.parentId;
    row[2].kind = vfp::Value::Kind::Text;
    row[2].bytes = object.type;
    row[3].kind = vfp::Value::Kind::Text;
    row[3].bytes = object.name;
    row[4].kind = vfp::Value::Kind::Binary;
    row[4].bytes = memo;
    d->table->append(row, object.deleted);
    return id;
}

TableWriter ContainerWriter::createTable(const std::string& name, const std::string& relativePath,
                                         std::vector<FieldDefinition> fields, WriteOptions options)
{
    std::vector<std::string> longNames;
    const std::vector<std::string> shortNames = headerNames(fields);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        longNames.push_back(fields[i].name);
        fields[i].name = shortNames[i];
    }
    std::string relative = relativePath;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const std::filesystem::path file = (d->path.parent_path() / relative).lexically_normal();
    options.backlink = windowsSeparators(d->path.lexically_relative(file.parent_path()).string());
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(),
                                        error);  // TableWriter reports a failure
    TableWriter writer(file, std::move(fields), options);
    addTable(name, relativePath, longNames);
    return writer;
}

std::int32_t ContainerWriter::addTable(const std::string& name, const std::string& relativePath,
                                       const std::vector<std::string>& longFieldNames)
{
    const std::int32_t id =
        addObject({1,
                   "Table",
                   name,
                   {byteNumber(vfp::PropertyId::ObjectClass, kClassTable),
                    text(vfp::PropertyId::Path, windowsSeparators(relativePath))}});
    for (const std::string& field : longFieldNames)
        addObject({id, "Field", field, {}});
    return id;
}

std::int32_t ContainerWriter::addView(const std::string& name, const std::string& sql,
                                      const std::vector<ViewColumn>& columns,
                                      const std::string& connectionName,
                                      const std::string& parameters, const std::string& tables)
{
    const bool remote = !connectionName.empty();
    std::vector<vfp::Property> properties{
        byteNumber(vfp::PropertyId::ObjectClass, remote ? kClassRemoteView : kClassLocalView),
        number(vfp::PropertyId::SourceType, remote ? 2 : 1), text(vfp::PropertyId::Sql, sql)};
    if (!tables.empty())
        properties.push_back(text(vfp::PropertyId::Tables, tables));
    if (remote)
        properties.push_back(text(vfp::PropertyId::ConnectName, connectionName));
    if (!parameters.empty())
        properties.push_back(text(vfp::PropertyId::ParameterList, parameters));
    const std::int32_t id = addObject({1, "View", name, properties});
    for (const ViewColumn& column : columns) {
        std::vector<vfp::Property> fieldProperties;
        if (!column.dataType.empty())
            fieldProperties.push_back(text(vfp::PropertyId::DataType, column.dataType));
        if (!column.updateName.empty())
            fieldProperties.push_back(text(vfp::PropertyId::UpdateName, column.updateName));
        addObject({id, "Field", column.name, fieldProperties});
    }
    return id;
}

std::int32_t ContainerWriter::addConnection(const std::string& name, const std::string& dataSource,
                                            const std::string& connectString,
                                            const ConnectionLogin& login)
{
    std::vector<vfp::Property> properties{text(vfp::PropertyId::DataSource, dataSource)};
    if (!connectString.empty())
        properties.push_back(text(vfp::PropertyId::ConnectString, connectString));
    if (!login.userId.empty())
        properties.push_back(text(vfp::PropertyId::UserId, login.userId));
    if (!login.password.empty())
        properties.push_back(text(vfp::PropertyId::Password, login.password));
    if (login.connectTimeout != 0)
        properties.push_back(number(vfp::PropertyId::ConnectTimeout, login.connectTimeout));
    return addObject({1, "Connection", name, properties});
}

void ContainerWriter::close()
{
    if (!d->table)
        return;
    TableWriter table = std::move(*d->table);
    d->table.reset();
    table.close();
}

}  // namespace vfpwriter
