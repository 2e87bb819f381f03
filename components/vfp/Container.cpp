// Reading a database container: its live rows in record order, then tables, views and
// connections gathered from them. Children are looked up by PARENTID, never by position:
// FoxPro appends changed rows at the end and leaves the old ones deleted.
#include "components/vfp/Container.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <system_error>
#include <unordered_map>
#include <utility>

#include <QHash>
#include <QString>

#include "components/text/AsciiCase.h"
#include "components/vfp/FileLookup.h"
#include "components/vfp/Messages.h"
#include "components/vfp/RecordReader.h"
#include "components/vfp/VfpError.h"

namespace vfp {

// A file's identity: device and inode, whatever name leads to it.
using FileIdentity = std::pair<dev_t, ino_t>;

struct ContainerState
{
    std::filesystem::path path;
    std::filesystem::path folder;
    std::string displayName;
    std::vector<ContainerObject> objects;
    std::vector<ContainerTable> tables;
    std::vector<ContainerView> views;
    std::vector<ContainerConnection> connections;
    int defaultCodePage = kDefaultCodePage;  // for member tables without a code-page mark

    // Indices into objects of the rows of each PARENTID, in container order: gathering and
    // children() look a parent up once instead of scanning every row.
    std::unordered_map<std::int32_t, std::vector<std::size_t>> childrenOf;
    // Each name case-folded, to the first table, view or connection of that name.
    QHash<QString, std::size_t> tableNames;
    QHash<QString, std::size_t> viewNames;
    QHash<QString, std::size_t> connectionNames;
    // The member files that exist, by identity, to the first table of each; made by the first
    // tableForFile, since only a free table's back-link asks.
    mutable std::once_flag filesIndexed;
    mutable std::map<FileIdentity, std::size_t> tableFiles;
};

namespace {

std::string withoutTrailingBlanks(std::string text)
{
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.pop_back();
    return text;
}

template <typename T>
QHash<QString, std::size_t> indexByName(const std::vector<T>& items)
{
    QHash<QString, std::size_t> index;
    index.reserve(static_cast<qsizetype>(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i)
        if (const QString key = foldedName(items[i].name); !index.contains(key))
            index.insert(key, i);  // the first of equal names stays
    return index;
}

std::int32_t asInteger(const Value& value)
{
    if (value.kind == Value::Kind::Integer)
        return static_cast<std::int32_t>(value.integer);
    if (value.kind == Value::Kind::Decimal) {
        std::int64_t number = 0;
        bool negative = false;
        for (const char c : value.bytes) {
            if (c == '-')
                negative = true;
            else if (c == '.')
                break;
            else if (c >= '0' && c <= '9' && number < 1'000'000'000)
                number = number * 10 + (c - '0');
        }
        return static_cast<std::int32_t>(negative ? -number : number);
    }
    return 0;
}

int requiredField(const Table& table, const char* name)
{
    const int index = table.fieldIndex(name);
    if (index < 0)
        throw VfpError(message::containerFieldMissing(table.displayName(), name));
    return index;
}

std::vector<ContainerObject> readObjects(const Table& table)
{
    const int idField = requiredField(table, "OBJECTID");
    const int parentField = requiredField(table, "PARENTID");
    const int typeField = requiredField(table, "OBJECTTYPE");
    const int nameField = requiredField(table, "OBJECTNAME");
    const int propertyField = requiredField(table, "PROPERTY");

    std::vector<ContainerObject> objects;
    RecordReader reader(table);
    Value value;
    while (reader.next()) {
        ContainerObject object;
        object.recordNumber = reader.recordNumber();
        reader.read(idField, value);
        object.id = asInteger(value);
        reader.read(parentField, value);
        object.parentId = asInteger(value);
        reader.read(typeField, value);
        object.type =
            value.kind == Value::Kind::Null ? std::string() : withoutTrailingBlanks(value.bytes);
        reader.read(nameField, value);
        object.name =
            value.kind == Value::Kind::Null ? std::string() : withoutTrailingBlanks(value.bytes);
        reader.readBytes(propertyField, value);
        if (value.kind != Value::Kind::Null)
            object.properties = decodeProperties(value.bytes, table.codePage());
        objects.push_back(std::move(object));
    }
    return objects;
}

bool isType(const ContainerObject& object, std::string_view type)
{
    return text::equalsIgnoringAsciiCase(object.type, type);
}

ContainerTable makeTable(const ContainerState& state, const ContainerObject& object,
                         CaseBlindFolders& folders)
{
    ContainerTable table;
    table.id = object.id;
    table.name = object.name;
    table.storedPath = object.properties.text(PropertyId::Path);
    if (table.storedPath.empty())
        table.storedPath = object.name + ".dbf";
    if (!state.folder.empty()) {
        std::tie(table.file, table.exists) = folders.resolve(state.folder, table.storedPath);
        if (!table.exists) {
            // an absolute Windows path ("C:\data\orders.dbf"): try the file beside the container
            const std::size_t slash = table.storedPath.find_last_of("\\/:");
            if (slash != std::string::npos) {
                if (const auto found =
                        folders.find(state.folder, table.storedPath.substr(slash + 1))) {
                    table.file = *found;
                    table.exists = true;
                }
            }
        }
    } else {
        table.file = std::filesystem::path(table.storedPath);
    }
    return table;
}

void gather(ContainerState& state)
{
    for (std::size_t i = 0; i < state.objects.size(); ++i)
        state.childrenOf[state.objects[i].parentId].push_back(i);
    const auto fieldsOf = [&](std::int32_t id) {
        std::vector<const ContainerObject*> fields;
        const auto children = state.childrenOf.find(id);
        if (children == state.childrenOf.end())
            return fields;
        for (const std::size_t child : children->second)
            if (isType(state.objects[child], "Field"))
                fields.push_back(&state.objects[child]);
        return fields;
    };
    CaseBlindFolders folders;  // the members' folders, each listed once
    for (const ContainerObject& object : state.objects) {
        if (isType(object, "Table")) {
            ContainerTable table = makeTable(state, object, folders);
            for (const ContainerObject* field : fieldsOf(object.id))
                table.longFieldNames.push_back(field->name);
            state.tables.push_back(std::move(table));
        } else if (isType(object, "View")) {
            ContainerView view;
            view.id = object.id;
            view.name = object.name;
            view.kind = object.properties.number(PropertyId::SourceType).value_or(1) == 2
                            ? ViewKind::Remote
                            : ViewKind::Local;
            view.sql = object.properties.text(PropertyId::Sql);
            view.tables = object.properties.text(PropertyId::Tables);
            view.connectionName = object.properties.text(PropertyId::ConnectName);
            view.parameters = object.properties.text(PropertyId::ParameterList);
            view.properties = object.properties;
            for (const ContainerObject* field : fieldsOf(object.id))
                view.fields.push_back({field->name, field->properties});
            state.views.push_back(std::move(view));
        } else if (isType(object, "Connection")) {
            ContainerConnection connection;
            connection.id = object.id;
            connection.name = object.name;
            connection.dataSource = object.properties.text(PropertyId::DataSource);
            connection.connectString = object.properties.text(PropertyId::ConnectString);
            connection.userId = object.properties.text(PropertyId::UserId);
            connection.password = object.properties.text(PropertyId::Password);
            connection.properties = object.properties;
            state.connections.push_back(std::move(connection));
        }
    }
    state.tableNames = indexByName(state.tables);
    state.viewNames = indexByName(state.views);
    state.connectionNames = indexByName(state.connections);
}

std::shared_ptr<const ContainerState> build(const Table& table, std::filesystem::path path,
                                            std::filesystem::path folder, int defaultCodePage)
{
    if (table.hasMemoFields() && !table.memoAvailable())
        throw VfpError(message::memoMissing(
            table.displayName(), table.memoPath().filename().string(), table.displayName()));
    auto state = std::make_shared<ContainerState>();
    state->path = std::move(path);
    state->folder = std::move(folder);
    state->displayName = table.displayName();
    state->defaultCodePage = defaultCodePage;
    state->objects = readObjects(table);
    gather(*state);
    return state;
}

template <typename T>
const T* findByName(const std::vector<T>& items, const QHash<QString, std::size_t>& index,
                    std::string_view name)
{
    const auto found = index.constFind(foldedName(name));
    return found == index.cend() ? nullptr : &items[*found];
}

std::optional<FileIdentity> identityOf(const std::filesystem::path& file)
{
    struct stat status = {};
    if (stat(file.c_str(), &status) != 0)
        return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino};
}

}  // namespace

Container::Container(std::shared_ptr<const ContainerState> state) : mState(std::move(state)) {}

Container Container::open(const std::filesystem::path& dbc, int defaultCodePage)
{
    OpenOptions options;
    options.defaultCodePage = defaultCodePage;
    const Table table = Table::open(dbc, options);
    return Container(build(
        table, dbc, dbc.parent_path().empty() ? std::filesystem::path(".") : dbc.parent_path(),
        defaultCodePage));
}

Container Container::open(std::shared_ptr<ByteSource> dbc, std::shared_ptr<ByteSource> dct,
                          const std::filesystem::path& folder)
{
    const Table table = Table::open(std::move(dbc), std::move(dct));
    return Container(build(table, {}, folder, kDefaultCodePage));
}

const std::filesystem::path& Container::path() const
{
    return mState->path;
}
const std::string& Container::displayName() const
{
    return mState->displayName;
}
const std::vector<ContainerObject>& Container::objects() const
{
    return mState->objects;
}
const std::vector<ContainerTable>& Container::tables() const
{
    return mState->tables;
}
const std::vector<ContainerView>& Container::views() const
{
    return mState->views;
}
const std::vector<ContainerConnection>& Container::connections() const
{
    return mState->connections;
}

std::vector<const ContainerObject*> Container::children(std::int32_t parentId) const
{
    std::vector<const ContainerObject*> result;
    const auto children = mState->childrenOf.find(parentId);
    if (children != mState->childrenOf.end())
        for (const std::size_t child : children->second)
            result.push_back(&mState->objects[child]);
    return result;
}

const ContainerTable* Container::findTable(std::string_view name) const
{
    return findByName(mState->tables, mState->tableNames, name);
}
const ContainerView* Container::findView(std::string_view name) const
{
    return findByName(mState->views, mState->viewNames, name);
}
const ContainerConnection* Container::findConnection(std::string_view name) const
{
    return findByName(mState->connections, mState->connectionNames, name);
}

Table Container::openTable(const ContainerTable& table, OpenOptions options) const
{
    if (!table.exists)
        throw VfpError(message::memberMissing(table.name, table.storedPath, mState->displayName,
                                              table.file.string()));
    if (options.longFieldNames.empty())
        options.longFieldNames = table.longFieldNames;
    options.defaultCodePage = mState->defaultCodePage;
    return Table::open(table.file, options);
}

const ContainerTable* Container::tableForFile(const std::filesystem::path& dbf) const
{
    const ContainerState& state = *mState;
    std::call_once(state.filesIndexed, [&] {
        for (std::size_t i = 0; i < state.tables.size(); ++i)
            if (const auto identity =
                    state.tables[i].exists ? identityOf(state.tables[i].file) : std::nullopt)
                state.tableFiles.try_emplace(*identity, i);
    });
    const auto identity = identityOf(dbf);
    const auto found = identity ? state.tableFiles.find(*identity) : state.tableFiles.end();
    return found == state.tableFiles.end() ? nullptr : &state.tables[found->second];
}

}  // namespace vfp
